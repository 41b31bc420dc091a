// The performance's sound as an OpenAL stream, refilled on a thread of its own.
#include "dmusic/MusicOutput.h"

#include "dmusic/MidiSynth.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace platform {

namespace {

constexpr int kBuffers = 4;
constexpr size_t kBufferFrames = 1024; // four of them: under a tenth of a second queued
constexpr auto kRefillPeriod = std::chrono::milliseconds(10);

using SetThreadContextFn = ALCboolean (*)(ALCcontext*);

class OpenAlMusicOutput final : public MusicOutput {
public:
    OpenAlMusicOutput(ALCdevice* device, ALCcontext* context, SetThreadContextFn setThreadContext,
                      MusicRenderer render)
        : m_device(device), m_context(context), m_setThreadContext(setThreadContext), m_render(std::move(render))
    {
        m_thread = std::thread([this] { Run(); });
    }

    ~OpenAlMusicOutput() override
    {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        m_thread.join();
        alcDestroyContext(m_context);
        alcCloseDevice(m_device);
    }

private:
    void Fill(ALuint buffer)
    {
        m_render(m_samples.data(), kBufferFrames);
        alBufferData(buffer, AL_FORMAT_STEREO16, m_samples.data(),
                     static_cast<ALsizei>(m_samples.size() * sizeof(int16_t)), kMusicSampleRate);
    }

    void Stream(ALuint source)
    {
        for (;;) {
            {
                std::unique_lock lock(m_mutex);
                if (m_wake.wait_for(lock, kRefillPeriod, [this] { return m_stop; }))
                    return;
            }
            ALint processed = 0;
            alGetSourcei(source, AL_BUFFERS_PROCESSED, &processed);
            for (; processed > 0; --processed) {
                ALuint buffer;
                alSourceUnqueueBuffers(source, 1, &buffer);
                Fill(buffer);
                alSourceQueueBuffers(source, 1, &buffer);
            }
            // After an underrun the source has stopped; it carries on with what is queued.
            ALint state = AL_STOPPED;
            alGetSourcei(source, AL_SOURCE_STATE, &state);
            if (state != AL_PLAYING)
                alSourcePlay(source);
        }
    }

    // Every OpenAL call of the stream runs here, with the stream's own context current on this thread
    // only, so the sound effects' context elsewhere stays as it is.
    void Run()
    {
        m_setThreadContext(m_context);
        m_samples.assign(kBufferFrames * 2, 0);
        ALuint source = 0;
        ALuint buffers[kBuffers] = {};
        alGetError();
        alGenSources(1, &source);
        alGenBuffers(kBuffers, buffers);
        if (alGetError() == AL_NO_ERROR) {
            for (ALuint buffer : buffers)
                Fill(buffer);
            alSourceQueueBuffers(source, kBuffers, buffers);
            alSourcePlay(source);
            Stream(source);
            alSourceStop(source);
            alSourcei(source, AL_BUFFER, 0);
        }
        alDeleteSources(1, &source);
        alDeleteBuffers(kBuffers, buffers);
        m_setThreadContext(nullptr);
    }

    ALCdevice* m_device;
    ALCcontext* m_context;
    SetThreadContextFn m_setThreadContext;
    MusicRenderer m_render;
    std::vector<int16_t> m_samples;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::thread m_thread;
};

} // namespace

std::unique_ptr<MusicOutput> OpenOpenAlMusicOutput(MusicRenderer render)
{
    ALCdevice* device = alcOpenDevice(nullptr);
    if (!device)
        return nullptr;
    auto setThreadContext = alcIsExtensionPresent(device, "ALC_EXT_thread_local_context")
                                ? reinterpret_cast<SetThreadContextFn>(alcGetProcAddress(device, "alcSetThreadContext"))
                                : nullptr;
    ALCcontext* context = setThreadContext ? alcCreateContext(device, nullptr) : nullptr;
    if (!context) {
        alcCloseDevice(device);
        return nullptr;
    }
    return std::make_unique<OpenAlMusicOutput>(device, context, setThreadContext, std::move(render));
}

} // namespace platform
