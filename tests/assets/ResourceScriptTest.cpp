// The resource script names every asset, under the names and types the program asks for.
#include "AssetFiles.h"

#include <map>
#include <regex>
#include <sstream>

using namespace assets;

namespace {

struct Entry {
    std::string type, file;
    bool english = false; // declared after LANGUAGE 9, 1
};

// NAME TYPE "file" lines of the script, by name (quotes taken off).
std::map<std::string, Entry> fileEntries()
{
    const auto bytes = readRes("memory.rc");
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    const std::regex line(R"re(^\s*"?([A-Za-z0-9_]+)"?\s+([A-Za-z0-9_]+)\s+"([^"]+)"\s*$)re");
    const std::regex language(R"(^\s*LANGUAGE\s+(\d+)\s*,\s*(\d+)\s*$)");
    std::map<std::string, Entry> entries;
    bool english = false;
    std::string text;
    std::smatch m;
    while (std::getline(in, text)) {
        if (std::regex_match(text, m, language)) english = m[1] == "9" && m[2] == "1";
        else if (std::regex_match(text, m, line)) entries[m[1]] = {m[2], m[3], english};
    }
    return entries;
}

TEST(ResourceScript, NamesTheBitmapsPaletteIconAndManifest)
{
    const auto entries = fileEntries();
    const std::map<std::string, Entry> expected = {
        {"LEVEL0", {"BITMAP", "LEVEL0.bmp"}},          {"STOVE2", {"BITMAP", "STOVE2.bmp"}},
        {"BKGR_FOIL", {"BITMAP", "BKGR_FOIL.bmp"}},    {"IDR_PALETTE", {"MYRT_PALETTE", "palette.pal"}},
        {"101", {"ICON", "memory.ico"}},               {"1", {"24", "memory.manifest"}},
    };
    for (const auto& [name, want] : expected) {
        const auto it = entries.find(name);
        ASSERT_NE(it, entries.end()) << name;
        EXPECT_EQ(it->second.type, want.type) << name;
        EXPECT_EQ(it->second.file, want.file) << name;
        EXPECT_TRUE(std::filesystem::is_regular_file(resDir() / want.file)) << want.file;
    }
}

TEST(ResourceScript, NamesTheEighteenSoundsInUsEnglish)
{
    const auto entries = fileEntries();
    const char* names[] = {"DONE1", "DONE2", "DONE3", "OOP",   "TSIK",  "CHPOK", "BRIM",  "MENU",  "BLOOP",
                           "FALL1", "FALL2", "FALL3", "FALL4", "FALL5", "FALL6", "FALL7", "FALL8", "GLASS"};
    for (const char* name : names) {
        const auto it = entries.find(name);
        ASSERT_NE(it, entries.end()) << name;
        EXPECT_EQ(it->second.type, "WAV") << name;
        EXPECT_EQ(it->second.file, std::string("wav/") + name + ".wav");
        EXPECT_TRUE(it->second.english) << name << " is language 1033";
        EXPECT_TRUE(std::filesystem::is_regular_file(resDir() / it->second.file)) << it->second.file;
    }
}

} // namespace
