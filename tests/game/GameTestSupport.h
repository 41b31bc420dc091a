// The game's main window made the way the program makes it, by the application object,
// with message boxes recorded and the command line of a program started without arguments.
#pragma once
#include "game/MemApp.h"
#include "game/MemWin.h"
#include "resource.h"
#include "testing/DirectDrawSeams.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

extern MemApp theApp;

namespace gametest {

// Sets the runtime library's argument list for as long as it lives.
class CommandLine {
public:
    CommandLine(std::initializer_list<const char*> args);
    ~CommandLine();
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

private:
    std::vector<std::string> m_args;
    std::vector<char*> m_argv;
    int m_oldArgc;
    char** m_oldArgv;
};

struct GameWindowTest : ::testing::Test {
    void SetUp() override;
    void TearDown() override;

    // theApp's InitInstance: the window is created, made the main window and shown.
    MemWin* Open();
    // Destroys the main window (the class library deletes the object) and takes the quit it posts.
    void Close();

    CommandLine commandLine{"test_game"};
    platform::testing::DirectDrawCounts ddBefore;
    int gdiBefore = 0;
};

// A pixel (0xRRGGBB) of one of the program's bitmaps, from the committed file res/<name>.bmp.
std::optional<uint32_t> BitmapPixel(const std::string& name, int x, int y);
inline std::optional<uint32_t> BackgroundPixel(int x, int y) { return BitmapPixel("BKGR_FOIL", x, y); }

// Points of the background to compare: corners and inner points of the 540 by 400 bitmap,
// all between the cards of both board layouts.
inline constexpr int kBackgroundPoints[][2] = {{0, 0}, {539, 0}, {0, 399}, {539, 399}, {268, 200}, {138, 77}, {533, 390}};

// One pixel (0xRRGGBB) of the window's client area as it shows it.
uint32_t WindowPixel(HWND hwnd, int x, int y);
// Fills the window's client pixels with one colour.
void FillWindow(HWND hwnd, uint32_t colour);

// Chooses the menu item as the user would and lets the command arrive.
void Choose(MemWin* pWin, UINT nCommand);

bool SameCounts(const platform::testing::DirectDrawCounts& a, const platform::testing::DirectDrawCounts& b);

} // namespace gametest
