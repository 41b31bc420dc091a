#include "dmusic/MusicOutput.h"

#include "testing/MusicTesting.h"

#include <mutex>

namespace platform {

namespace {

using testing::MusicOutputMode;

class CaptureOutput;

std::mutex g_mutex;
MusicOutputMode g_mode = MusicOutputMode::Device;
CaptureOutput* g_capture = nullptr; // the latest open capture output

// Renders only when a test asks.
class CaptureOutput final : public MusicOutput {
public:
    explicit CaptureOutput(MusicRenderer render) : m_render(std::move(render)) {}
    ~CaptureOutput() override
    {
        std::lock_guard lock(g_mutex);
        if (g_capture == this)
            g_capture = nullptr;
    }
    void Render(int16_t* stereo, size_t frames) { m_render(stereo, frames); }

private:
    MusicRenderer m_render;
};

} // namespace

std::unique_ptr<MusicOutput> OpenMusicOutput(MusicRenderer render)
{
    MusicOutputMode mode;
    {
        std::lock_guard lock(g_mutex);
        mode = g_mode;
    }
    switch (mode) {
    case MusicOutputMode::Device:
        return OpenOpenAlMusicOutput(std::move(render));
    case MusicOutputMode::Capture: {
        auto capture = std::make_unique<CaptureOutput>(std::move(render));
        std::lock_guard lock(g_mutex);
        g_capture = capture.get();
        return capture;
    }
    case MusicOutputMode::None:
        break;
    }
    return nullptr;
}

namespace testing {

void SetMusicOutputMode(MusicOutputMode mode)
{
    std::lock_guard lock(g_mutex);
    g_mode = mode;
}

std::vector<int16_t> RenderCapturedMusic(size_t frames)
{
    // Held throughout, so the output cannot close while it renders.
    std::lock_guard lock(g_mutex);
    if (!g_capture)
        return {};
    std::vector<int16_t> samples(frames * 2);
    g_capture->Render(samples.data(), frames);
    return samples;
}

} // namespace testing

} // namespace platform
