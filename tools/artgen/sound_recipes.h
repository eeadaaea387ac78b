#pragma once
// Text sources of a folder, and the sounds synthesised from recipe sources.

#include <filesystem>
#include <string>
#include <vector>

#include "tools/artgen/art_writer.h"

// The .txt files of a folder, sorted by name; none when there is no folder.
std::vector<std::filesystem::path> TextSourcesIn(const std::filesystem::path& folder);

// Synthesises every recipe <name>.txt of a folder into "<into>/<name>.wav".
bool SoundsFromRecipes(const std::filesystem::path& folder, const std::string& into, ArtWriter& out);
