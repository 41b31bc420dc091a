// Starts of the game that end the process: a command-line argument, and a bitmap that
// cannot be loaded. Each runs the game in a process of its own (tests/game/child), which
// records its message boxes and prints what happened.
#include "support/Xvfb.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

struct Outcome {
    int exitCode = -1;
    std::vector<std::string> lines;
};

Outcome RunGame(const std::vector<std::string>& args, const std::string& hidden = "")
{
    std::string command = "'" GAME_CHILD_EXE "'";
    for (const std::string& a : args)
        command += " '" + a + "'";
    testsupport::CommandResult r = testsupport::Run(command, {"MEMORY_CHILD_HIDE=" + hidden});
    Outcome o;
    o.exitCode = r.exitCode;
    std::istringstream in(r.out);
    for (std::string line; std::getline(in, line);)
        o.lines.push_back(line);
    return o;
}

std::string Box(const std::string& text) { return "box|test_game_child|0|" + text; }

TEST(ProgramStart, AnyArgumentShowsTheOneLineDirectPlayMessageAndEndsWithoutAWindow)
{
    for (const char* arg : {"x", "cc", "E", "-c"}) {
        Outcome o = RunGame({arg});
        EXPECT_EQ(o.exitCode, 0) << arg;
        EXPECT_EQ(o.lines, (std::vector<std::string>{Box("Can't create DirectPlay game"), "main-window|none",
                                                     "windows|0"}))
            << arg;
    }
}

TEST(ProgramStart, TheArgumentCInEitherCaseShowsTheTwoLineMessageNamingTheProgram)
{
    const std::string twoLines = Box("Can't create DirectPlay game\\nTry using R or E in 'test_game_child C E' ");
    for (const std::vector<std::string>& args : {std::vector<std::string>{"c"}, {"C"}, {"C", "E"}}) {
        Outcome o = RunGame(args);
        EXPECT_EQ(o.exitCode, 0) << args[0];
        EXPECT_EQ(o.lines, (std::vector<std::string>{twoLines, "main-window|none", "windows|0"})) << args[0];
    }
}

TEST(ProgramStart, AMissingBitmapEndsTheProgramWithCode1AfterTheOnesBeforeIt)
{
    Outcome o = RunGame({}, "STOVE2");
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_EQ(o.lines, (std::vector<std::string>{Box("Cannot load resource: STOVE2"), "sheet|LEVEL0|128x768",
                                                 "sheet|STOVE2|none", "sheet|BKGR_FOIL|none"}));

    o = RunGame({}, "LEVEL0,STOVE2");
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_EQ(o.lines, (std::vector<std::string>{Box("Cannot load resource: LEVEL0"), "sheet|LEVEL0|none",
                                                 "sheet|STOVE2|none", "sheet|BKGR_FOIL|none"}));

    o = RunGame({}, "BKGR_FOIL");
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_EQ(o.lines, (std::vector<std::string>{Box("Cannot load resource: BKGR_FOIL"), "sheet|LEVEL0|128x768",
                                                 "sheet|STOVE2|128x512", "sheet|BKGR_FOIL|none"}));
}

} // namespace
