// The audio output on OpenAL Soft: one device and context for the process, sources for
// voices and for streams, which a thread of their own keeps fed. While nothing plays the
// device is paused, so that its mixer does not wake up for silence.
#include "dsound/AudioOutput.h"

#include "base/Seam.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <dsound.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <limits>
#include <unistd.h>
#include <mutex>
#include <thread>
#include <vector>

namespace platform::audio {
namespace {

constexpr int kStreamBuffers = 4;
constexpr size_t kStreamBufferFrames = 1024; // four of them: under a tenth of a second queued
constexpr auto kRefillPeriod = std::chrono::milliseconds(10);
constexpr auto kIdleCheckPeriod = std::chrono::milliseconds(250);
constexpr auto kIdleBeforePause = std::chrono::seconds(1);

// While a device opens, OpenAL and the sound system under it (ALSA, say) tell the terminal
// about every output they try and cannot open; without a sound card the program simply
// runs silent, so they are not shown. MEMORY_AUDIO_DEBUG=1 shows them.
class QuietTerminal {
public:
    QuietTerminal()
    {
        const char* debug = std::getenv("MEMORY_AUDIO_DEBUG");
        if (debug && *debug && *debug != '0')
            return;
        std::fflush(stderr);
        const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        m_saved = null < 0 ? -1 : fcntl(2, F_DUPFD_CLOEXEC, 3);
        if (m_saved >= 0)
            dup2(null, 2);
        if (null >= 0)
            close(null);
    }
    ~QuietTerminal()
    {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        dup2(m_saved, 2);
        close(m_saved);
    }
    QuietTerminal(const QuietTerminal&) = delete;
    QuietTerminal& operator=(const QuietTerminal&) = delete;

private:
    int m_saved = -1;
};

ALenum alFormat(const PcmFormat& f)
{
    if (f.channels == 1)
        return f.bitsPerSample == 8 ? AL_FORMAT_MONO8 : AL_FORMAT_MONO16;
    return f.bitsPerSample == 8 ? AL_FORMAT_STEREO8 : AL_FORMAT_STEREO16;
}

// Pauses the device once nothing has played for a while: the mixer thread otherwise wakes
// many times a second to mix silence, and the program is silent most of the time. Starting
// a sound resumes it first. Without the pause extension it does nothing at all.
class IdleWatch {
public:
    explicit IdleWatch(ALCdevice* device) : m_device(device)
    {
        if (!alcIsExtensionPresent(device, "ALC_SOFT_pause_device"))
            return;
        m_pause = reinterpret_cast<LPALCDEVICEPAUSESOFT>(alcGetProcAddress(device, "alcDevicePauseSOFT"));
        m_resume = reinterpret_cast<LPALCDEVICERESUMESOFT>(alcGetProcAddress(device, "alcDeviceResumeSOFT"));
        if (!m_pause || !m_resume)
            return;
        m_lastSound = Clock::now();
        m_thread = std::thread([this] { Watch(); });
    }
    ~IdleWatch()
    {
        if (!m_thread.joinable())
            return;
        {
            std::lock_guard lock(m_mutex);
            m_quit = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
    IdleWatch(const IdleWatch&) = delete;
    IdleWatch& operator=(const IdleWatch&) = delete;

    // A voice's source, looked at to tell whether anything plays; removed before it is deleted.
    void AddSource(ALuint source)
    {
        if (!Watching())
            return;
        std::lock_guard lock(m_mutex);
        m_sources.push_back(source);
    }
    void RemoveSource(ALuint source)
    {
        if (!Watching())
            return;
        std::lock_guard lock(m_mutex);
        m_sources.erase(std::remove(m_sources.begin(), m_sources.end(), source), m_sources.end());
    }

    // Runs `start` on a running device. The lock is held throughout, so the device cannot be
    // paused between the resume and the sound's start.
    template <class Start>
    void StartSound(Start&& start)
    {
        if (!Watching()) {
            start();
            return;
        }
        std::lock_guard lock(m_mutex);
        ResumeLocked();
        start();
    }

    // An open stream keeps the device running, even through an underrun.
    void OpenStream()
    {
        if (!Watching())
            return;
        std::lock_guard lock(m_mutex);
        ++m_streams;
        ResumeLocked();
    }
    void CloseStream()
    {
        if (!Watching())
            return;
        std::lock_guard lock(m_mutex);
        --m_streams;
        m_lastSound = Clock::now();
    }

private:
    using Clock = std::chrono::steady_clock; // real time: the output is real audio

    bool Watching() const { return m_thread.joinable(); }

    void ResumeLocked()
    {
        m_lastSound = Clock::now(); // a sound that ends before the next look still counts
        if (!m_paused)
            return;
        m_resume(m_device);
        m_paused = false;
        m_wake.notify_all();
    }

    bool SoundingLocked() const
    {
        if (m_streams > 0)
            return true;
        return std::any_of(m_sources.begin(), m_sources.end(), [](ALuint source) {
            ALint state = AL_STOPPED;
            alGetSourcei(source, AL_SOURCE_STATE, &state);
            return state == AL_PLAYING;
        });
    }

    void Watch()
    {
        std::unique_lock lock(m_mutex);
        while (!m_quit) {
            if (m_paused) {
                // No timeout: a paused device costs no wake-ups until a sound starts.
                m_wake.wait(lock, [this] { return m_quit || !m_paused; });
                continue;
            }
            if (m_wake.wait_for(lock, kIdleCheckPeriod, [this] { return m_quit; }))
                break;
            const auto now = Clock::now();
            if (SoundingLocked()) {
                m_lastSound = now;
            } else if (now - m_lastSound >= kIdleBeforePause) {
                m_pause(m_device);
                m_paused = true;
            }
        }
    }

    ALCdevice* const m_device;
    LPALCDEVICEPAUSESOFT m_pause = nullptr;
    LPALCDEVICERESUMESOFT m_resume = nullptr;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::vector<ALuint> m_sources;
    int m_streams = 0;
    bool m_paused = false;
    bool m_quit = false;
    Clock::time_point m_lastSound;
    std::thread m_thread;
};

class AlDevice;

class AlSamples final : public Samples {
public:
    AlSamples(std::shared_ptr<AlDevice> device, ALuint id) : m_device(std::move(device)), m_id(id) {}
    ~AlSamples() override { alDeleteBuffers(1, &m_id); }
    AlSamples(const AlSamples&) = delete;
    AlSamples& operator=(const AlSamples&) = delete;
    ALuint Id() const { return m_id; }

private:
    std::shared_ptr<AlDevice> m_device; // the context outlives the buffer
    ALuint m_id;
};

class AlVoice final : public Voice {
public:
    AlVoice(std::shared_ptr<AlDevice> device, IdleWatch& idle, ALuint id)
        : m_device(std::move(device)), m_idle(idle), m_id(id)
    {
        m_idle.AddSource(m_id);
    }
    ~AlVoice() override
    {
        m_idle.RemoveSource(m_id);
        alSourceStop(m_id);
        alDeleteSources(1, &m_id);
    }
    AlVoice(const AlVoice&) = delete;
    AlVoice& operator=(const AlVoice&) = delete;

    bool Play(const std::shared_ptr<Samples>& samples, uint32_t byteOffset, bool looping) override
    {
        auto* block = dynamic_cast<AlSamples*>(samples.get());
        if (!block)
            return false;
        alGetError();
        alSourceStop(m_id);
        if (samples != m_samples) {
            // A stopped source may change its block; the old one is let go only after.
            alSourcei(m_id, AL_BUFFER, static_cast<ALint>(block->Id()));
            m_samples = samples;
        }
        alSourcei(m_id, AL_LOOPING, looping ? AL_TRUE : AL_FALSE);
        alSourcei(m_id, AL_BYTE_OFFSET, static_cast<ALint>(byteOffset));
        m_idle.StartSound([this] { alSourcePlay(m_id); });
        return alGetError() == AL_NO_ERROR;
    }
    void SetLooping(bool looping) override { alSourcei(m_id, AL_LOOPING, looping ? AL_TRUE : AL_FALSE); }
    void Seek(uint32_t byteOffset) override { alSourcei(m_id, AL_BYTE_OFFSET, static_cast<ALint>(byteOffset)); }
    void Halt() override { alSourceStop(m_id); }
    bool IsPlaying() const override
    {
        ALint state = AL_STOPPED;
        alGetSourcei(m_id, AL_SOURCE_STATE, &state);
        return state == AL_PLAYING;
    }
    uint32_t ByteOffset() const override
    {
        ALint offset = 0;
        alGetSourcei(m_id, AL_BYTE_OFFSET, &offset);
        return offset > 0 ? static_cast<uint32_t>(offset) : 0;
    }

private:
    std::shared_ptr<AlDevice> m_device; // keeps m_idle too
    IdleWatch& m_idle;
    ALuint m_id;
    std::shared_ptr<Samples> m_samples; // kept while the source may refer to it
};

// A source fed from a queue of buffers, refilled on a thread of its own.
class AlStream final : public Stream {
public:
    AlStream(std::shared_ptr<AlDevice> device, IdleWatch& idle, int sampleRate, StreamRenderer render)
        : m_device(std::move(device)), m_idle(idle), m_sampleRate(sampleRate), m_render(std::move(render)),
          m_samples(kStreamBufferFrames * 2, 0)
    {
        m_idle.OpenStream();
        m_thread = std::thread([this] { Run(); });
    }
    ~AlStream() override
    {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        m_thread.join();
        m_idle.CloseStream();
    }

private:
    void Fill(ALuint buffer)
    {
        m_render(m_samples.data(), kStreamBufferFrames);
        alBufferData(buffer, AL_FORMAT_STEREO16, m_samples.data(),
                     static_cast<ALsizei>(m_samples.size() * sizeof(int16_t)), m_sampleRate);
    }

    void Feed(ALuint source)
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

    void Run()
    {
        ALuint source = 0;
        ALuint buffers[kStreamBuffers] = {};
        alGenSources(1, &source);
        alGenBuffers(kStreamBuffers, buffers);
        if (source && buffers[kStreamBuffers - 1]) {
            alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
            for (ALuint buffer : buffers)
                Fill(buffer);
            alSourceQueueBuffers(source, kStreamBuffers, buffers);
            alSourcePlay(source);
            Feed(source);
            alSourceStop(source);
            alSourcei(source, AL_BUFFER, 0);
        }
        alDeleteSources(1, &source);
        alDeleteBuffers(kStreamBuffers, buffers);
    }

    std::shared_ptr<AlDevice> m_device; // keeps m_idle too
    IdleWatch& m_idle;
    const int m_sampleRate;
    StreamRenderer m_render;
    std::vector<int16_t> m_samples;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::thread m_thread;
};

class AlDevice final : public Device, public std::enable_shared_from_this<AlDevice> {
public:
    AlDevice(ALCdevice* device, ALCcontext* context)
        : m_device(device), m_context(context), m_idle(std::make_unique<IdleWatch>(device))
    {
    }
    ~AlDevice() override
    {
        m_idle.reset(); // its thread looks at sources: it ends while the context still exists
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(m_context);
        alcCloseDevice(m_device);
    }

    // Every level mixes the same way here; the output is shared with other programs.
    HRESULT Claim(HWND, DWORD) override { return DS_OK; }

    std::shared_ptr<Samples> Upload(const PcmFormat& format, const uint8_t* bytes, size_t size) override
    {
        if (!bytes || size == 0 || size > static_cast<size_t>(std::numeric_limits<ALsizei>::max()))
            return nullptr;
        alGetError();
        ALuint id = 0;
        alGenBuffers(1, &id);
        if (alGetError() != AL_NO_ERROR)
            return nullptr;
        alBufferData(id, alFormat(format), bytes, static_cast<ALsizei>(size),
                     static_cast<ALsizei>(format.samplesPerSec));
        if (alGetError() != AL_NO_ERROR) {
            alDeleteBuffers(1, &id);
            return nullptr;
        }
        return std::make_shared<AlSamples>(shared_from_this(), id);
    }

    std::unique_ptr<Voice> CreateVoice() override
    {
        alGetError();
        ALuint id = 0;
        alGenSources(1, &id);
        if (alGetError() != AL_NO_ERROR)
            return nullptr;
        // DirectSound buffers are plain 2-D sounds: no distance, no position.
        alSourcei(id, AL_SOURCE_RELATIVE, AL_TRUE);
        alSource3f(id, AL_POSITION, 0.0f, 0.0f, 0.0f);
        alSourcef(id, AL_ROLLOFF_FACTOR, 0.0f);
        return std::make_unique<AlVoice>(shared_from_this(), *m_idle, id);
    }

    std::unique_ptr<Stream> OpenStream(int sampleRate, StreamRenderer render) override
    {
        return std::make_unique<AlStream>(shared_from_this(), *m_idle, sampleRate, std::move(render));
    }

private:
    ALCdevice* m_device;
    ALCcontext* m_context;
    std::unique_ptr<IdleWatch> m_idle;
};

class OpenAl final : public Output {
public:
    std::shared_ptr<Device> OpenDevice() override
    {
        std::lock_guard lock(m_mutex);
        // One device and context for the process: OpenAL's current context is process-wide.
        if (auto existing = m_shared.lock())
            return existing;
        QuietTerminal quiet;
        ALCdevice* device = alcOpenDevice(nullptr);
        if (!device)
            return nullptr;
        ALCcontext* context = alcCreateContext(device, nullptr);
        if (!context || !alcMakeContextCurrent(context)) {
            if (context)
                alcDestroyContext(context);
            alcCloseDevice(device);
            return nullptr;
        }
        auto shared = std::make_shared<AlDevice>(device, context);
        m_shared = shared;
        return shared;
    }

private:
    std::mutex m_mutex;
    std::weak_ptr<AlDevice> m_shared;
};

} // namespace

Output& CurrentOutput() { return Seam<Output, OpenAl>::Current(); }

void InstallOutput(Output* output) { Seam<Output, OpenAl>::Install(output); }

} // namespace platform::audio
