// The chunk walk of ParseWave on images made by hand.
#include "sound/SoundObject.h"
#include "support/WaveImages.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

// The three outputs, started with values the walk must overwrite.
struct Outputs {
    WAVEFORMATEX* format = reinterpret_cast<WAVEFORMATEX*>(1);
    BYTE* data = reinterpret_cast<BYTE*>(1);
    DWORD count = 77;
};

// ParseWave on an exact-size copy of the image; offsets of the outputs into it (-1 for NULL).
struct Walk {
    BOOL ok;
    long formatAt;
    long dataAt;
    DWORD count;
};

Walk Parse(const Bytes& image, bool wantFormat = true, bool wantData = true, bool wantCount = true)
{
    ExactCopy copy(image);
    Outputs out;
    BOOL ok = ParseWave(copy.data.get(), copy.size, wantFormat ? &out.format : nullptr,
                        wantData ? &out.data : nullptr, wantCount ? &out.count : nullptr);
    auto at = [&](const void* p) { return p ? static_cast<long>(static_cast<const BYTE*>(p) - copy.data.get()) : -1L; };
    return {ok, wantFormat ? at(out.format) : -2, wantData ? at(out.data) : -2, wantCount ? out.count : 0};
}

TEST(ParseWave, FindsTheFormatAndTheSamples)
{
    Walk w = Parse(SimpleWave(1, 16, 22050, Ramp(594)));
    EXPECT_TRUE(w.ok);
    EXPECT_EQ(w.formatAt, 20);
    EXPECT_EQ(w.dataAt, 44);
    EXPECT_EQ(w.count, 594u);
}

TEST(ParseWave, RefusesWhatIsNotARiffWaveAndClearsTheOutputs)
{
    Bytes image = SimpleWave(1, 8, 8000, Ramp(10));
    Bytes notRiff = image, notWave = image;
    notRiff[0] = 'r';
    notWave[11] = 'e';
    for (const Bytes& bad : {notRiff, notWave}) {
        Walk w = Parse(bad);
        EXPECT_FALSE(w.ok);
        EXPECT_EQ(w.formatAt, -1);
        EXPECT_EQ(w.dataAt, -1);
        EXPECT_EQ(w.count, 0u);
    }
}

TEST(ParseWave, ARiffSizeOfFourOrLessHoldsNoChunks)
{
    Bytes image = SimpleWave(1, 8, 8000, Ramp(10));
    for (uint32_t size : {0u, 3u, 4u}) {
        PutDword(image, 4, size);
        EXPECT_FALSE(Parse(image, true, false, false).ok) << size;
    }
    // With 5 the first chunk is read, and the walk ends behind it.
    PutDword(image, 4, 5);
    EXPECT_TRUE(Parse(image, true, false, false).ok);
    EXPECT_FALSE(Parse(image).ok);
}

TEST(ParseWave, TheRiffSizeEndsTheWalkInsideALongerImage)
{
    Bytes chunks;
    AppendChunk(chunks, "fmt ", PcmFormatBody(1, 8, 8000));
    Bytes image = RiffWave(chunks);
    AppendChunk(image, "data", Ramp(10)); // behind 8 + S
    EXPECT_FALSE(Parse(image).ok);
}

TEST(ParseWave, TheFormatNeedsFourteenBytes)
{
    for (bool dataFirst : {false, true}) {
        Bytes chunks;
        if (dataFirst)
            AppendChunk(chunks, "data", Ramp(10));
        AppendChunk(chunks, "fmt ", PcmFormatBody(1, 8, 8000, 13));
        AppendChunk(chunks, "data", Ramp(10));
        EXPECT_FALSE(Parse(RiffWave(chunks)).ok) << "data first: " << dataFirst;
    }
    Bytes chunks;
    AppendChunk(chunks, "fmt ", PcmFormatBody(1, 8, 8000, 14));
    AppendChunk(chunks, "data", Ramp(10));
    Walk w = Parse(RiffWave(chunks));
    EXPECT_TRUE(w.ok);
    EXPECT_EQ(w.formatAt, 20);
    EXPECT_EQ(w.dataAt, 42);
}

