#include "testing/MusicTesting.h"

#include "dmusic/Loader.h"
#include "dmusic/MidiSynth.h"
#include "dmusic/Performance.h"
#include "dmusic/Segment.h"
#include "testing/TestAudio.h"

namespace platform::testing {
namespace {

// FluidSynth with the test's soundfonts.
class SoundFontOverride final : public MidiSynthSource {
public:
    std::unique_ptr<MidiSynth> Create() override { return CreateFluidSynth(fonts); }
    std::vector<std::string> fonts;
};

SoundFontOverride& fontOverride()
{
    static SoundFontOverride* o = new SoundFontOverride;
    return *o;
}

} // namespace

void SetMusicOutputMode(MusicOutputMode mode) { TheTestAudio().captureStreams = mode == MusicOutputMode::Capture; }

std::vector<int16_t> RenderCapturedMusic(size_t frames)
{
    // Held throughout, so the stream cannot close while it renders.
    TestAudio& t = TheTestAudio();
    std::lock_guard lock(t.mutex);
    if (!t.capture)
        return {};
    std::vector<int16_t> samples(frames * 2);
    (*t.capture)(samples.data(), frames);
    return samples;
}

void OverrideSoundFonts(std::vector<std::string> paths)
{
    fontOverride().fonts = std::move(paths);
    InstallSynthSource(&fontOverride());
}

void ClearSoundFontOverride() { InstallSynthSource(nullptr); }

LiveMusicObjects GetLiveMusicObjects()
{
    return {LiveCount<Loader>::Count(), LiveCount<Performance>::Count(), LiveCount<Segment>::Count()};
}

} // namespace platform::testing
