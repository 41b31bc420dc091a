#include "support/Xvfb.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Outcome {
    bool exited = false;
    int code = -1;
    bool signalled = false;
    bool stopped = false; // still running after the time limit, and killed
    std::string output;
};

// Runs the program with the given display settings (nullptr: unset), capturing its output.
Outcome RunProgram(const char* display, const char* platform)
{
    Outcome outcome;
    const char* dir = std::getenv("MEMORY_BINARY_DIR");
    if (!dir)
        return outcome;
    const std::string program = std::string(dir) + "/memory";
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return outcome;
    pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeFds[1], 1);
        dup2(pipeFds[1], 2);
        close(pipeFds[0]);
        close(pipeFds[1]);
        unsetenv("WAYLAND_DISPLAY");
        display ? setenv("DISPLAY", display, 1) : unsetenv("DISPLAY");
        platform ? setenv("QT_QPA_PLATFORM", platform, 1) : unsetenv("QT_QPA_PLATFORM");
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    // A program that opened its window instead of ending is stopped after a while.
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(limit - std::chrono::steady_clock::now());
        struct pollfd ready{pipeFds[0], POLLIN, 0};
        if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0) {
            outcome.stopped = true;
            kill(pid, SIGKILL);
            break;
        }
        const ssize_t n = read(pipeFds[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        outcome.output.append(buffer, static_cast<size_t>(n));
    }
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    outcome.exited = WIFEXITED(status);
    outcome.code = outcome.exited ? WEXITSTATUS(status) : -1;
    outcome.signalled = WIFSIGNALED(status);
    return outcome;
}

void ExpectOneLineAndFailure(const Outcome& o)
{
    EXPECT_FALSE(o.stopped) << "the program ran on: " << o.output;
    EXPECT_TRUE(o.exited);
    EXPECT_FALSE(o.signalled);
    EXPECT_NE(o.code, 0);
    EXPECT_NE(o.code, 127) << "the program could not be started";
    ASSERT_FALSE(o.output.empty());
    EXPECT_EQ(o.output.find('\n'), o.output.size() - 1) << o.output;
}

TEST(NoDisplayTest, WithoutADisplayTheProgramSaysSoInOneLineAndFails)
{
    ASSERT_NE(std::getenv("MEMORY_BINARY_DIR"), nullptr);
    const Outcome o = RunProgram(nullptr, nullptr);
    ExpectOneLineAndFailure(o);
    EXPECT_NE(o.output.find("display"), std::string::npos) << o.output;
}

TEST(NoDisplayTest, ADisplayThatCannotBeOpenedIsReportedTheSameWay)
{
    ASSERT_NE(std::getenv("MEMORY_BINARY_DIR"), nullptr);
    const Outcome o = RunProgram(":9797", nullptr);
    ExpectOneLineAndFailure(o);
    EXPECT_NE(o.output.find("display"), std::string::npos) << o.output;
}

// The toolkit cannot paint on a palette screen: the program ends before it makes a window,
// saying what the screen needs, instead of showing a black window.
TEST(NoDisplayTest, AScreenOf8BitsPerPixelIsReportedTheSameWayWithTheDepthItNeeds)
{
    ASSERT_NE(std::getenv("MEMORY_BINARY_DIR"), nullptr);
    testsupport::XvfbSession x(640, 480, 8);
    ASSERT_TRUE(x.ok()) << "Xvfb did not start";
    const Outcome o = RunProgram(x.display().c_str(), "xcb");
    ExpectOneLineAndFailure(o);
    EXPECT_EQ(o.code, 1);
    EXPECT_NE(o.output.find("8 bits per pixel"), std::string::npos) << o.output;
    EXPECT_NE(o.output.find("15 bits per pixel or more"), std::string::npos) << o.output;
}

TEST(NoDisplayTest, AScreenOf15BitsPerPixelIsEnough)
{
    ASSERT_NE(std::getenv("MEMORY_BINARY_DIR"), nullptr);
    testsupport::XvfbSession x(1024, 768, 15);
    ASSERT_TRUE(x.ok()) << "Xvfb did not start";
    const std::string dir = std::getenv("MEMORY_BINARY_DIR");
    ASSERT_GT(x.Launch(dir + "/memory", {}, dir), 0);
    EXPECT_FALSE(x.WaitForWindow("Valdmark", 20000).empty()) << "no window appeared";
}

} // namespace
