// The resources compiled from res/memory.rc and embedded in the program.
#include "resources/ResourceTemplates.h"
#include "support/ResBytes.h"
#include "testing/HiddenResources.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <afxres.h>
#include <resource.h>

#include <strings.h>
#include <unistd.h>

#include <climits>
#include <memory>

namespace {

using namespace platform::res;
using testsupport::ProgramResource;

struct ProgramResourcesTest : ::testing::Test {
    void TearDown() override { platform::testing::UnhideAllResources(); }
};

TEST_F(ProgramResourcesTest, MenuHasTheGamePopupTheStartCommandAndHelp)
{
    const auto bytes = ProgramResource(RT_MENU, MAKEINTRESOURCE(IDR_MENU));
    MenuTemplate menu;
    ASSERT_TRUE(ParseMenu(bytes.data(), bytes.size(), &menu));
    ASSERT_EQ(menu.items.size(), 3u);
    const MenuItem &game = menu.items[0], &start = menu.items[1], &help = menu.items[2];
    EXPECT_EQ(ToUtf8(game.text), "&Game");
    EXPECT_TRUE(game.popup);
    const std::pair<const char*, int> items[] = {{"&Sound", ID_GAME_SOUND}, {"&Options...", ID_GAME_OPTIONS},
                                                 {"&Default Size", ID_GAME_DEFAULT_SIZE}, {"", 0},
                                                 {"E&xit", 57665}, {"Play midi test", ID_GAME_PLAY_MIDI}};
    ASSERT_EQ(game.children.size(), std::size(items));
    for (size_t i = 0; i < std::size(items); ++i) {
        EXPECT_EQ(ToUtf8(game.children[i].text), items[i].first);
        EXPECT_EQ(game.children[i].id, items[i].second);
        EXPECT_EQ(game.children[i].separator, i == 3);
        EXPECT_EQ(game.children[i].flags & 0x9, 0) << "checked or greyed: " << i;
    }
    EXPECT_EQ(ToUtf8(start.text), "S&tart");
    EXPECT_FALSE(start.popup);
    EXPECT_EQ(start.id, ID_GAME_START);
    EXPECT_EQ(ToUtf8(help.text), "&Help");
    ASSERT_EQ(help.children.size(), 1u);
    EXPECT_EQ(ToUtf8(help.children[0].text), "&About");
    EXPECT_EQ(help.children[0].id, ID_HELP_ABOUT);
}

TEST_F(ProgramResourcesTest, OptionsDialogHasItsSixteenControls)
{
    const auto bytes = ProgramResource(RT_DIALOG, MAKEINTRESOURCE(IDD_OPTIONS));
    DialogTemplate dlg;
    ASSERT_TRUE(ParseDialog(bytes.data(), bytes.size(), &dlg));
    EXPECT_TRUE(dlg.extended);
    EXPECT_EQ(dlg.style, 0x90C808C0u);
    EXPECT_EQ(dlg.exStyle, 0x80u);
    EXPECT_EQ(ToUtf8(dlg.caption), "Options");
    EXPECT_EQ((std::array{dlg.x, dlg.y, dlg.cx, dlg.cy}), (std::array<int16_t, 4>{0, 0, 133, 136}));
    EXPECT_EQ(ToUtf8(dlg.font), "MS Sans Serif");
    EXPECT_EQ((std::array<int, 4>{dlg.pointSize, dlg.weight, dlg.italic, dlg.charset}), (std::array{8, 0, 0, 1}));
    EXPECT_TRUE(dlg.menu.empty() && dlg.className.empty());

    struct Control {
        int32_t id;
        const char *cls, *text;
        uint32_t style;
        std::array<int16_t, 4> rect;
    };
    const Control controls[] = {
        {1000, "BUTTON", "Vertical", 0x50021009, {14, 19, 46, 10}},
        {1001, "BUTTON", "Horizontal", 0x50001009, {14, 30, 46, 10}},
        {1002, "BUTTON", "Square", 0x50001009, {14, 41, 46, 10}},
        {1004, "BUTTON", "VH", 0x50001009, {14, 52, 46, 10}},
        {1003, "BUTTON", "HV", 0x50001009, {14, 63, 46, 10}},
        {1005, "BUTTON", "Random", 0x50001009, {14, 74, 46, 10}},
        {1008, "BUTTON", "Immediate", 0x50001009, {14, 86, 46, 10}},
        {1, "BUTTON", "OK", 0x40010001, {15, 119, 46, 10}},
        {2, "BUTTON", "Cancel", 0x40010000, {7, 123, 30, 6}},
        {-1, "BUTTON", "Rotate style:", 0x50000007, {7, 7, 62, 102}},
        {1009, "msctls_trackbar32", "Slider1", 0x5001001A, {80, 15, 13, 78}},
        {-1, "BUTTON", "Speed", 0x50000307, {73, 7, 48, 102}},
        {1010, "msctls_trackbar32", "Slider1", 0x5001001A, {100, 15, 13, 78}},
        {-1, "STATIC", "Rotate", 0x50020000, {76, 98, 21, 8}},
        {-1, "STATIC", "Wave", 0x50020000, {100, 98, 19, 8}},
        {1011, "BUTTON", "Reset", 0x50010000, {74, 114, 46, 11}},
    };
    ASSERT_EQ(dlg.items.size(), std::size(controls));
    for (size_t i = 0; i < std::size(controls); ++i) {
        SCOPED_TRACE(i);
        const DialogItem& item = dlg.items[i];
        EXPECT_EQ(item.id, controls[i].id);
        // Window classes are case-insensitive; the compiler stores them upper-cased.
        EXPECT_EQ(strcasecmp(ToUtf8(item.className).c_str(), controls[i].cls), 0) << ToUtf8(item.className);
        EXPECT_EQ(ToUtf8(item.text), controls[i].text);
        EXPECT_EQ(item.style, controls[i].style);
        EXPECT_EQ((std::array{item.x, item.y, item.cx, item.cy}), controls[i].rect);
        EXPECT_EQ(item.exStyle + item.helpId + item.creationData.size(), 0u);
    }
}

TEST_F(ProgramResourcesTest, EveryTruncatedTemplateIsRejected)
{
    auto rejectsPrefixes = [](const std::vector<uint8_t>& bytes, auto parse, auto* out) {
        ASSERT_TRUE(parse(bytes.data(), bytes.size(), out));
        for (size_t length = 0; length < bytes.size(); ++length) {
            auto block = std::make_unique<uint8_t[]>(length); // exactly sized: ASan sees any overread
            std::copy_n(bytes.begin(), length, block.get());
            EXPECT_FALSE(parse(block.get(), length, out)) << length;
        }
    };
    MenuTemplate menu;
    rejectsPrefixes(ProgramResource(RT_MENU, MAKEINTRESOURCE(IDR_MENU)), ParseMenu, &menu);
    DialogTemplate dlg;
    rejectsPrefixes(ProgramResource(RT_DIALOG, MAKEINTRESOURCE(IDD_OPTIONS)), ParseDialog, &dlg);
}

TEST_F(ProgramResourcesTest, LoadStringReadsTheStringTableAndTruncates)
{
    char buffer[64];
    EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), ID_FIND_SECOND_CARD, buffer, sizeof buffer), 16);
    EXPECT_STREQ(buffer, "Find second card");
    EXPECT_EQ(LoadStringA(nullptr, ID_FIND_SECOND_CARD, buffer, 5), 4);
    EXPECT_STREQ(buffer, "Find");
    // Another slot of the same block, and an id whose block does not exist.
    EXPECT_EQ(LoadStringA(nullptr, ID_FIND_SECOND_CARD + 1, buffer, sizeof buffer), 0);
    EXPECT_EQ(LoadStringA(nullptr, 1, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
}

TEST_F(ProgramResourcesTest, HandlesLeadToTheDataAndUnknownOnesToNothing)
{
    HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCE(IDD_OPTIONS), RT_DIALOG);
    HGLOBAL data = LoadResource(nullptr, info);
    const auto expected = ProgramResource(RT_DIALOG, MAKEINTRESOURCE(IDD_OPTIONS));
    ASSERT_EQ(SizeofResource(GetModuleHandleA(nullptr), info), expected.size());
    EXPECT_EQ(0, std::memcmp(LockResource(data), expected.data(), expected.size()));
    EXPECT_EQ(FindResourceA(nullptr, "#106", "#5"), info) << "\"#n\" names an id";
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCE(IDD_OPTIONS), RT_MENU), nullptr);

    EXPECT_EQ(LockResource(reinterpret_cast<HGLOBAL>(info)), nullptr);
    EXPECT_EQ(SizeofResource(nullptr, reinterpret_cast<HRSRC>(data)), 0u);
    EXPECT_EQ(LoadResource(nullptr, reinterpret_cast<HRSRC>(uintptr_t{0x52FFFFFF})), nullptr);
    HMODULE other = reinterpret_cast<HMODULE>(uintptr_t{0x1000});
    EXPECT_EQ(FindResourceA(other, MAKEINTRESOURCE(IDD_OPTIONS), RT_DIALOG), nullptr);
    EXPECT_EQ(LoadResource(other, info), nullptr);
}

