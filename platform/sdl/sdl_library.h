#pragma once
// The SDL2 library, opened at run time the first time a window or a sound
// card is asked for. Headless runs and the programs without a screen never
// open it, so they do not pay for loading it and the libraries it pulls in.
//
// The functions the backends call are reached through Sdl(); the library's
// headers still give the types and constants.

#include <SDL.h>

#define THARN_SDL_FUNCTIONS(X)                                                                               \
    X(AudioStreamAvailable)                                                                                  \
    X(AudioStreamClear)                                                                                      \
    X(AudioStreamFlush)                                                                                      \
    X(AudioStreamGet)                                                                                        \
    X(AudioStreamPut)                                                                                        \
    X(CloseAudioDevice)                                                                                      \
    X(CreateRenderer)                                                                                        \
    X(CreateTexture)                                                                                         \
    X(CreateWindow)                                                                                          \
    X(DestroyRenderer)                                                                                       \
    X(DestroyTexture)                                                                                        \
    X(DestroyWindow)                                                                                         \
    X(FreeAudioStream)                                                                                       \
    X(GetError)                                                                                              \
    X(GetKeyboardState)                                                                                      \
    X(GetRendererOutputSize)                                                                                 \
    X(GetScancodeFromKey)                                                                                    \
    X(InitSubSystem)                                                                                         \
    X(LockAudioDevice)                                                                                       \
    X(NewAudioStream)                                                                                        \
    X(OpenAudioDevice)                                                                                       \
    X(PauseAudioDevice)                                                                                      \
    X(PollEvent)                                                                                             \
    X(QuitSubSystem)                                                                                         \
    X(RenderClear)                                                                                           \
    X(RenderCopy)                                                                                            \
    X(RenderPresent)                                                                                         \
    X(RenderReadPixels)                                                                                      \
    X(RenderSetIntegerScale)                                                                                 \
    X(RenderSetLogicalSize)                                                                                  \
    X(SetRenderDrawColor)                                                                                    \
    X(ShowSimpleMessageBox)                                                                                  \
    X(StartTextInput)                                                                                        \
    X(UnlockAudioDevice)                                                                                     \
    X(UpdateTexture)

struct SdlFunctions {
#define THARN_SDL_MEMBER(name) decltype(&SDL_##name) name = nullptr;
    THARN_SDL_FUNCTIONS(THARN_SDL_MEMBER)
#undef THARN_SDL_MEMBER
};

// Opens the library on the first call and keeps it open for the rest of the
// run. Null when it or one of its functions cannot be found; LoadSdlError() then
// says why.
const SdlFunctions* LoadSdl();
const char* LoadSdlError();

// The functions of the opened library; only valid after LoadSdl succeeded.
const SdlFunctions& Sdl();
