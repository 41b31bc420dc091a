#include "WaveOutputFile.h"

#include "sound/SoundObject.h"
#include "support/WaveImages.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace testsupport {

WaveOutput ReadWaveOutput()
{
    WaveOutput out;
    const char* file = std::getenv("MEMORY_WAVE_FILE");
    if (!file)
        return out;
    std::ifstream in(file, std::ios::binary);
    Bytes image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    WAVEFORMATEX* format = nullptr;
    BYTE* data = nullptr;
    DWORD bytes = 0;
    if (!ParseWave(image.data(), static_cast<DWORD>(image.size()), &format, &data, &bytes))
        return out;
    if (format->nChannels != 1 || format->wBitsPerSample != 16)
        return out;
    out.rate = format->nSamplesPerSec;
    out.samples.resize(bytes / 2);
    std::memcpy(out.samples.data(), data, out.samples.size() * 2);
    return out;
}

} // namespace testsupport
