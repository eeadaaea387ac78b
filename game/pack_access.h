#pragma once
// The few resource-manager calls the game model makes, in one place.

#include <cstdint>
#include <vector>

#include "core/ref_string.h"

// Raw bytes of a resource of the given type ("dat", "txt"); false when missing.
bool LoadPackData(const CStr& path, const char* type, const uint8_t*& data, uint32_t& size);
// Names of the direct child folders of a folder, in listing order.
bool ListPackFolders(const CStr& path, std::vector<CStr>& names);
