// The file that OpenAL's wave backend writes (complete once the device is closed).
#pragma once
#include <cstdint>
#include <vector>

namespace testsupport {

struct WaveOutput {
    uint32_t rate = 0;
    std::vector<int16_t> samples; // empty when the file is missing or not 16-bit mono
};

WaveOutput ReadWaveOutput();

} // namespace testsupport
