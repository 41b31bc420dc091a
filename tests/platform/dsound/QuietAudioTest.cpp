// Without an audio device the program runs silent and the terminal stays clean; the audio
// libraries' own messages are there for whoever sets MEMORY_AUDIO_DEBUG.
#include "support/ChildRun.h"
#include "support/MusicFiles.h"

#include <dsound.h>
#include <gtest/gtest.h>

#include <cstdlib>

using namespace testsupport;

namespace {

constexpr const char* kChildVariable = "MEMORY_NO_DEVICE_CHILD";

// Runs in the child only, where OpenAL's configuration leaves no device to open.
class CreateWithoutDevice : public ::testing::Test {
    void TestBody() override
    {
        LPDIRECTSOUND ds = nullptr;
        EXPECT_EQ(DirectSoundCreate(NULL, &ds, NULL), DSERR_NODRIVER);
        EXPECT_EQ(ds, nullptr);
    }
};

const bool g_childRegistered = RegisterChildTest<CreateWithoutDevice>(kChildVariable, "NoDeviceChild", "Create");

TEST(QuietAudio, WithoutADeviceNothingIsWrittenOnTheTerminalUnlessAskedFor)
{
    // OpenAL's wave device writing into a folder that does not exist: it fails to open, and says so.
    TempDir dir;
    const std::string conf = "[wave]\nfile = " + dir.Path() + "/missing/out.wav\n";
    dir.Write("alsoft.conf", Bytes(conf.begin(), conf.end()));
    const std::vector<std::string> drop{"ALSOFT_", "MEMORY_AUDIO_DEBUG"};
    std::vector<std::string> env{"ALSOFT_DRIVERS=wave", "ALSOFT_CONF=" + dir.Path() + "/alsoft.conf",
                                 std::string(kChildVariable) + "=1"};

    const ChildRun quiet = RunThisBinary("NoDeviceChild.Create", drop, env);
    EXPECT_EQ(quiet.exitCode, 0) << quiet.errors;
    EXPECT_EQ(quiet.errors, "");

    env.push_back("MEMORY_AUDIO_DEBUG=1");
    const ChildRun told = RunThisBinary("NoDeviceChild.Create", drop, env);
    EXPECT_EQ(told.exitCode, 0) << told.errors;
    EXPECT_NE(told.errors.find("AL lib"), std::string::npos) << "the audio library's message is gone: " << told.errors;
}

} // namespace
