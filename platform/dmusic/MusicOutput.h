// Where the performance's sound goes: an output pulls rendered samples for as long as it is open.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace platform {

// Fills interleaved 16-bit stereo frames; called on the output's own thread.
using MusicRenderer = std::function<void(int16_t* stereo, size_t frames)>;

class MusicOutput {
public:
    virtual ~MusicOutput() = default; // stops pulling before it returns
};

// The audio device, or nullptr when none can be opened.
std::unique_ptr<MusicOutput> OpenMusicOutput(MusicRenderer render);

// The OpenAL stream behind OpenMusicOutput.
std::unique_ptr<MusicOutput> OpenOpenAlMusicOutput(MusicRenderer render);

} // namespace platform