TEST_F(ProgramResourcesTest, HiddenResourcesAreMissingUntilUnhidden)
{
    platform::testing::HideResource(MAKEINTRESOURCE(IDR_MENU), RT_DIALOG);
    EXPECT_NE(FindResourceA(nullptr, MAKEINTRESOURCE(IDR_MENU), RT_MENU), nullptr) << "another type";
    platform::testing::HideResource("#102");
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCE(IDR_MENU), RT_MENU), nullptr);
    EXPECT_TRUE(ProgramResource(RT_MENU, MAKEINTRESOURCE(IDR_MENU)).empty());
    platform::testing::UnhideAllResources();
    EXPECT_NE(FindResourceA(nullptr, MAKEINTRESOURCE(IDR_MENU), RT_MENU), nullptr);
}

TEST_F(ProgramResourcesTest, TheProgramIsTheOnlyModule)
{
    EXPECT_NE(GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(GetModuleHandleA("user32.dll"), nullptr);
    char expected[PATH_MAX] = {}, path[PATH_MAX], small[4];
    ASSERT_GT(readlink("/proc/self/exe", expected, sizeof expected - 1), 0);
    EXPECT_EQ(GetModuleFileNameA(nullptr, path, sizeof path), std::strlen(expected));
    EXPECT_STREQ(path, expected);
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), sizeof small);
    EXPECT_EQ(std::string(small), std::string(expected, 3));
}

} // namespace
