// The few engine services the running game uses, gathered in one place: the
// quit flag, the tick count and the random seed, data resources, the
// selection sounds and the log.
#pragma once

#include <cstdint>
#include <vector>

#include "core/ref_string.h"

bool EngineQuitRequested();
uint32_t EngineTicks();
void EngineSeedRandom(uint32_t state);
// Loads the whole "dat" resource at the path; false when it is missing.
bool EngineLoadData(const CStr& path, std::vector<uint8_t>& out);
// Loads the named "wav" resources of a folder as the selection sounds; a
// missing sound stays silent.
void EngineLoadSounds(const char* folder, const char* const* names, int count);
void EnginePlaySound(int index);
void EngineLog(const char* tag, const CStr& text);
