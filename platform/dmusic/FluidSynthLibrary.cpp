#include "dmusic/FluidSynthLibrary.h"

#include <dlfcn.h>

#include <mutex>

namespace platform {

const FluidSynthLibrary* FluidSynth()
{
    static FluidSynthLibrary library;
    static const FluidSynthLibrary* loaded = nullptr;
    static std::once_flag once;
    std::call_once(once, [] {
        void* handle = dlopen("libfluidsynth.so.3", RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return;
        bool complete = true;
#define PLATFORM_FLUIDSYNTH_RESOLVE(name)                                                \
    library.name = reinterpret_cast<decltype(library.name)>(dlsym(handle, #name)); \
    complete = complete && library.name != nullptr;
        PLATFORM_FLUIDSYNTH_FUNCTIONS(PLATFORM_FLUIDSYNTH_RESOLVE)
#undef PLATFORM_FLUIDSYNTH_RESOLVE
        // Kept open for the life of the process: synthesisers may outlive any one caller.
        if (complete)
            loaded = &library;
    });
    return loaded;
}

} // namespace platform
