// Standard MIDI File parsing and the sample-timed sequencer.
#include "MusicFiles.h"

#include "dmusic/MidiFile.h"
#include "dmusic/Sequencer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace music_test;
using platform::MidiFileError;
using platform::MidiSong;

namespace {

MidiFileError Parse(const Bytes& bytes, MidiSong* out = nullptr)
{
    MidiSong song;
    const MidiFileError e = platform::ParseMidiFile(bytes, song);
    if (out)
        *out = song;
    return e;
}

Bytes OneTrack(const Track& t) { return MidiFile(0, 480, {t}); }

TEST(MidiFile, ReadsMessagesWithRunningStatusAndTheirTimes)
{
    Track t;
    t.Event(0, {0x90, 60, 100}).Event(480, {62, 90}).Event(240, {60, 0}).End();
    MidiSong song;
    ASSERT_EQ(Parse(OneTrack(t), &song), MidiFileError::None);
    ASSERT_EQ(song.Messages().size(), 3u);
    EXPECT_EQ(song.Messages()[1].status, 0x90);
    EXPECT_EQ(song.Messages()[1].data1, 62);
    EXPECT_EQ(song.Messages()[1].data2, 90);
    EXPECT_EQ(song.Messages()[1].timeUs, 500000u);
    EXPECT_EQ(song.Messages()[2].timeUs, 750000u);
    EXPECT_EQ(song.LengthUs(), 750000u);
}

TEST(MidiFile, MergesTracksAndAppliesTempoFromAnyTrack)
{
    Track tempo, notes;
    tempo.Tempo(0, 250000).Tempo(480, 1000000).End();
    notes.Event(480, {0xC0, 5}).Event(480, {0x90, 60, 1}).End();
    MidiSong song;
    ASSERT_EQ(Parse(MidiFile(1, 480, {tempo, notes}), &song), MidiFileError::None);
    ASSERT_EQ(song.Messages().size(), 2u);
    EXPECT_EQ(song.Messages()[0].timeUs, 250000u);  // one beat at 250 ms
    EXPECT_EQ(song.Messages()[1].timeUs, 1250000u); // then one at a second
    EXPECT_EQ(song.NextBeatUs(260000), 1250000u);
    EXPECT_EQ(song.NextBeatUs(250000), 250000u);
}

TEST(MidiFile, EveryTruncationIsRejected)
{
    const Bytes full = TwoNoteSong();
    ASSERT_EQ(Parse(full), MidiFileError::None);
    for (size_t n = 0; n < full.size(); ++n)
        EXPECT_NE(Parse(Bytes(full.begin(), full.begin() + n)), MidiFileError::None) << n << " bytes";
}

TEST(MidiFile, OtherFilesAreNotMidi)
{
    const std::string wave = "RIFF\x24\0\0\0WAVEfmt ";
    EXPECT_EQ(Parse(Bytes(wave.begin(), wave.end())), MidiFileError::NotMidi);
    EXPECT_EQ(Parse(Bytes(1000, 0)), MidiFileError::NotMidi);
    Track t;
    t.End();
    EXPECT_EQ(Parse(MidiFile(2, 480, {t})), MidiFileError::NotMidi);
}

TEST(MidiFile, MalformedFilesAreDamaged)
{
    const auto damaged = [](const Track& t) { return Parse(OneTrack(t)) == MidiFileError::Damaged; };
    EXPECT_TRUE(damaged(Track().Event(0, {60, 100}).End()));                   // running status with no status
    EXPECT_TRUE(damaged(Track().Event(0, {0x90, 60, 0x80}).End()));            // data byte with the top bit
    EXPECT_TRUE(damaged(Track().Event(0, {0xFF, 0x01, 0x7F, 'a'}).End()));     // meta text longer than the track
    EXPECT_TRUE(damaged(Track().Event(0, {0xF0, 0x8F, 0xFF, 0xFF, 0x7F})));   // sysex longer than the track
    EXPECT_TRUE(damaged(Track().Event(0, {0x90, 60, 1}).Event(0, {0xFF, 0x06, 0}).Event(0, {61, 1}))); // meta ends running status
    EXPECT_TRUE(damaged(Track().Event(0, {0xF8}).End()));                      // real-time byte in a file
    EXPECT_TRUE(damaged(Track().Event(0, {0xFF, 0xFF, 0xFF, 0xFF, 0x7F})));    // five-byte delta
    EXPECT_EQ(Parse(MidiFile(0, 480, {})), MidiFileError::Damaged);            // no tracks
    EXPECT_EQ(Parse(MidiFile(0, 0, {Track().End()})), MidiFileError::Damaged); // no timing
    Bytes missingTrack = MidiFile(1, 480, {Track().End()});
    missingTrack[11] = 2; // says two tracks, holds one
    EXPECT_EQ(Parse(missingTrack), MidiFileError::Damaged);
}

TEST(MidiFile, RandomDamageNeverReadsOutsideTheFile)
{
    const Bytes song = TwoNoteSong();
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        Bytes damaged = song;
        for (int k = 0; k < 3; ++k)
            damaged[random() % damaged.size()] = static_cast<uint8_t>(random());
        damaged.resize(random() % (damaged.size() + 1));
        MidiSong parsed;
        if (platform::ParseMidiFile(damaged, parsed) == MidiFileError::None)
            (void)parsed.NextBeatUs(123456);
    }
}

