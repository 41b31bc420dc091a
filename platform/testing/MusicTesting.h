// Test seam: where DirectMusic's sound goes, which soundfont it uses, and its live objects.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform::testing {

enum class MusicOutputMode {
    Device,  // the audio device, as the program plays
    Capture, // kept for RenderCapturedMusic; nothing plays by itself
};
// Applies to ports added from now on. Without an audio device (SetSoundDeviceAvailable)
// there is no port to capture either.
void SetMusicOutputMode(MusicOutputMode mode);

// Renders the next frames of the most recently added capture port, as interleaved 16-bit stereo at
// 44100 Hz; empty when no capture port is open.
std::vector<int16_t> RenderCapturedMusic(size_t frames);

// Searches these soundfonts instead of the system's (an empty list: as if none were installed).
void OverrideSoundFonts(std::vector<std::string> paths);
void ClearSoundFontOverride();

struct LiveMusicObjects {
    int loaders = 0;
    int performances = 0;
    int segments = 0;
};
LiveMusicObjects GetLiveMusicObjects();

} // namespace platform::testing
