#include "support/ChildRun.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace testsupport {

ChildRun RunThisBinary(const std::string& filter, const std::vector<std::string>& drop,
                       const std::vector<std::string>& add)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        bool keep = true;
        for (const std::string& prefix : drop)
            keep = keep && std::strncmp(*e, prefix.c_str(), prefix.size()) != 0;
        if (keep)
            env.emplace_back(*e);
    }
    env.insert(env.end(), add.begin(), add.end());
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    ChildRun run;
    char errorsPath[] = "/tmp/child-stderr-XXXXXX";
    const int errors = mkstemp(errorsPath);
    if (errors < 0)
        return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, errors, 2);
    std::string exe = "/proc/self/exe", filterArg = "--gtest_filter=" + filter;
    char* argv[] = {exe.data(), filterArg.data(), nullptr};
    pid_t pid;
    if (posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv, envp.data()) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(errors);
    std::ifstream in(errorsPath);
    run.errors.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    unlink(errorsPath);
    return run;
}

} // namespace testsupport
