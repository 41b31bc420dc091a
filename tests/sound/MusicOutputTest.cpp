// The music as the program plays it: through OpenAL, here into OpenAL's wave-file device.
#include "sound/MidiPlayer.h"
#include "support/ChildRun.h"
#include "support/MusicFiles.h"
#include "support/WaveImages.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

using namespace testsupport;

namespace {

constexpr const char* kChildVariable = "MEMORY_MUSIC_WAVE_CHILD";

// OpenAL reads its configuration once per process, so the wave device plays in a child process:
// this test binary again, running only the test below, which exists only there.
class PlayIntoWaveDevice : public ::testing::Test {
    void TestBody() override
    {
        CurrentDirectory cwd(std::getenv(kChildVariable));
        MidiPlayer player(NULL);
        ASSERT_EQ(player.Init(), S_OK);
        ASSERT_EQ(player.m_pPerformance->PlaySegment(player.m_pSegment, DMUS_SEGF_BEAT, 0, NULL), S_OK);
        std::this_thread::sleep_for(std::chrono::milliseconds(1200)); // the device plays in real time
    }
};

const bool g_childRegistered = RegisterChildTest<PlayIntoWaveDevice>(kChildVariable, "MusicWaveChild", "Play");

TEST(MusicOutput, ThePlayerIsHeardOnTheAudioDevice)
{
    TempDir dir;
    dir.Write("velmar_1.mid", TwoNoteSong());
    const std::string wave = dir.Path() + "/out.wav";
    const std::string conf = "[general]\nsample-type = int16\nchannels = stereo\nfrequency = 44100\n"
                             "[wave]\nfile = " + wave + "\n";
    dir.Write("alsoft.conf", Bytes(conf.begin(), conf.end()));

    const ChildRun child = RunThisBinary("MusicWaveChild.Play", {"ALSOFT_"},
                                         {"ALSOFT_DRIVERS=wave", "ALSOFT_CONF=" + dir.Path() + "/alsoft.conf",
                                          std::string(kChildVariable) + "=" + dir.Path()});
    ASSERT_EQ(child.exitCode, 0) << child.errors;
    const std::vector<int16_t> samples = ReadWaveFile(wave).samples;
    ASSERT_GT(samples.size(), 44100u) << "under half a second written";
    EXPECT_GT(Peak(samples), kHeard);
}

} // namespace
