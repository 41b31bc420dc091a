// RIFF WAVE images made by hand for the sound tests: well-formed ones and the
// malformed, truncated and lying ones the parser must refuse without reading past them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace testsupport {

using Bytes = std::vector<uint8_t>;

// A "fmt " body: PCM, block alignment from the channels and bits, cut or padded to size.
Bytes PcmFormatBody(int channels, int bits, uint32_t rate, size_t size = 16);

// Appends a chunk; an odd-sized body gets its pad byte unless pad is false.
void AppendChunk(Bytes& chunks, const char* id, const Bytes& body, bool pad = true);

// "RIFF", the size of what follows, "WAVE", then the chunks.
Bytes RiffWave(const Bytes& chunks);

// A well-formed image: "fmt " then "data".
Bytes SimpleWave(int channels, int bits, uint32_t rate, const Bytes& samples);

void PutDword(Bytes& image, size_t offset, uint32_t value);

// Samples of a given count: a ramp, so every byte differs from its neighbours.
Bytes Ramp(size_t count);

struct NamedImage {
    std::string name;
    Bytes bytes;
};

// Images that ParseWave must refuse (FALSE), each without reading outside it.
std::vector<NamedImage> CraftedBadImages();

// A heap block of exactly the image's size, so that AddressSanitizer sees any read past its end.
struct ExactCopy {
    explicit ExactCopy(const Bytes& image);
    std::unique_ptr<uint8_t[]> data;
    uint32_t size;
};

// A file that OpenAL's wave device wrote: its format and its 16-bit samples, interleaved.
struct WaveFile {
    int channels = 0;
    int bits = 0;
    uint32_t rate = 0;
    std::vector<int16_t> samples; // empty when the file is missing or its samples are not 16-bit
};
WaveFile ReadWaveFile(const std::string& path);

} // namespace testsupport
