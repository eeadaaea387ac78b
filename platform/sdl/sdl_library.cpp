#include "platform/sdl/sdl_library.h"

#include <dlfcn.h>

#include <string>

namespace {

struct Loaded {
    bool tried = false;
    bool ok = false;
    std::string error;
    SdlFunctions functions;
};

Loaded& State()
{
    static Loaded loaded;
    return loaded;
}

bool Open(Loaded& loaded)
{
    // The name the library's run-time package installs; the unversioned one
    // comes only with its development files.
    void* library = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char* why = dlerror();
        loaded.error = why ? why : "libSDL2-2.0.so.0 not found";
        return false;
    }
    // Every function is looked up before any is used, so that a library too
    // old for one of them fails here and not in the middle of a frame.
#define THARN_SDL_RESOLVE(name)                                                                              \
    loaded.functions.name = reinterpret_cast<decltype(&SDL_##name)>(dlsym(library, "SDL_" #name));           \
    if (loaded.functions.name == nullptr) {                                                                  \
        loaded.error = "SDL2 has no SDL_" #name;                                                             \
        return false;                                                                                        \
    }
    THARN_SDL_FUNCTIONS(THARN_SDL_RESOLVE)
#undef THARN_SDL_RESOLVE
    // Never closed: SDL's audio thread may run until the process ends.
    return true;
}

}  // namespace

const SdlFunctions* LoadSdl()
{
    Loaded& loaded = State();
    if (!loaded.tried) {
        loaded.tried = true;
        loaded.ok = Open(loaded);
    }
    return loaded.ok ? &loaded.functions : nullptr;
}

const char* LoadSdlError()
{
    return State().error.c_str();
}

const SdlFunctions& Sdl()
{
    return State().functions;
}
