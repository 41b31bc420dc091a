#include "GameScreen.h"

#include "support/BmpFiles.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

namespace e2e {
namespace {

constexpr int kCard = 128;
// Points compared inside a card: a grid over the whole face.
constexpr int kGridStep = 9;
constexpr int kTolerance = 8;

std::string SourceDir() { return std::getenv("MEMORY_SOURCE_DIR"); }
std::string BinaryDir() { return std::getenv("MEMORY_BINARY_DIR"); }

// The sampled points of every frame of a 128-wide sheet, as 0xRRGGBB.
std::vector<unsigned char> SheetSamples(const std::string& name, int frames)
{
    const std::vector<uint8_t> bmp = testsupport::ReadFile(SourceDir() + "/res/" + name + ".bmp");
    std::vector<unsigned char> samples;
    for (int f = 0; f < frames; ++f)
        for (int y = kGridStep / 2; y < kCard; y += kGridStep)
            for (int x = kGridStep / 2; x < kCard; x += kGridStep) {
                uint32_t c = testsupport::BmpPixel(bmp, x, f * kCard + y).value_or(0xFFFFFFFF);
                samples.push_back((unsigned char)(c >> 16));
                samples.push_back((unsigned char)(c >> 8));
                samples.push_back((unsigned char)c);
            }
    return samples;
}

const std::vector<unsigned char>& Faces()
{
    static const std::vector<unsigned char> faces = SheetSamples("LEVEL0", 6);
    return faces;
}

const std::vector<unsigned char>& Backs()
{
    static const std::vector<unsigned char> backs = SheetSamples("STOVE2", 3);
    return backs;
}

int SamplesPerFrame()
{
    int n = 0;
    for (int y = kGridStep / 2; y < kCard; y += kGridStep)
        for (int x = kGridStep / 2; x < kCard; x += kGridStep)
            ++n;
    return n;
}

} // namespace

GameScreen::GameScreen() = default;

GameScreen::~GameScreen() = default;

bool GameScreen::Launch()
{
    if (!m_x.ok())
        return false;
    m_pid = m_x.Launch(BinaryDir() + "/memory", {}, BinaryDir());
    if (m_pid <= 0)
        return false;
    m_window = m_x.WaitForWindow("Valdmark", 30000);
    int x = 0, y = 0, w = 0, h = 0;
    if (m_window.empty() || !m_x.Geometry(m_window, &x, &y, &w, &h))
        return false;
    // The client area is the bottom of the window, under the menu bar.
    m_clientX = x + w - kClientWidth;
    m_clientY = y + h - kClientHeight;
    m_menuHeight = h - kClientHeight;
    return true;
}

std::string GameScreen::Title()
{
    std::string title = m_x.X("xdotool getwindowname " + m_window).out;
    while (!title.empty() && (title.back() == '\n' || title.back() == '\r'))
        title.pop_back();
    return title;
}

void GameScreen::Keys(const std::string& keys, const std::string& window)
{
    m_x.X("xdotool windowfocus --sync " + (window.empty() ? m_window : window) + " key --clearmodifiers " + keys);
}

void GameScreen::MoveTo(int x, int y)
{
    m_x.X("xdotool mousemove --sync " + std::to_string(m_clientX + x) + " " + std::to_string(m_clientY + y));
}

void GameScreen::Click() { m_x.X("xdotool click 1"); }

std::string GameScreen::WaitForOtherWindow(const std::string& titleRegex, int timeoutMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        std::istringstream ids(m_x.X("xdotool search --onlyvisible --name '" + titleRegex + "' 2>/dev/null").out);
        for (std::string id; std::getline(ids, id);)
            if (!id.empty() && id != m_window)
                return id;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    } while (std::chrono::steady_clock::now() < end);
    return "";
}

bool GameScreen::IsVisible(const std::string& window)
{
    return m_x.X("xwininfo -id " + window + " 2>/dev/null").out.find("IsViewable") != std::string::npos;
}

std::string GameScreen::ReadText(const std::string& window) { return m_x.ReadText(window); }

bool GameScreen::Shoot(const std::string& label)
{
    std::vector<unsigned char> screen;
    int sw = 0, sh = 0;
    if (!m_x.Screenshot(&screen, &sw, &sh))
        return false;
    // Only the window is kept: the menu bar and the client area, where the boxes open too.
    Shot shot;
    shot.label = label;
    shot.width = kClientWidth;
    shot.height = m_menuHeight + kClientHeight;
    const int left = m_clientX, top = m_clientY - m_menuHeight;
    if (left < 0 || top < 0 || left + shot.width > sw || top + shot.height > sh)
        return false;
    for (int y = 0; y < shot.height; ++y) {
        const unsigned char* row = &screen[(static_cast<size_t>(top + y) * sw + left) * 3];
        shot.rgb.insert(shot.rgb.end(), row, row + shot.width * 3);
    }
    // Of the screenshots taken while waiting for one thing, the last tells.
    if (!m_shots.empty() && m_shots.back().label == label)
        m_shots.back() = std::move(shot);
    else
        m_shots.push_back(std::move(shot));
    if (m_shots.size() > kShotsKept)
        m_shots.erase(m_shots.begin());
    return true;
}

const unsigned char* GameScreen::ClientPixel(int x, int y) const
{
    const Shot& s = m_shots.back();
    return &s.rgb[(static_cast<size_t>(m_menuHeight + y) * s.width + x) * 3];
}

bool GameScreen::SheetFrameAt(const std::vector<unsigned char>& sheet, int frame, int x, int y) const
{
    if (m_shots.empty())
        return false;
    const unsigned char* want = &sheet[static_cast<size_t>(frame) * SamplesPerFrame() * 3];
    for (int sy = kGridStep / 2; sy < kCard; sy += kGridStep)
        for (int sx = kGridStep / 2; sx < kCard; sx += kGridStep, want += 3) {
            const unsigned char* got = ClientPixel(x + sx, y + sy);
            for (int c = 0; c < 3; ++c)
                if (std::abs(got[c] - want[c]) > kTolerance)
                    return false;
        }
    return true;
}

int GameScreen::FaceAt(int x, int y) const
{
    for (int v = 0; v < 6; ++v)
        if (SheetFrameAt(Faces(), v, x, y))
            return v;
    return -1;
}

int GameScreen::BackFrameAt(int x, int y) const
{
    for (int f = 0; f < 3; ++f)
        if (SheetFrameAt(Backs(), f, x, y))
            return f;
    return -1;
}

void GameScreen::SaveShots(const std::string& folder) const
{
    std::filesystem::create_directories(folder);
    int n = 0;
    for (const Shot& s : m_shots) {
        char name[32];
        std::snprintf(name, sizeof name, "%03d-", n++);
        const std::string command = "convert ppm:- '" + folder + "/" + name + s.label + ".png'";
        FILE* out = popen(command.c_str(), "w");
        if (!out)
            continue;
        std::fprintf(out, "P6\n%d %d\n255\n", s.width, s.height);
        std::fwrite(s.rgb.data(), 1, s.rgb.size(), out);
        pclose(out);
    }
}

} // namespace e2e
