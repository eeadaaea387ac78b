#pragma once
// Reading sources and writing outputs for the data generators.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// The whole file as bytes; false when it cannot be read.
bool ReadWholeFile(const std::filesystem::path& path, std::string& text);

// Writes the bytes, creating the folders, unless the file already holds
// exactly them: an unchanged output keeps its time, so the packs built from
// it are not built again. False (and a line on standard error) on failure.
bool WriteIfChanged(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
