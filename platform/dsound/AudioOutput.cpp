#include "dsound/AudioOutput.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <limits>

namespace platform::audio {

struct Device {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;

    ~Device()
    {
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context);
        alcCloseDevice(device);
    }
};

namespace {

// One device and context for the process: OpenAL's current context is process-wide.
std::weak_ptr<Device>& sharedDevice()
{
    static std::weak_ptr<Device> s_device;
    return s_device;
}

ALenum alFormat(const PcmFormat& f)
{
    if (f.channels == 1)
        return f.bitsPerSample == 8 ? AL_FORMAT_MONO8 : AL_FORMAT_MONO16;
    return f.bitsPerSample == 8 ? AL_FORMAT_STEREO8 : AL_FORMAT_STEREO16;
}

} // namespace

std::shared_ptr<Device> OpenDevice()
{
    if (auto existing = sharedDevice().lock())
        return existing;
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
    auto shared = std::make_shared<Device>();
    shared->device = device;
    shared->context = context;
    sharedDevice() = shared;
    return shared;
}

Samples::Samples(std::shared_ptr<Device> device, unsigned id) : m_device(std::move(device)), m_id(id) {}

Samples::~Samples()
{
    ALuint id = m_id;
    alDeleteBuffers(1, &id);
}

std::shared_ptr<Samples> Samples::Upload(const std::shared_ptr<Device>& device, const PcmFormat& format,
                                         const uint8_t* bytes, size_t size)
{
    if (!device || !bytes || size == 0 || size > static_cast<size_t>(std::numeric_limits<ALsizei>::max()))
        return nullptr;
    alGetError();
    ALuint id = 0;
    alGenBuffers(1, &id);
    if (alGetError() != AL_NO_ERROR)
        return nullptr;
    alBufferData(id, alFormat(format), bytes, static_cast<ALsizei>(size), static_cast<ALsizei>(format.samplesPerSec));
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(1, &id);
        return nullptr;
    }
    return std::shared_ptr<Samples>(new Samples(device, id));
}

Voice::Voice(std::shared_ptr<Device> device, unsigned id) : m_device(std::move(device)), m_id(id) {}

Voice::~Voice()
{
    ALuint id = m_id;
    alSourceStop(id);
    alDeleteSources(1, &id);
}

std::unique_ptr<Voice> Voice::Create(const std::shared_ptr<Device>& device)
{
    if (!device)
        return nullptr;
    alGetError();
    ALuint id = 0;
    alGenSources(1, &id);
    if (alGetError() != AL_NO_ERROR)
        return nullptr;
    // DirectSound buffers are plain 2-D sounds: no distance, no position.
    alSourcei(id, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(id, AL_POSITION, 0.0f, 0.0f, 0.0f);
    alSourcef(id, AL_ROLLOFF_FACTOR, 0.0f);
    return std::unique_ptr<Voice>(new Voice(device, id));
}

bool Voice::Play(const std::shared_ptr<Samples>& samples, uint32_t byteOffset, bool looping)
{
    if (!samples)
        return false;
    alGetError();
    alSourceStop(m_id);
    if (samples != m_samples) {
        // A stopped source may change its block; the old one is let go only after.
        alSourcei(m_id, AL_BUFFER, static_cast<ALint>(samples->m_id));
        m_samples = samples;
    }
    alSourcei(m_id, AL_LOOPING, looping ? AL_TRUE : AL_FALSE);
    alSourcei(m_id, AL_BYTE_OFFSET, static_cast<ALint>(byteOffset));
    alSourcePlay(m_id);
    return alGetError() == AL_NO_ERROR;
}

void Voice::SetLooping(bool looping) { alSourcei(m_id, AL_LOOPING, looping ? AL_TRUE : AL_FALSE); }

void Voice::Seek(uint32_t byteOffset) { alSourcei(m_id, AL_BYTE_OFFSET, static_cast<ALint>(byteOffset)); }

void Voice::Halt() { alSourceStop(m_id); }

bool Voice::IsPlaying() const
{
    ALint state = AL_STOPPED;
    alGetSourcei(m_id, AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
}

uint32_t Voice::ByteOffset() const
{
    ALint offset = 0;
    alGetSourcei(m_id, AL_BYTE_OFFSET, &offset);
    return offset > 0 ? static_cast<uint32_t>(offset) : 0;
}

} // namespace platform::audio