// Records what the sequencer sends, by the frame at which it arrives.
class RecordingSynth : public platform::MidiSynth {
public:
    struct Sent {
        uint64_t frame;
        int what; // a status byte, or -1 for notes off, -2 for sounds off
        int data1;
    };
    std::vector<Sent> sent;
    uint64_t frame = 0;

    void Send(uint8_t status, uint8_t data1, uint8_t) override { sent.push_back({frame, status, data1}); }
    void NotesOff() override { sent.push_back({frame, -1, 0}); }
    void SoundsOff() override { sent.push_back({frame, -2, 0}); }
    void Render(int16_t* stereo, size_t frames) override
    {
        std::fill(stereo, stereo + frames * 2, int16_t(1));
        frame += frames;
    }
};

std::shared_ptr<const MidiSong> Song(const Bytes& bytes)
{
    auto song = std::make_shared<MidiSong>();
    EXPECT_EQ(platform::ParseMidiFile(bytes, *song), MidiFileError::None);
    return song;
}

void RenderFrames(platform::Sequencer& seq, size_t frames, size_t chunk = 1000)
{
    std::vector<int16_t> buffer(chunk * 2);
    while (frames > 0) {
        const size_t n = std::min(frames, chunk);
        seq.Render(buffer.data(), n);
        frames -= n;
    }
}

TEST(Sequencer, SendsEachMessageOnItsSample)
{
    RecordingSynth synth;
    platform::Sequencer seq(&synth);
    seq.Play(Song(TwoNoteSong()), true); // nothing plays: starts at once
    RenderFrames(seq, 50000, 999);
    ASSERT_EQ(synth.sent.size(), 5u);
    EXPECT_EQ(synth.sent[0].frame, 0u);
    EXPECT_EQ(synth.sent[2].frame, 22050u); // the second note, half a second in
    EXPECT_EQ(synth.sent[2].what, 0x80);
    EXPECT_EQ(synth.sent[4].frame, 44100u);
    EXPECT_FALSE(seq.IsPlaying());
}

TEST(Sequencer, OnTheBeatTheNewSongWaitsForTheNextBeatOfTheOldOne)
{
    RecordingSynth synth;
    platform::Sequencer seq(&synth);
    seq.Play(Song(TwoNoteSong()), false);
    RenderFrames(seq, 13230); // 0.3 s: the next beat is at 0.5 s
    synth.sent.clear();
    seq.Play(Song(MidiFile(0, 480, {Track().Event(0, {0x90, 72, 100}).End(480)})), true);
    RenderFrames(seq, 20000);
    ASSERT_GE(synth.sent.size(), 2u);
    EXPECT_EQ(synth.sent[0].frame, 22050u);
    EXPECT_EQ(synth.sent[0].what, -1); // the old song's notes are released as it stops
    EXPECT_EQ(synth.sent[1].frame, 22050u);
    EXPECT_EQ(synth.sent[1].data1, 72);
    for (const auto& s : synth.sent)
        EXPECT_NE(s.data1, 64) << "the old song went on";
}

} // namespace
