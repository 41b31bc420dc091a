// The running game as a player meets it in a real X server: its window and title, the
// mouse and the keyboard, and what the screen shows, read card by card against the
// program's own sheets. The last screenshots are kept, to be saved when a test fails.
#pragma once
#include "support/Xvfb.h"

#include <string>
#include <vector>

namespace e2e {

struct Shot {
    std::string label;
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

class GameScreen {
public:
    static constexpr int kClientWidth = 544;
    static constexpr int kClientHeight = 404;
    static constexpr size_t kShotsKept = 100;

    GameScreen();
    ~GameScreen();

    // Starts the program and waits for its window; false when none came.
    bool Launch();
    int Pid() const { return m_pid; }
    testsupport::XvfbSession& X() { return m_x; }
    const std::string& Window() const { return m_window; }

    std::string Title();
    // Keys (xdotool names) typed into the given window, the main window by default.
    void Keys(const std::string& keys, const std::string& window = "");
    // Moves the mouse to a client point; clicks the left button where the mouse is.
    void MoveTo(int x, int y);
    void Click();
    // Waits for a visible window other than the main window whose title matches; its id or "".
    std::string WaitForOtherWindow(const std::string& titleRegex, int timeoutMs);
    bool IsVisible(const std::string& window);
    // The text a window shows, read from its pixels (optical character recognition).
    std::string ReadText(const std::string& window);

    // A new screenshot of the window, kept under the label (in place of the last one when
    // that has the same label); false when none could be taken.
    bool Shoot(const std::string& label);
    const Shot& Last() const { return m_shots.back(); }
    // RGB of a client pixel in the last screenshot.
    const unsigned char* ClientPixel(int x, int y) const;
    // Screen position of the client area's top-left corner and the menu bar's height.
    int ClientLeft() const { return m_clientX; }
    int ClientTop() const { return m_clientY; }
    int MenuBarHeight() const { return m_menuHeight; }

    // The face value (0 to 5) the card at a client position shows in full in the last
    // screenshot, or -1.
    int FaceAt(int x, int y) const;
    // Which of the three back frames (0 to 2) it shows in full, or -1.
    int BackFrameAt(int x, int y) const;
    bool BackAt(int x, int y) const { return BackFrameAt(x, y) >= 0; }

    // The screenshots kept, as PNG files in the folder (made if missing).
    void SaveShots(const std::string& folder) const;

private:
    bool SheetFrameAt(const std::vector<unsigned char>& sheet, int frame, int x, int y) const;

    testsupport::XvfbSession m_x;
    int m_pid = -1;
    std::string m_window;
    int m_clientX = 0;
    int m_clientY = 0;
    int m_menuHeight = 0;
    std::vector<Shot> m_shots;
};

} // namespace e2e
