#pragma once
// A tiny PNG writer for screenshots: 8-bit RGB, no filtering, deflate "stored"
// blocks. Needs no compression library; the files are larger than they could
// be, which does not matter for a screenshot.

#include <cstdint>
#include <string>
#include <vector>

// rgb holds width x height pixels, 3 bytes each, rows top to bottom.
std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgb);
// Encodes and writes the file; false when it cannot be written.
bool WritePngFile(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);
