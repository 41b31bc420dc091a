// The eighteen WAV resources, read by a small RIFF reader of the test's own.
#include "AssetFiles.h"

#include <algorithm>
#include <cstdlib>

using namespace assets;

namespace {

struct WaveCase {
    const char* name;
    int bits;
    uint32_t rate;
    uint32_t fmtBytes;
    std::vector<std::string> chunks;
    uint32_t dataBytes;
};

const std::vector<WaveCase> kWaves = {
    {"BLOOP", 8, 11025, 16, {"fmt ", "fact", "data"}, 2152},
    {"BRIM", 8, 22050, 16, {"fmt ", "fact", "data", "DISP", "DISP", "LIST"}, 26304},
    {"CHPOK", 8, 11025, 18, {"fmt ", "data"}, 2386},
    {"DONE1", 8, 22050, 16, {"fmt ", "fact", "data", "DISP", "DISP", "LIST"}, 46988},
    {"DONE2", 8, 22050, 16, {"fmt ", "data"}, 57344},
    {"DONE3", 8, 11025, 18, {"fmt ", "data"}, 9520},
    {"FALL1", 8, 8000, 16, {"fmt ", "data"}, 8921},
    {"FALL2", 8, 11025, 18, {"fmt ", "data"}, 4780},
    {"FALL3", 8, 11025, 18, {"fmt ", "data"}, 9110},
    {"FALL4", 8, 11025, 18, {"fmt ", "data"}, 11748},
    {"FALL5", 8, 11025, 18, {"fmt ", "data"}, 11630},
    {"FALL6", 8, 11025, 18, {"fmt ", "data"}, 13934},
    {"FALL7", 8, 11025, 16, {"fmt ", "data"}, 7769},
    {"FALL8", 8, 11025, 16, {"fmt ", "data", "LIST"}, 7235},
    {"GLASS", 8, 11025, 18, {"fmt ", "data"}, 12886},
    {"MENU", 8, 22050, 16, {"fmt ", "fact", "data", "DISP", "DISP", "LIST"}, 3020},
    {"OOP", 8, 22050, 16, {"fmt ", "data"}, 22528},
    {"TSIK", 16, 22050, 16, {"fmt ", "fact", "data", "DISP", "DISP", "LIST"}, 594},
};

void PrintTo(const WaveCase& w, std::ostream* os) { *os << w.name; }

struct Chunk {
    std::string id;
    size_t body;
    uint32_t size;
};

// Walks the chunks from offset 12 to 8 + S; every body inside the image, pads skipped.
bool walk(const std::vector<uint8_t>& f, std::vector<Chunk>* chunks, std::string* why)
{
    if (f.size() < 12 || tag(f, 0) != "RIFF" || tag(f, 8) != "WAVE") return *why = "not RIFF WAVE", false;
    const uint64_t end = 8ull + le32(f, 4);
    if (end != f.size()) return *why = "image is not 8 + S bytes", false;
    size_t p = 12;
    while (p < end) {
        if (p + 8 > end) return *why = "chunk header past the end", false;
        const uint32_t n = le32(f, p + 4);
        if (p + 8 + n > end) return *why = "chunk body past the end", false;
        chunks->push_back({tag(f, p), p + 8, n});
        if (n % 2) {
            if (p + 8 + n + 1 > end) return *why = "missing pad byte", false;
            if (f[p + 8 + n] != 0) return *why = "pad byte not zero", false;
        }
        p += 8 + n + (n % 2);
    }
    return p == end || (*why = "walk overran", false);
}

class WaveResource : public ::testing::TestWithParam<WaveCase> {};

TEST_P(WaveResource, HasTheLayoutOfTheTable)
{
    const WaveCase w = GetParam();
    const auto f = readRes(std::string("wav/") + w.name + ".wav");
    std::vector<Chunk> chunks;
    std::string why;
    ASSERT_TRUE(walk(f, &chunks, &why)) << w.name << ": " << why;

    std::vector<std::string> ids;
    for (const Chunk& c : chunks) ids.push_back(c.id);
    EXPECT_EQ(ids, w.chunks);
    ASSERT_FALSE(chunks.empty());
    EXPECT_EQ(chunks[0].body, 20u) << "\"fmt \" first, at offset 12";

    const Chunk& fmt = chunks[0];
    ASSERT_EQ(fmt.id, "fmt ");
    ASSERT_EQ(fmt.size, w.fmtBytes);
    const uint32_t block = w.bits / 8;
    EXPECT_EQ(le16(f, fmt.body), 1u) << "PCM";
    EXPECT_EQ(le16(f, fmt.body + 2), 1u) << "mono";
    EXPECT_EQ(le32(f, fmt.body + 4), w.rate);
    EXPECT_EQ(le32(f, fmt.body + 8), w.rate * block);
    EXPECT_EQ(le16(f, fmt.body + 12), block);
    EXPECT_EQ(le16(f, fmt.body + 14), static_cast<uint32_t>(w.bits));
    if (w.fmtBytes == 18) {
        EXPECT_EQ(le16(f, fmt.body + 16), 0u) << "no extra format bytes";
    }

    for (const Chunk& c : chunks) {
        if (c.id == "data") {
            EXPECT_EQ(c.size, w.dataBytes);
        }
        if (c.id == "fact") {
            ASSERT_EQ(c.size, 4u);
            EXPECT_EQ(le32(f, c.body), w.dataBytes / block) << "sample count";
        }
        if (c.id == "DISP") {
            ASSERT_GE(c.size, 5u);
            EXPECT_EQ(le32(f, c.body), 1u) << "CF_TEXT";
        }
        if (c.id == "LIST") {
            ASSERT_GE(c.size, 4u);
            EXPECT_EQ(tag(f, c.body), "INFO");
        }
    }
}

// Starts and ends in silence, never touches full scale, and is not silent.
TEST_P(WaveResource, IsAudibleUnclippedAndFadesInAndOut)
{
    const WaveCase w = GetParam();
    const auto f = readRes(std::string("wav/") + w.name + ".wav");
    std::vector<Chunk> chunks;
    std::string why;
    ASSERT_TRUE(walk(f, &chunks, &why)) << why;
    const auto data = std::find_if(chunks.begin(), chunks.end(), [](const Chunk& c) { return c.id == "data"; });
    ASSERT_NE(data, chunks.end());
    std::vector<int> samples; // centred, full scale 32768
    for (size_t i = 0; i + w.bits / 8 <= data->size; i += w.bits / 8) {
        if (w.bits == 8)
            samples.push_back((static_cast<int>(f[data->body + i]) - 128) * 256);
        else
            samples.push_back(static_cast<int16_t>(le16(f, data->body + i)));
    }
    ASSERT_EQ(samples.size(), w.dataBytes / (w.bits / 8));
    int peak = 0;
    for (int s : samples) peak = std::max(peak, std::abs(s));
    EXPECT_GT(peak, 32768 / 2) << "audible";
    EXPECT_LT(peak, 32767 * 98 / 100) << "clipped";
    const int quiet = w.bits == 8 ? 256 : 64;
    EXPECT_LE(std::abs(samples.front()), quiet);
    EXPECT_LE(std::abs(samples.back()), quiet);
}

INSTANTIATE_TEST_SUITE_P(Sounds, WaveResource, ::testing::ValuesIn(kWaves),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
