// What the buffers put out, as OpenAL's wave backend writes it to a file.
#include "support/ChildRun.h"
#include "support/MusicFiles.h"
#include "support/SoundBuffers.h"
#include "support/WaveImages.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

using namespace testsupport;

namespace {

// Writes every byte through a lock that wraps around the end of the buffer.
void WriteWrapped(IDirectSoundBuffer* b, const Bytes& bytes)
{
    void *p1 = nullptr, *p2 = nullptr;
    DWORD n1 = 0, n2 = 0;
    const DWORD size = static_cast<DWORD>(bytes.size());
    ASSERT_EQ(b->Lock(size / 2, size, &p1, &n1, &p2, &n2, 0), DS_OK);
    ASSERT_EQ(n1 + n2, size);
    std::memcpy(p1, bytes.data() + size / 2, n1);
    std::memcpy(p2, bytes.data(), n2);
    ASSERT_EQ(b->Unlock(p1, n1, p2, n2), DS_OK);
}

void PlayToTheEnd(IDirectSoundBuffer* b)
{
    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
    ASSERT_TRUE(WaitUntilStopped(b));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

// The longest run of output samples beyond the threshold (its sign picks the side), and its middle value.
struct SampleRun {
    size_t length = 0;
    int16_t middle = 0;
};

SampleRun LongestRun(const int16_t* samples, size_t count, int threshold)
{
    SampleRun best;
    size_t start = 0, length = 0;
    for (size_t i = 0; i <= count; ++i) {
        bool beyond = i < count && (threshold > 0 ? samples[i] > threshold : samples[i] < threshold);
        if (beyond) {
            if (length++ == 0)
                start = i;
        } else if (length) {
            if (length > best.length)
                best = {length, samples[start + length / 2]};
            length = 0;
        }
    }
    return best;
}

constexpr const char* kChildVariable = "MEMORY_SOUND_WAVE_CHILD";

// OpenAL reads its configuration once per process, so the wave device plays in a child process:
// this test binary again, running only this test, which exists only there.
class PlayIntoWaveDevice : public ::testing::Test {
    void TestBody() override
    {
        IDirectSound* ds = nullptr;
        ASSERT_EQ(DirectSoundCreate(nullptr, &ds, nullptr), DS_OK);

        // 0.2 s of +0.5: 8-bit samples are unsigned, 0xC0 lies above the middle.
        IDirectSoundBuffer* eight = MakeBuffer(ds, 1, 8, 11025, 2205);
        ASSERT_NE(eight, nullptr);
        WriteWrapped(eight, Bytes(2205, 0xC0));

        // 0.1 s of -0.25 in signed 16-bit samples, played through a duplicate.
        Bytes negative(2 * 2205);
        for (size_t i = 0; i < negative.size(); i += 2) {
            negative[i] = 0x00;
            negative[i + 1] = 0xE0; // -8192
        }
        IDirectSoundBuffer* sixteen = MakeBuffer(ds, 1, 16, 22050, static_cast<DWORD>(negative.size()));
        ASSERT_NE(sixteen, nullptr);
        IDirectSoundBuffer* copy = nullptr;
        ASSERT_EQ(ds->DuplicateSoundBuffer(sixteen, &copy), DS_OK);
        WriteWrapped(sixteen, negative);

        PlayToTheEnd(eight);
        PlayToTheEnd(copy);
        copy->Release();
        sixteen->Release();
        eight->Release();
        ds->Release(); // closing the device completes the file
    }
};

const bool g_childRegistered = RegisterChildTest<PlayIntoWaveDevice>(kChildVariable, "SoundWaveChild", "Play");

TEST(WaveOutput, EachBufferPlaysWhatWasWrittenAtItsOwnRate)
{
    TempDir dir;
    const std::string wave = dir.Path() + "/out.wav";
    const std::string conf = "[general]\nchannels = mono\nsample-type = int16\nfrequency = 22050\n"
                             "[wave]\nfile = " + wave + "\n";
    dir.Write("alsoft.conf", Bytes(conf.begin(), conf.end()));

    const ChildRun child = RunThisBinary("SoundWaveChild.Play", {"ALSOFT_"},
                                         {"ALSOFT_DRIVERS=wave", "ALSOFT_CONF=" + dir.Path() + "/alsoft.conf",
                                          std::string(kChildVariable) + "=1"});
    ASSERT_EQ(child.exitCode, 0) << child.errors;
    const WaveFile output = ReadWaveFile(wave);
    ASSERT_EQ(output.channels, 1);
    ASSERT_FALSE(output.samples.empty());
    const DWORD rate = output.rate;
    const std::vector<int16_t>& out = output.samples;

    SampleRun high = LongestRun(out.data(), out.size(), 8000);
    EXPECT_NEAR(static_cast<double>(high.length), 0.2 * rate, 0.01 * rate);
    EXPECT_NEAR(high.middle, 16384, 400);
    SampleRun low = LongestRun(out.data(), out.size(), -4000);
    EXPECT_NEAR(static_cast<double>(low.length), 0.1 * rate, 0.01 * rate);
    EXPECT_NEAR(low.middle, -8192, 400);
}

} // namespace
