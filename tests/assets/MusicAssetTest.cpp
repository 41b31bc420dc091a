// The MIDI file of the music player, parsed as a Standard MIDI File.
#include "AssetFiles.h"

#include <set>

using namespace assets;

namespace {

struct NoteOn {
    int channel, key, velocity;
    uint64_t tick;
};

struct Track {
    std::vector<NoteOn> notes;
    std::vector<int> programs;
    bool endOfTrack = false;
    bool tempo = false;
};

// Reads one track's events (running status included); false on malformed data.
bool readTrack(const std::vector<uint8_t>& f, size_t p, size_t end, Track* t, std::string* why)
{
    uint64_t tick = 0;
    uint8_t status = 0;
    const auto vlq = [&](uint32_t* v) {
        *v = 0;
        for (int i = 0; i < 4; ++i) {
            if (p >= end) return false;
            const uint8_t b = f[p++];
            *v = (*v << 7) | (b & 0x7F);
            if (!(b & 0x80)) return true;
        }
        return false;
    };
    while (p < end) {
        if (t->endOfTrack) return *why = "events after end of track", false;
        uint32_t delta;
        if (!vlq(&delta)) return *why = "bad delta time", false;
        tick += delta;
        if (p >= end) return *why = "event missing", false;
        if (f[p] & 0x80) status = f[p++];
        if (status == 0xFF) {
            if (p >= end) return *why = "meta type missing", false;
            const uint8_t type = f[p++];
            uint32_t n;
            if (!vlq(&n) || p + n > end) return *why = "bad meta length", false;
            if (type == 0x2F) t->endOfTrack = n == 0 && p + n == end;
            if (type == 0x51) t->tempo = n == 3;
            p += n;
            status = 0;
        } else if (status == 0xF0 || status == 0xF7) {
            uint32_t n;
            if (!vlq(&n) || p + n > end) return *why = "bad sysex length", false;
            p += n;
            status = 0;
        } else if (status >= 0x80) {
            const int kind = status >> 4, channel = status & 0x0F;
            const size_t size = (kind == 0xC || kind == 0xD) ? 1 : 2;
            if (p + size > end) return *why = "channel event cut short", false;
            if (kind == 0x9 && f[p + 1] > 0) t->notes.push_back({channel, f[p], f[p + 1], tick});
            if (kind == 0xC) t->programs.push_back(f[p]);
            p += size;
        } else {
            return *why = "data byte without status", false;
        }
    }
    return true;
}

TEST(MusicFile, IsAStandardMidiFileOfMusicBoxTracksInCMajor)
{
    const auto f = readRes("MUSIC/MusicBox_02_Tesk_CdurCoda.mid");
    ASSERT_GE(f.size(), 14u);
    ASSERT_EQ(tag(f, 0), "MThd");
    ASSERT_EQ(be32(f, 4), 6u);
    const uint32_t format = be16(f, 8), declared = be16(f, 10), division = be16(f, 12);
    EXPECT_LE(format, 1u);
    EXPECT_GT(division, 0u);
    EXPECT_EQ(division & 0x8000, 0u) << "ticks per quarter note";

    std::vector<Track> tracks;
    size_t p = 14;
    while (p < f.size()) {
        ASSERT_LE(p + 8, f.size());
        ASSERT_EQ(tag(f, p), "MTrk") << "at " << p;
        const size_t end = p + 8 + be32(f, p + 4);
        ASSERT_LE(end, f.size());
        Track t;
        std::string why;
        ASSERT_TRUE(readTrack(f, p + 8, end, &t, &why)) << "track " << tracks.size() << ": " << why;
        EXPECT_TRUE(t.endOfTrack) << "track " << tracks.size() << " ends with its end-of-track event";
        tracks.push_back(t);
        p = end;
    }
    EXPECT_EQ(tracks.size(), declared);
    if (format == 0) {
        EXPECT_EQ(tracks.size(), 1u);
    }

    std::vector<NoteOn> notes;
    bool tempo = false;
    for (const Track& t : tracks) {
        notes.insert(notes.end(), t.notes.begin(), t.notes.end());
        tempo = tempo || t.tempo;
        // Chromatic percussion: celesta, glockenspiel, music box and their kin.
        for (int program : t.programs) EXPECT_TRUE(program >= 8 && program <= 15) << "program " << program;
    }
    EXPECT_TRUE(tempo);
    ASSERT_GT(notes.size(), 50u);
    const std::set<int> cMajor = {0, 2, 4, 5, 7, 9, 11};
    uint64_t last = 0;
    for (const NoteOn& n : notes) {
        EXPECT_TRUE(cMajor.count(n.key % 12)) << "key " << n.key << " outside C major";
        last = std::max(last, n.tick);
    }
    // The coda's last sound is a C major chord with a C at the bottom.
    int lowest = 128;
    for (const NoteOn& n : notes)
        if (n.tick + division >= last) lowest = std::min(lowest, n.key);
    EXPECT_EQ(lowest % 12, 0);
}

} // namespace
