#include "support/Xvfb.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace testsupport {
namespace {

void Pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

std::string EnvPrefix(const std::vector<std::string>& env)
{
    std::string prefix;
    for (const auto& e : env)
        prefix += "'" + e + "' ";
    return prefix.empty() ? prefix : "env " + prefix;
}

} // namespace

CommandResult Run(const std::string& command, const std::vector<std::string>& env)
{
    CommandResult r;
    std::string full = EnvPrefix(env) + command;
    FILE* p = popen(full.c_str(), "r");
    if (!p)
        return r;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        r.out.append(buf, n);
    int status = pclose(p);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

XvfbSession::XvfbSession(int width, int height, int bitsPerPixel)
{
    // The server picks a free display itself and writes its number once it takes
    // connections, so that sessions started side by side never share a display.
    int ready[2];
    if (pipe(ready) != 0)
        return;
    std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(bitsPerPixel);
    std::string fd = std::to_string(ready[1]);
    pid_t pid = fork();
    if (pid == 0) {
        close(ready[0]);
        int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, 1);
        dup2(devnull, 2);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
               "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ready[1]);
    std::string number;
    struct pollfd wait{ready[0], POLLIN, 0};
    while (pid > 0 && poll(&wait, 1, 10000) > 0) {
        char c = 0;
        if (read(ready[0], &c, 1) != 1 || c == '\n')
            break;
        number += c;
    }
    close(ready[0]);
    if (pid > 0 && !number.empty()) {
        m_pid = pid;
        m_display = ":" + number;
    } else if (pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

XvfbSession::~XvfbSession()
{
    for (int pid : m_children) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
    }
}

bool XvfbSession::StartWindowManager(const std::string& configFile)
{
    pid_t pid = fork();
    if (pid == 0) {
        int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, 1);
        dup2(devnull, 2);
        setenv("DISPLAY", m_display.c_str(), 1);
        if (configFile.empty())
            execlp("openbox", "openbox", static_cast<char*>(nullptr));
        else
            execlp("openbox", "openbox", "--config-file", configFile.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    if (pid <= 0)
        return false;
    m_children.push_back(pid);
    // It has taken over once it names itself on the root window.
    for (int waited = 0; waited < 10000; waited += 50) {
        if (X("xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null").out.find("window id") != std::string::npos)
            return true;
        Pause(50);
    }
    return false;
}

int XvfbSession::Launch(const std::string& program, const std::vector<std::string>& args, const std::string& dir)
{
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0)
            _exit(126);
        setenv("DISPLAY", m_display.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    if (pid > 0)
        m_children.push_back(pid);
    return pid;
}

int XvfbSession::WaitExit(int pid, int timeoutMs)
{
    for (int waited = 0; waited < timeoutMs; waited += 20) {
        int status;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::erase(m_children, pid);
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        Pause(20);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    std::erase(m_children, pid);
    return -1;
}

CommandResult XvfbSession::X(const std::string& command)
{
    return Run(command, {"DISPLAY=" + m_display});
}

std::string XvfbSession::WaitForWindow(const std::string& titleRegex, int timeoutMs)
{
    for (int waited = 0; waited < timeoutMs; waited += 100) {
        CommandResult r = X("xdotool search --onlyvisible --name '" + titleRegex + "' 2>/dev/null");
        std::istringstream lines(r.out);
        std::string id;
        if (std::getline(lines, id) && !id.empty())
            return id;
        Pause(100);
    }
    return "";
}

std::string XvfbSession::ReadText(const std::string& window)
{
    // Enlarged first: the recogniser reads small screen fonts badly.
    return X("import -window " + window + " png:- 2>/dev/null | convert png:- -resize 300% png:- | "
             "tesseract stdin stdout 2>/dev/null")
        .out;
}

bool XvfbSession::Geometry(const std::string& window, int* x, int* y, int* w, int* h)
{
    CommandResult r = X("xwininfo -id " + window);
    auto field = [&](const char* name, int* out) {
        auto pos = r.out.find(name);
        if (pos == std::string::npos)
            return false;
        *out = std::atoi(r.out.c_str() + pos + std::strlen(name));
        return true;
    };
    return field("Absolute upper-left X:", x) && field("Absolute upper-left Y:", y) && field("Width:", w) &&
           field("Height:", h);
}

bool XvfbSession::Screenshot(std::vector<unsigned char>* rgb, int* width, int* height)
{
    CommandResult r = X("import -window root -depth 8 ppm:- 2>/dev/null");
    std::istringstream in(r.out);
    std::string magic;
    int maxval = 0;
    in >> magic >> *width >> *height >> maxval;
    in.get();
    if (magic != "P6" || maxval != 255 || *width <= 0 || *height <= 0)
        return false;
    size_t bytes = static_cast<size_t>(*width) * *height * 3;
    size_t offset = static_cast<size_t>(in.tellg());
    if (r.out.size() < offset + bytes)
        return false;
    rgb->assign(r.out.begin() + offset, r.out.begin() + offset + bytes);
    return true;
}

} // namespace testsupport
