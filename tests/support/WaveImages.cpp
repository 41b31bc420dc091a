#include "support/WaveImages.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

namespace testsupport {

void PutDword(Bytes& image, size_t offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        image[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

static void AppendDword(Bytes& out, uint32_t value)
{
    out.resize(out.size() + 4);
    PutDword(out, out.size() - 4, value);
}

Bytes PcmFormatBody(int channels, int bits, uint32_t rate, size_t size)
{
    const uint32_t align = static_cast<uint32_t>(channels * bits / 8);
    Bytes body;
    body.push_back(1); // PCM
    body.push_back(0);
    body.push_back(static_cast<uint8_t>(channels));
    body.push_back(0);
    AppendDword(body, rate);
    AppendDword(body, rate * align);
    body.push_back(static_cast<uint8_t>(align));
    body.push_back(0);
    body.push_back(static_cast<uint8_t>(bits));
    body.push_back(0);
    body.resize(size, 0);
    return body;
}

void AppendChunk(Bytes& chunks, const char* id, const Bytes& body, bool pad)
{
    chunks.insert(chunks.end(), id, id + 4);
    AppendDword(chunks, static_cast<uint32_t>(body.size()));
    chunks.insert(chunks.end(), body.begin(), body.end());
    if (pad && body.size() % 2)
        chunks.push_back(0);
}

Bytes RiffWave(const Bytes& chunks)
{
    Bytes image{'R', 'I', 'F', 'F'};
    AppendDword(image, static_cast<uint32_t>(4 + chunks.size()));
    image.insert(image.end(), {'W', 'A', 'V', 'E'});
    image.insert(image.end(), chunks.begin(), chunks.end());
    return image;
}

Bytes SimpleWave(int channels, int bits, uint32_t rate, const Bytes& samples)
{
    Bytes chunks;
    AppendChunk(chunks, "fmt ", PcmFormatBody(channels, bits, rate));
    AppendChunk(chunks, "data", samples);
    return RiffWave(chunks);
}

Bytes Ramp(size_t count)
{
    Bytes samples(count);
    for (size_t i = 0; i < count; ++i)
        samples[i] = static_cast<uint8_t>(i * 7 + 1);
    return samples;
}

std::vector<NamedImage> CraftedBadImages()
{
    std::vector<NamedImage> bad;
    const Bytes good = SimpleWave(1, 8, 11025, Ramp(100));

    bad.push_back({"empty", {}});
    bad.push_back({"riff_header_only", Bytes(good.begin(), good.begin() + 8)});
    bad.push_back({"eleven_bytes", Bytes(good.begin(), good.begin() + 11)});
    bad.push_back({"no_chunks", Bytes(good.begin(), good.begin() + 12)});

    Bytes notRiff = good;
    std::memcpy(notRiff.data(), "RIFX", 4);
    bad.push_back({"not_riff", notRiff});
    Bytes notWave = good;
    std::memcpy(notWave.data() + 8, "AVI ", 4);
    bad.push_back({"not_wave", notWave});

    Bytes riffSize4 = good;
    PutDword(riffSize4, 4, 4);
    bad.push_back({"riff_size_4", riffSize4});

    // Cut inside the "fmt " header, inside its body, inside the "data" header and body.
    for (size_t cut : {size_t{14}, size_t{20}, size_t{30}, size_t{40}, size_t{50}, good.size() - 1})
        bad.push_back({"truncated_at_" + std::to_string(cut), Bytes(good.begin(), good.begin() + cut)});

    // Sizes that point past the image: the chunk, the RIFF and both.
    Bytes lyingData = good;
    PutDword(lyingData, 40, 0xFFFFFFF0u);
    bad.push_back({"lying_data_size", lyingData});
    Bytes lyingFmt = good;
    PutDword(lyingFmt, 16, 0x7FFFFFFFu);
    bad.push_back({"lying_fmt_size", lyingFmt});
    Bytes lyingBoth = lyingData;
    PutDword(lyingBoth, 4, 0xFFFFFFFFu);
    bad.push_back({"lying_riff_and_data_size", lyingBoth});

    // A skipped chunk whose size wraps a 32-bit offset back to the start.
    Bytes wrapping;
    AppendChunk(wrapping, "LIST", Bytes(4));
    PutDword(wrapping, 4, 0xFFFFFFFFu);
    AppendChunk(wrapping, "fmt ", PcmFormatBody(1, 8, 8000));
    Bytes wrappingImage = RiffWave(wrapping);
    PutDword(wrappingImage, 4, 0xFFFFFFFFu);
    bad.push_back({"wrapping_chunk_size", wrappingImage});

    // An image whose RIFF size promises more chunks than it holds, and no "data".
    Bytes fmtOnly;
    AppendChunk(fmtOnly, "fmt ", PcmFormatBody(1, 8, 8000));
    Bytes fmtOnlyImage = RiffWave(fmtOnly);
    PutDword(fmtOnlyImage, 4, 1000);
    bad.push_back({"riff_size_past_end_no_data", fmtOnlyImage});

    // "data" first, then a 14-byte "fmt " that ends the image: the format record's
    // last two bytes would lie outside it.
    Bytes shortFmtAtEnd;
    AppendChunk(shortFmtAtEnd, "data", Ramp(8));
    AppendChunk(shortFmtAtEnd, "fmt ", PcmFormatBody(1, 8, 8000, 14));
    bad.push_back({"short_fmt_at_end", RiffWave(shortFmtAtEnd)});

    Bytes fmt13;
    AppendChunk(fmt13, "fmt ", PcmFormatBody(1, 8, 8000, 13));
    AppendChunk(fmt13, "data", Ramp(8));
    bad.push_back({"fmt_13_bytes", RiffWave(fmt13)});

    Bytes noData;
    AppendChunk(noData, "fmt ", PcmFormatBody(1, 8, 8000));
    AppendChunk(noData, "LIST", Ramp(9));
    bad.push_back({"no_data", RiffWave(noData)});

    Bytes noFmt;
    AppendChunk(noFmt, "data", Ramp(8));
    bad.push_back({"no_fmt", RiffWave(noFmt)});
    return bad;
}

ExactCopy::ExactCopy(const Bytes& image)
    : data(new uint8_t[image.empty() ? 1 : image.size()]), size(static_cast<uint32_t>(image.size()))
{
    if (!image.empty())
        std::memcpy(data.get(), image.data(), image.size());
}

static uint32_t Le(const Bytes& bytes, size_t at, int size)
{
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | bytes[at + i];
    return value;
}

WaveFile ReadWaveFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    WaveFile file;
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(&bytes[8], "WAVE", 4) != 0)
        return file;
    for (size_t pos = 12; pos + 8 <= bytes.size();) {
        const size_t body = pos + 8, size = std::min<size_t>(Le(bytes, pos + 4, 4), bytes.size() - body);
        if (std::memcmp(&bytes[pos], "fmt ", 4) == 0 && size >= 16) {
            file.channels = static_cast<int>(Le(bytes, body + 2, 2));
            file.rate = Le(bytes, body + 4, 4);
            file.bits = static_cast<int>(Le(bytes, body + 14, 2));
        } else if (std::memcmp(&bytes[pos], "data", 4) == 0) {
            // The size may not be written back yet: the samples then run to the end of the file.
            if (file.bits == 16) {
                file.samples.resize((bytes.size() - body) / 2);
                std::memcpy(file.samples.data(), &bytes[body], file.samples.size() * 2);
            }
            return file;
        }
        pos = body + size + (size & 1);
    }
    return file;
}

} // namespace testsupport
