#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Outcome {
    bool exited = false;
    int code = -1;
    bool signalled = false;
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
    char buffer[4096];
    ssize_t n;
    while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0)
        outcome.output.append(buffer, static_cast<size_t>(n));
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
    EXPECT_TRUE(o.exited);
    EXPECT_FALSE(o.signalled);
    EXPECT_NE(o.code, 0);
    EXPECT_NE(o.code, 127) << "the program could not be started";
    ASSERT_FALSE(o.output.empty());
    EXPECT_EQ(o.output.find('\n'), o.output.size() - 1) << o.output;
    EXPECT_NE(o.output.find("display"), std::string::npos) << o.output;
}

TEST(NoDisplayTest, WithoutADisplayTheProgramSaysSoInOneLineAndFails)
{
    ASSERT_NE(std::getenv("MEMORY_BINARY_DIR"), nullptr);
    ExpectOneLineAndFailure(RunProgram(nullptr, nullptr));
}

TEST(NoDisplayTest, ADisplayThatCannotBeOpenedIsReportedTheSameWay)
{
    ASSERT_NE(std::getenv("MEMORY_BINARY_DIR"), nullptr);
    ExpectOneLineAndFailure(RunProgram(":9797", nullptr));
}

} // namespace
