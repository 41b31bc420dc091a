// The tests' audio output: the real device, unless the test takes it away; with the
// tests' say over the cooperative level; and music streams that render only when a
// test asks. Installed on first use.
#pragma once
#include "dsound/AudioOutput.h"

#include <dsound.h>

#include <functional>
#include <mutex>

namespace platform::testing {

class TestAudio final : public audio::Output {
public:
    explicit TestAudio(audio::Output& real) : m_real(real) {}
    std::shared_ptr<audio::Device> OpenDevice() override;

    // Guards what the audio threads read: the capture stream.
    std::mutex mutex;
    bool deviceAvailable = true;
    HRESULT claimResult = DS_OK;
    bool captureStreams = false;
    // The latest capture stream still open, rendering only when asked.
    audio::StreamRenderer* capture = nullptr;

private:
    audio::Output& m_real;
};

TestAudio& TheTestAudio();

} // namespace platform::testing
