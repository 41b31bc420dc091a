// The committed assets are exactly what the generator makes: running it again into an
// empty folder gives the same files, byte for byte, and no others.
#include "AssetFiles.h"

#include <unistd.h>

#include <set>

using namespace assets;
namespace fs = std::filesystem;

namespace {

#ifdef ASSETGEN_EXE

std::set<std::string> filesUnder(const fs::path& dir)
{
    std::set<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator(dir))
        if (e.is_regular_file()) names.insert(fs::relative(e.path(), dir).generic_string());
    return names;
}

TEST(Reproduction, GeneratorRemakesEveryCommittedAssetByteForByte)
{
    const fs::path out = fs::temp_directory_path() / ("assetgen-" + std::to_string(getpid()));
    fs::remove_all(out);
    const std::string command = std::string("\"") + ASSETGEN_EXE + "\" --out \"" + out.string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    const std::set<std::string> made = filesUnder(out);
    EXPECT_EQ(made.size(), 25u) << "three bitmaps, palette, icon, manifest, eighteen sounds, the music";
    for (const std::string& name : made) {
        const auto fresh = readFile(out / name), committed = readRes(name);
        EXPECT_FALSE(fresh.empty()) << name;
        EXPECT_TRUE(fresh == committed) << name << " differs from the committed file";
    }
    fs::remove_all(out);
}

#endif

} // namespace
