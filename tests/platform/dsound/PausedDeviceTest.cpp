// The output device sleeps while nothing plays: what the wave device writes around its pauses.
// It writes in real time while it runs and nothing while paused, so a pause shows as less
// audio than the time the device was open.
#include "support/ChildRun.h"
#include "support/MusicFiles.h"
#include "support/SoundBuffers.h"
#include "support/WaveImages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <initializer_list>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

using namespace testsupport;

namespace {

constexpr DWORD kRate = 22050; // the device's rate too: no resampling
constexpr DWORD kTenth = kRate / 10;
constexpr BYTE kHigh = 0xC0; // +0.5 in unsigned 8-bit samples
constexpr BYTE kLow = 0x60;  // -0.25
constexpr auto kIdle = std::chrono::seconds(2); // long enough for the device to pause

// The value is the directory where the child leaves how long its device was open.
constexpr const char* kChildVariable = "MEMORY_SOUND_PAUSE_CHILD";

// An 8-bit mono buffer of levels, each held for its count of samples.
IDirectSoundBuffer* LevelsBuffer(IDirectSound* ds, std::initializer_list<std::pair<BYTE, DWORD>> levels)
{
    Bytes bytes;
    for (const auto& [level, count] : levels)
        bytes.insert(bytes.end(), count, level);
    IDirectSoundBuffer* b = MakeBuffer(ds, 1, 8, kRate, static_cast<DWORD>(bytes.size()));
    void *p1 = nullptr, *p2 = nullptr;
    DWORD n1 = 0, n2 = 0;
    if (!b || FAILED(b->Lock(0, 0, &p1, &n1, &p2, &n2, DSBLOCK_ENTIREBUFFER)))
        return b;
    std::memcpy(p1, bytes.data(), n1);
    b->Unlock(p1, n1, p2, n2);
    return b;
}

// One scenario, in a child process on the wave device (OpenAL reads its configuration once
// per process): this test binary again, running only this test, which exists only there.
template <void (*Scenario)(IDirectSound*)>
class PausedDeviceChild : public ::testing::Test {
    void TestBody() override
    {
        IDirectSound* ds = nullptr;
        ASSERT_EQ(DirectSoundCreate(nullptr, &ds, nullptr), DS_OK);
        const auto opened = std::chrono::steady_clock::now();
        Scenario(ds);
        const std::chrono::duration<double> ran = std::chrono::steady_clock::now() - opened;
        ds->Release(); // closing the device completes the output
        std::ofstream(std::string(std::getenv(kChildVariable)) + "/ran") << ran.count();
    }
};

void PlayToTheEnd(IDirectSoundBuffer* b)
{
    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
    ASSERT_TRUE(WaitUntilStopped(b));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

void SoundAfterPause(IDirectSound* ds)
{
    IDirectSoundBuffer* b = LevelsBuffer(ds, {{kHigh, 2 * kTenth}});
    ASSERT_NE(b, nullptr);
    std::this_thread::sleep_for(kIdle);
    PlayToTheEnd(b);
    b->Release();
}

void LoopAfterPause(IDirectSound* ds)
{
    IDirectSoundBuffer* b = LevelsBuffer(ds, {{kHigh, kTenth}});
    ASSERT_NE(b, nullptr);
    std::this_thread::sleep_for(kIdle);
    ASSERT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    ASSERT_EQ(b->Stop(), DS_OK);
    b->Release();
}

void StopThenPause(IDirectSound* ds)
{
    IDirectSoundBuffer* b = LevelsBuffer(ds, {{kHigh, 2 * kTenth}, {kLow, 2 * kTenth}});
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_EQ(b->Stop(), DS_OK);
    std::this_thread::sleep_for(kIdle);
    PlayToTheEnd(b);
    b->Release();
}

const bool g_soundRegistered =
    RegisterChildTest<PausedDeviceChild<SoundAfterPause>>(kChildVariable, "PausedDeviceChild", "Sound");
const bool g_loopRegistered =
    RegisterChildTest<PausedDeviceChild<LoopAfterPause>>(kChildVariable, "PausedDeviceChild", "Loop");
const bool g_stopRegistered =
    RegisterChildTest<PausedDeviceChild<StopThenPause>>(kChildVariable, "PausedDeviceChild", "Stop");

// The wave device writes into a pipe: on a pause OpenAL's wave writer seeks back to the
// header of a file and goes on writing there when it resumes, but a pipe cannot seek, so
// every sample arrives in order. Opened for writing as well, it does not wait for the
// child, and it holds (a megabyte) all that a scenario writes until the child is done.
int OpenCapturePipe(const std::string& path)
{
    if (mkfifo(path.c_str(), 0600) != 0)
        return -1;
    const int fd = open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0 && fcntl(fd, F_SETPIPE_SZ, 1 << 20) < 0) {
        close(fd);
        return -1;
    }
    return fd;
}

Bytes DrainPipe(int fd)
{
    Bytes bytes;
    uint8_t chunk[1 << 16];
    for (ssize_t n; (n = read(fd, chunk, sizeof chunk)) > 0;)
        bytes.insert(bytes.end(), chunk, chunk + n);
    close(fd);
    return bytes;
}

struct DeviceOutput {
    std::vector<int16_t> samples;
    double written = 0; // seconds of audio in the output
    double ran = 0;     // seconds the device was open
};

// Of the two idle seconds the device runs for at most about one and a quarter before it pauses.
constexpr double kSlept = 0.4;

// Every scenario idles long enough for the device to pause: its output falls short of the time it ran.
DeviceOutput RunScenario(const char* name)
{
    TempDir dir;
    // Short mixing periods: a Stop takes the position the mixer reports, which may be up to a
    // period ahead of what it has written.
    const std::string conf = "[general]\nchannels = mono\nsample-type = int16\nfrequency = 22050\n"
                             "period_size = 256\n[wave]\nfile = " + dir.Path() + "/out.pipe\n";
    dir.Write("alsoft.conf", Bytes(conf.begin(), conf.end()));
    const int capture = OpenCapturePipe(dir.Path() + "/out.pipe");
    if (capture < 0) {
        ADD_FAILURE() << "no pipe for the output";
        return {};
    }
    const ChildRun child = RunThisBinary(std::string("PausedDeviceChild.") + name, {"ALSOFT_"},
                                         {"ALSOFT_DRIVERS=wave", "ALSOFT_CONF=" + dir.Path() + "/alsoft.conf",
                                          std::string(kChildVariable) + "=" + dir.Path()});
    EXPECT_EQ(child.exitCode, 0) << child.errors;
    const WaveFile wave = ReadWaveFile(dir.Write("out.wav", DrainPipe(capture)));
    DeviceOutput output;
    if (wave.channels != 1 || wave.rate != kRate)
        return output;
    output.samples = wave.samples;
    output.written = static_cast<double>(wave.samples.size()) / kRate;
    std::ifstream(dir.Path() + "/ran") >> output.ran;
    EXPECT_GT(output.ran - output.written, kSlept) << "ran " << output.ran << " s, wrote " << output.written << " s";
    return output;
}

// The samples beyond the threshold (its sign picks the side): how many in all, and the longest run.
struct Level {
    double seconds = 0;
    double longest = 0;
};

Level LevelOf(const std::vector<int16_t>& samples, int threshold)
{
    size_t all = 0, run = 0, longest = 0;
    for (int16_t s : samples) {
        if (threshold > 0 ? s > threshold : s < threshold) {
            ++all;
            longest = std::max(longest, ++run);
        } else {
            run = 0;
        }
    }
    return {static_cast<double>(all) / kRate, static_cast<double>(longest) / kRate};
}

constexpr double kTolerance = 0.01; // seconds: a sound's start and end may be smoothed
constexpr double kStopTolerance = kTolerance + 256.0 / kRate; // and a mixing period at a Stop

TEST(PausedDevice, ASoundAfterThePauseIsWrittenWholeFromItsFirstSample)
{
    const DeviceOutput out = RunScenario("Sound");
    ASSERT_FALSE(out.samples.empty());
    const Level high = LevelOf(out.samples, 8000);
    EXPECT_NEAR(high.longest, 0.2, kTolerance);
    EXPECT_NEAR(high.seconds, 0.2, kTolerance);
}

TEST(PausedDevice, ALoopingSoundKeepsTheDeviceRunning)
{
    const DeviceOutput out = RunScenario("Loop");
    ASSERT_FALSE(out.samples.empty());
    // Played for two and a half seconds: a pause under it would end the run after about one.
    EXPECT_NEAR(LevelOf(out.samples, 8000).longest, 2.5, 0.15);
}

TEST(PausedDevice, AStoppedSoundGoesOnWhereItStoppedAfterThePause)
{
    const DeviceOutput out = RunScenario("Stop");
    ASSERT_FALSE(out.samples.empty());
    // The first part in two pieces, before and after the pause, that add up to all of it.
    const Level high = LevelOf(out.samples, 8000);
    EXPECT_NEAR(high.seconds, 0.2, kStopTolerance);
    EXPECT_LT(high.longest, 0.15);
    const Level low = LevelOf(out.samples, -4000);
    EXPECT_NEAR(low.longest, 0.2, kTolerance);
    EXPECT_NEAR(low.seconds, 0.2, kTolerance);
}

} // namespace
