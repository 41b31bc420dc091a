// The real program started with an argument, as a user meets it on a desktop with a window
// manager: the DirectPlay box comes first and alone, and answering it ends the program
// without a window ever shown.
#include "support/Xvfb.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string BinaryDir() { return std::getenv("MEMORY_BINARY_DIR"); }

void Pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// The program's windows on the screen.
std::vector<std::string> ShownWindows(testsupport::XvfbSession& x, int pid)
{
    std::istringstream lines(x.X("xdotool search --all --onlyvisible --pid " + std::to_string(pid) + " 2>/dev/null").out);
    std::vector<std::string> ids;
    for (std::string id; std::getline(lines, id);)
        if (!id.empty())
            ids.push_back(id);
    return ids;
}

TEST(CommandLine, AnArgumentShowsTheDirectPlayBoxAloneAndItsAnswerEndsTheProgram)
{
    testsupport::XvfbSession x;
    ASSERT_TRUE(x.ok()) << "Xvfb did not start";
    ASSERT_TRUE(x.StartWindowManager()) << "openbox did not start";
    const int pid = x.Launch(BinaryDir() + "/memory", {"c"}, BinaryDir());
    ASSERT_GT(pid, 0);
    const std::string box = x.WaitForWindow("^memory$", 20000);
    ASSERT_FALSE(box.empty()) << "no message box appeared";

    // Whatever else the start would show has had time to come up.
    Pause(1500);
    const std::vector<std::string> shown = ShownWindows(x, pid);
    EXPECT_EQ(shown, std::vector<std::string>{box});
    const std::string text = x.ReadText(box);
    EXPECT_NE(text.find("DirectPlay"), std::string::npos) << text;
    EXPECT_EQ(text.find("backbuffer"), std::string::npos) << text;
    x.X("import -window root '" + BinaryDir() + "/e2e-command-line.png'");

    // OK: the program ends, and no window comes up on the way.
    x.X("xdotool windowfocus --sync " + box + " key Return");
    bool windowShown = false;
    for (int waited = 0; waited < 2000; waited += 50, Pause(50))
        for (const std::string& w : ShownWindows(x, pid))
            windowShown = windowShown || w != box;
    EXPECT_EQ(x.WaitExit(pid, 10000), 0) << "a clean exit, not a crash (128 + signal) or a hang (-1)";
    EXPECT_FALSE(windowShown);
}

} // namespace
