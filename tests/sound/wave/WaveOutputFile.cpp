#include "WaveOutputFile.h"

#include "support/WaveImages.h"

#include <cstdlib>
#include <utility>

namespace testsupport {

WaveOutput ReadWaveOutput()
{
    const char* file = std::getenv("MEMORY_WAVE_FILE");
    WaveFile wave = file ? ReadWaveFile(file) : WaveFile{};
    if (wave.channels != 1)
        return {};
    return {wave.rate, std::move(wave.samples)};
}

} // namespace testsupport
