#include "testing/TestAudio.h"

#include "testing/InstallOnce.h"

#include <dsound.h>

namespace platform::testing {
namespace {

class CaptureStream final : public audio::Stream {
public:
    explicit CaptureStream(audio::StreamRenderer render) : m_render(std::move(render))
    {
        std::lock_guard lock(TheTestAudio().mutex);
        TheTestAudio().capture = &m_render;
    }
    ~CaptureStream() override
    {
        std::lock_guard lock(TheTestAudio().mutex);
        if (TheTestAudio().capture == &m_render)
            TheTestAudio().capture = nullptr;
    }

private:
    audio::StreamRenderer m_render;
};

// The real device with the test's cooperative level and capture streams.
class TestDevice final : public audio::Device {
public:
    explicit TestDevice(std::shared_ptr<audio::Device> real) : m_real(std::move(real)) {}

    HRESULT Claim(HWND window, DWORD level) override
    {
        const HRESULT hr = m_real->Claim(window, level);
        return FAILED(hr) ? hr : TheTestAudio().claimResult;
    }
    std::shared_ptr<audio::Samples> Upload(const audio::PcmFormat& format, const uint8_t* bytes, size_t size) override
    {
        return m_real->Upload(format, bytes, size);
    }
    std::unique_ptr<audio::Voice> CreateVoice() override { return m_real->CreateVoice(); }
    std::unique_ptr<audio::Stream> OpenStream(int sampleRate, audio::StreamRenderer render) override
    {
        if (TheTestAudio().captureStreams)
            return std::make_unique<CaptureStream>(std::move(render));
        return m_real->OpenStream(sampleRate, std::move(render));
    }

private:
    std::shared_ptr<audio::Device> m_real;
};

} // namespace

std::shared_ptr<audio::Device> TestAudio::OpenDevice()
{
    if (!deviceAvailable)
        return nullptr;
    auto real = m_real.OpenDevice();
    return real ? std::make_shared<TestDevice>(std::move(real)) : nullptr;
}

TestAudio& TheTestAudio() { return InstallOnce<TestAudio>(audio::CurrentOutput, audio::InstallOutput); }

namespace {
// From the start, so that every device comes through it.
[[maybe_unused]] const bool g_installed = (TheTestAudio(), true);
} // namespace

} // namespace platform::testing