TEST(ParseWave, ASecondFormatIsSteppedOverUnmeasured)
{
    Bytes chunks;
    AppendChunk(chunks, "fmt ", PcmFormatBody(1, 8, 8000));
    AppendChunk(chunks, "fmt ", Bytes(2));
    AppendChunk(chunks, "data", Ramp(10));
    Walk w = Parse(RiffWave(chunks));
    EXPECT_TRUE(w.ok);
    EXPECT_EQ(w.formatAt, 20);
    EXPECT_EQ(w.dataAt, 54);
}

TEST(ParseWave, OddChunksArePaddedToAnEvenOffset)
{
    Bytes chunks;
    AppendChunk(chunks, "LIST", Ramp(7)); // 12 + 8 + 7 + 1 pad
    AppendChunk(chunks, "fmt ", PcmFormatBody(1, 8, 8000));
    AppendChunk(chunks, "data", Ramp(7235));
    Walk w = Parse(RiffWave(chunks));
    EXPECT_TRUE(w.ok);
    EXPECT_EQ(w.formatAt, 36);
    EXPECT_EQ(w.count, 7235u);
}

TEST(ParseWave, ChunksBehindTheSamplesAreNeverReached)
{
    // Odd samples without their pad byte end the image; or a chunk behind them lies.
    Bytes chunks;
    AppendChunk(chunks, "fmt ", PcmFormatBody(1, 8, 8000));
    AppendChunk(chunks, "data", Ramp(8921), false);
    EXPECT_TRUE(Parse(RiffWave(chunks)).ok);

    chunks.push_back(0);
    AppendChunk(chunks, "LIST", Ramp(4));
    Bytes image = RiffWave(chunks);
    PutDword(image, image.size() - 8, 0xFFFFFFFFu);
    Walk w = Parse(image);
    EXPECT_TRUE(w.ok);
    EXPECT_EQ(w.count, 8921u);
}

TEST(ParseWave, OnlyTheOutputsAskedForAreLookedFor)
{
    Bytes chunks;
    AppendChunk(chunks, "fmt ", PcmFormatBody(1, 8, 8000));
    AppendChunk(chunks, "LIST", Bytes(4));
    Bytes noData = RiffWave(chunks);
    Walk formatOnly = Parse(noData, true, false, false);
    EXPECT_TRUE(formatOnly.ok);
    EXPECT_EQ(formatOnly.formatAt, 20);
    EXPECT_FALSE(Parse(noData).ok); // no "data": FALSE at the end of the walk

    Bytes dataOnly;
    AppendChunk(dataOnly, "data", Ramp(6));
    Walk samples = Parse(RiffWave(dataOnly), false, true, true);
    EXPECT_TRUE(samples.ok);
    EXPECT_EQ(samples.dataAt, 20);
    EXPECT_EQ(samples.count, 6u);
    EXPECT_FALSE(Parse(RiffWave(dataOnly)).ok);
}

TEST(ParseWave, EmptySamplesAfterTheFormatEndTheWalk)
{
    Bytes chunks;
    AppendChunk(chunks, "fmt ", PcmFormatBody(1, 8, 8000));
    AppendChunk(chunks, "data", {});
    AppendChunk(chunks, "data", Ramp(10));
    Walk w = Parse(RiffWave(chunks));
    EXPECT_TRUE(w.ok);
    EXPECT_EQ(w.dataAt, 44);
    EXPECT_EQ(w.count, 0u);
}

TEST(ParseWave, EmptySamplesBeforeTheFormatAreReplacedByLaterOnes)
{
    Bytes chunks;
    AppendChunk(chunks, "data", {});
    AppendChunk(chunks, "fmt ", PcmFormatBody(1, 8, 8000));
    EXPECT_FALSE(Parse(RiffWave(chunks)).ok);

    AppendChunk(chunks, "data", Ramp(10));
    Walk w = Parse(RiffWave(chunks));
    EXPECT_TRUE(w.ok);
    EXPECT_EQ(w.formatAt, 28);
    EXPECT_EQ(w.dataAt, 52);
    EXPECT_EQ(w.count, 10u);
}

TEST(ParseWave, ARiffSizePastTheImageIsHarmlessWhileTheChunksFit)
{
    Bytes image = SimpleWave(1, 8, 8000, Ramp(10));
    PutDword(image, 4, 0xFFFFFFFFu);
    EXPECT_TRUE(Parse(image).ok);
}

} // namespace
