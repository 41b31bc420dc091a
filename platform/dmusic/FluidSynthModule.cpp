// FluidSynth, loaded as a module of its own when the first synthesiser is made: it and the
// libraries it pulls in cost start-up time that the program, which starts without music,
// need not pay.
#include "dmusic/MidiSynth.h"

#include "base/Seam.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <mutex>
#include <string>

namespace platform {
namespace {

constexpr char kModuleName[] = "libmemory_fluidsynth.so";

// Debian's General MIDI alternative first, then the usual soundfonts by name.
const char* const kSoundFonts[] = {
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf3/default-GM.sf3",
    "/usr/share/soundfonts/default.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/soundfonts/FluidR3_GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/GeneralUser_GS.sf2",
};

std::string ExecutableDirectory()
{
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0)
        return {};
    std::string dir(path, static_cast<size_t>(length));
    return dir.substr(0, dir.rfind('/') + 1);
}

// The module lies beside the executable.
FluidSynthFactory LoadFactory()
{
    // Kept loaded for the life of the process: synthesisers may outlive any one caller.
    void* module = dlopen((ExecutableDirectory() + kModuleName).c_str(), RTLD_NOW | RTLD_LOCAL);
    return module ? reinterpret_cast<FluidSynthFactory>(dlsym(module, kFluidSynthFactory)) : nullptr;
}

class SystemFluidSynth final : public MidiSynthSource {
public:
    std::unique_ptr<MidiSynth> Create() override
    {
        return CreateFluidSynth(std::vector<std::string>(std::begin(kSoundFonts), std::end(kSoundFonts)));
    }
};

} // namespace

MidiSynthSource& CurrentSynthSource() { return Seam<MidiSynthSource, SystemFluidSynth>::Current(); }

void InstallSynthSource(MidiSynthSource* source) { Seam<MidiSynthSource, SystemFluidSynth>::Install(source); }

std::unique_ptr<MidiSynth> CreateFluidSynth(const std::vector<std::string>& soundFonts)
{
    static std::once_flag once;
    static FluidSynthFactory factory = nullptr;
    std::call_once(once, [] { factory = LoadFactory(); });
    // Without the module (or FluidSynth) the music is simply not heard.
    return std::unique_ptr<MidiSynth>(factory ? factory(&soundFonts) : nullptr);
}

} // namespace platform
