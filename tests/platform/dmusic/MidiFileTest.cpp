// The loader's check of Standard MIDI Files: what it refuses, and that it reads nothing
// outside the file.
#include "support/MusicFiles.h"

#include "dmusic/MidiFileCheck.h"
#include "support/WaveImages.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace testsupport;
using platform::MidiFileError;

namespace {

// Checks a copy in a block of exactly the file's size, so that AddressSanitizer sees any
// read past its end.
MidiFileError Check(const Bytes& bytes, uint32_t* ticksPerBeat = nullptr)
{
    const testsupport::ExactCopy copy(bytes);
    uint32_t division = 0;
    const MidiFileError e = platform::CheckMidiFile({copy.data.get(), copy.size}, &division);
    if (ticksPerBeat)
        *ticksPerBeat = division;
    return e;
}

Bytes OneTrack(const Track& t) { return MidiFile(0, 480, {t}); }

TEST(MidiFileCheck, TakesSongsOfBothPlayedFormatsAndGivesTheirDivision)
{
    uint32_t division = 0;
    EXPECT_EQ(Check(TwoNoteSong(), &division), MidiFileError::None);
    EXPECT_EQ(division, 480u);
    Track tempo, notes;
    tempo.Tempo(0, 250000).End();
    notes.Event(0, {0x90, 60, 100}).Event(96, {60, 0}).End(); // running status
    EXPECT_EQ(Check(MidiFile(1, 96, {tempo, notes}), &division), MidiFileError::None);
    EXPECT_EQ(division, 96u);

    // Chunks of other kinds are passed over, and what follows an end of track is not read.
    Bytes extra = Chunk("XFIH", {1, 2, 3});
    const Bytes track = Chunk("MTrk", {0x00, 0xFF, 0x2F, 0x00, 0xF8, 0xF8});
    Bytes file = MidiFile(0, 480, {});
    file[11] = 1; // one track, behind the other chunk
    file.insert(file.end(), extra.begin(), extra.end());
    file.insert(file.end(), track.begin(), track.end());
    EXPECT_EQ(Check(file), MidiFileError::None);
}

TEST(MidiFileCheck, EveryTruncationIsRejected)
{
    const Bytes full = TwoNoteSong();
    for (size_t n = 0; n < full.size(); ++n)
        EXPECT_NE(Check(Bytes(full.begin(), full.begin() + n)), MidiFileError::None) << n << " bytes";
}

TEST(MidiFileCheck, FilesThatAreNotPlayedAreNotMidi)
{
    const std::string wave = "RIFF\x24\0\0\0WAVEfmt ";
    EXPECT_EQ(Check(Bytes(wave.begin(), wave.end())), MidiFileError::NotMidi);
    EXPECT_EQ(Check(Bytes(1000, 0)), MidiFileError::NotMidi);
    EXPECT_EQ(Check({}), MidiFileError::NotMidi);
    Track t;
    t.End();
    EXPECT_EQ(Check(MidiFile(2, 480, {t})), MidiFileError::NotMidi);
    EXPECT_EQ(Check(MidiFile(0, 0xE728, {t})), MidiFileError::NotMidi); // SMPTE time: 25 frames of 40
}

TEST(MidiFileCheck, MalformedFilesAreDamaged)
{
    const auto damaged = [](const Track& t) { return Check(OneTrack(t)) == MidiFileError::Damaged; };
    EXPECT_TRUE(damaged(Track().Event(0, {60, 100}).End()));                   // running status with no status
    EXPECT_TRUE(damaged(Track().Event(0, {0x90, 60, 0x80}).End()));            // data byte with the top bit
    EXPECT_TRUE(damaged(Track().Event(0, {0xFF, 0x01, 0x7F, 'a'}).End()));     // meta text longer than the track
    EXPECT_TRUE(damaged(Track().Event(0, {0xF0, 0x8F, 0xFF, 0xFF, 0x7F})));   // sysex longer than the track
    EXPECT_TRUE(damaged(Track().Event(0, {0x90, 60, 1}).Event(0, {0xFF, 0x06, 0}).Event(0, {61, 1}))); // meta ends running status
    EXPECT_TRUE(damaged(Track().Event(0, {0xF8}).End()));                      // real-time byte in a file
    EXPECT_TRUE(damaged(Track().Event(0, {0xFF, 0xFF, 0xFF, 0xFF, 0x7F})));    // five-byte delta
    EXPECT_EQ(Check(MidiFile(0, 480, {})), MidiFileError::Damaged);            // no tracks
    EXPECT_EQ(Check(MidiFile(0, 0, {Track().End()})), MidiFileError::Damaged); // no timing
    EXPECT_EQ(Check(MidiFile(3, 480, {Track().End()})), MidiFileError::Damaged);
    Bytes missingTrack = MidiFile(1, 480, {Track().End()});
    missingTrack[11] = 2; // says two tracks, holds one
    EXPECT_EQ(Check(missingTrack), MidiFileError::Damaged);
}

TEST(MidiFileCheck, RandomDamageNeverReadsOutsideTheFile)
{
    const Bytes song = TwoNoteSong();
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        Bytes damaged = song;
        for (int k = 0; k < 3; ++k)
            damaged[random() % damaged.size()] = static_cast<uint8_t>(random());
        damaged.resize(random() % (damaged.size() + 1));
        Check(damaged);
    }
}

} // namespace
