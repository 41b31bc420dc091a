// Replays the fuzzer's seed corpus and every crafted bad image through ParseWave
// under the sanitizers, reading everything it hands back.
#include "fuzz/ExerciseParseWave.h"
#include "support/WaveImages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace testsupport;

namespace {

TEST(ParseWaveReplay, SeedCorpus)
{
    const char* source = std::getenv("MEMORY_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    const std::filesystem::path corpus = std::filesystem::path(source) / "tests/fuzz/corpus";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        std::ifstream in(entry.path(), std::ios::binary);
        Bytes image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ExactCopy copy(image);
        BOOL all = FALSE;
        EXPECT_EQ(ExerciseParseWave(copy.data.get(), copy.size, &all), nullptr) << entry.path();
        ++files;
    }
    EXPECT_GT(files, 0);
}

TEST(ParseWaveReplay, CraftedBadImages)
{
    for (const NamedImage& bad : CraftedBadImages()) {
        ExactCopy copy(bad.bytes);
        BOOL all = TRUE;
        EXPECT_EQ(ExerciseParseWave(copy.data.get(), copy.size, &all), nullptr) << bad.name;
        EXPECT_FALSE(all) << bad.name;
    }
}

} // namespace
