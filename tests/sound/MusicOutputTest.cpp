// The music as the program plays it: through OpenAL, here into OpenAL's wave-file device.
#include "MusicFiles.h"

#include "sound/MidiPlayer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

using namespace music_test;

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

const bool g_childRegistered = [] {
    if (!std::getenv(kChildVariable))
        return false;
    ::testing::RegisterTest("MusicWaveChild", "Play", nullptr, nullptr, __FILE__, __LINE__,
                            []() -> ::testing::Test* { return new PlayIntoWaveDevice; });
    return true;
}();

int RunChild(const std::string& dir)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "ALSOFT_", 7) != 0)
            env.emplace_back(*e);
    env.push_back("ALSOFT_DRIVERS=wave");
    env.push_back("ALSOFT_CONF=" + dir + "/alsoft.conf");
    env.push_back(std::string(kChildVariable) + "=" + dir);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    std::string exe = "/proc/self/exe", filter = "--gtest_filter=MusicWaveChild.Play";
    char* argv[] = {exe.data(), filter.data(), nullptr};
    pid_t pid;
    if (posix_spawn(&pid, exe.c_str(), nullptr, nullptr, argv, envp.data()) != 0)
        return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The 16-bit samples of a wave file's data chunk.
std::vector<int16_t> WaveSamples(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (size_t pos = 12; pos + 8 <= bytes.size();) {
        const uint32_t size = bytes[pos + 4] | (bytes[pos + 5] << 8) | (bytes[pos + 6] << 16) | (uint32_t(bytes[pos + 7]) << 24);
        if (std::memcmp(&bytes[pos], "data", 4) == 0) {
            // The size may not be written back yet; the samples run to the end of the file.
            std::vector<int16_t> samples((bytes.size() - pos - 8) / 2);
            std::memcpy(samples.data(), &bytes[pos + 8], samples.size() * 2);
            return samples;
        }
        pos += 8 + size;
    }
    return {};
}

TEST(MusicOutput, ThePlayerIsHeardOnTheAudioDevice)
{
    TempDir dir;
    dir.Write("velmar_1.mid", TwoNoteSong());
    const std::string wave = dir.Path() + "/out.wav";
    const std::string conf = "[general]\nsample-type = int16\nchannels = stereo\nfrequency = 44100\n"
                             "[wave]\nfile = " + wave + "\n";
    dir.Write("alsoft.conf", Bytes(conf.begin(), conf.end()));

    ASSERT_EQ(RunChild(dir.Path()), 0);
    const std::vector<int16_t> samples = WaveSamples(wave);
    ASSERT_GT(samples.size(), 44100u) << "under half a second written";
    EXPECT_GT(Peak(samples), kHeard);
}

} // namespace
