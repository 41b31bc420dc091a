// A real X server for end-to-end tests: starts Xvfb on a free display, runs the
// program in it and drives it with xdotool, as a player would.
#pragma once
#include <string>
#include <vector>

namespace testsupport {

struct CommandResult {
    int exitCode = -1;
    std::string out;
};

// Runs a shell command with the given extra environment; captures stdout.
CommandResult Run(const std::string& command, const std::vector<std::string>& env = {});

class XvfbSession {
public:
    XvfbSession(int width = 1024, int height = 768, int bitsPerPixel = 24);
    ~XvfbSession();
    XvfbSession(const XvfbSession&) = delete;
    XvfbSession& operator=(const XvfbSession&) = delete;

    bool ok() const { return m_pid > 0; }
    const std::string& display() const { return m_display; }

    // Starts a window manager (openbox) in the session, as a user's desktop has one, with its
    // own settings or those of a file; false when it did not take over the screen.
    bool StartWindowManager(const std::string& configFile = "");
    // Starts a program in the session (working directory: dir); returns its pid.
    int Launch(const std::string& program, const std::vector<std::string>& args, const std::string& dir);
    // Waits up to timeoutMs for a visible window whose title matches; returns its id or "".
    std::string WaitForWindow(const std::string& titleRegex, int timeoutMs);
    // A command run with DISPLAY set to this session.
    CommandResult X(const std::string& command);
    // Client-area geometry of a window on the screen: x, y, width, height.
    bool Geometry(const std::string& window, int* x, int* y, int* w, int* h);
    // The text a window shows, read from its pixels (optical character recognition).
    std::string ReadText(const std::string& window);
    // Screenshot of the whole screen as a binary PPM read into RGB bytes.
    bool Screenshot(std::vector<unsigned char>* rgb, int* width, int* height);

    // Waits for a launched program to end; returns its exit code, or -1 on timeout (then kills it).
    int WaitExit(int pid, int timeoutMs);

private:
    int m_pid = -1;
    std::string m_display;
    std::vector<int> m_children;
};

} // namespace testsupport
