#pragma once
// The SDL2 backend: a real window showing the emulated screen at an integer
// scale, letterboxed when the window is resized; the left mouse button is the
// stylus, a few keys are the device's buttons, text input becomes char
// messages in the game's code page.

#include <memory>
#include <string>

#include "platform/platform_backend.h"

// Null when SDL's video cannot start; `why` then says why.
std::unique_ptr<PlatformBackend> MakeSdlBackend(const PlatformSettings& settings, std::string* why = nullptr);
