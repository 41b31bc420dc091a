#include "MusicBox.h"

#include <algorithm>
#include <string>
#include <vector>

namespace assetgen {
namespace {

constexpr int kQuarter = 480; // ticks per quarter note
constexpr int kBar = 3 * kQuarter;
constexpr int kMusicBox = 10, kCelesta = 8; // General MIDI programs, counted from 0

struct Event {
    int tick;
    int order; // at the same tick: set-up first, then note-offs, then note-ons
    std::vector<uint8_t> bytes;
};

class TrackWriter {
public:
    void meta(int tick, uint8_t type, const std::vector<uint8_t>& data)
    {
        std::vector<uint8_t> b{0xFF, type, static_cast<uint8_t>(data.size())};
        b.insert(b.end(), data.begin(), data.end());
        events_.push_back({tick, 0, b});
    }
    void name(const std::string& text) { meta(0, 0x03, std::vector<uint8_t>(text.begin(), text.end())); }
    void tempo(int tick, int bpm)
    {
        const uint32_t us = 60000000 / bpm;
        meta(tick, 0x51, {static_cast<uint8_t>(us >> 16), static_cast<uint8_t>(us >> 8), static_cast<uint8_t>(us)});
    }
    void channelSetUp(int channel, int program, int volume)
    {
        events_.push_back({0, 0, {static_cast<uint8_t>(0xC0 | channel), static_cast<uint8_t>(program)}});
        events_.push_back({0, 0, {static_cast<uint8_t>(0xB0 | channel), 7, static_cast<uint8_t>(volume)}});
    }
    void note(int channel, int tick, int length, int key, int velocity)
    {
        events_.push_back({tick, 2, {static_cast<uint8_t>(0x90 | channel), static_cast<uint8_t>(key), static_cast<uint8_t>(velocity)}});
        events_.push_back({tick + length, 1, {static_cast<uint8_t>(0x80 | channel), static_cast<uint8_t>(key), 64}});
    }

    // The "MTrk" chunk: events in time order with variable-length delta times, closed by
    // the end-of-track event at `end`.
    Bytes chunk(int end)
    {
        std::stable_sort(events_.begin(), events_.end(),
                         [](const Event& a, const Event& b) { return a.tick != b.tick ? a.tick < b.tick : a.order < b.order; });
        Bytes body;
        int now = 0;
        const auto delta = [&body, &now](int tick) {
            uint32_t v = static_cast<uint32_t>(tick - now);
            now = tick;
            uint8_t groups[5];
            int n = 0;
            do {
                groups[n++] = v & 0x7F;
                v >>= 7;
            } while (v);
            while (n-- > 0) body.u8(groups[n] | (n > 0 ? 0x80 : 0));
        };
        for (const Event& e : events_) {
            delta(e.tick);
            body.append(e.bytes);
        }
        delta(std::max(end, now));
        body.u8(0xFF), body.u8(0x2F), body.u8(0);
        Bytes out;
        out.text("MTrk");
        out.u32be(static_cast<uint32_t>(body.size()));
        out.append(body);
        return out;
    }

private:
    std::vector<Event> events_;
};

struct Note {
    int key;
    double beats;
};

// The tune, bar by bar; bars 17 to 20 are the coda.
const std::vector<std::vector<Note>> kMelody = {
    {{76, 1}, {79, 1}, {84, 1}}, {{83, 2}, {79, 1}},         {{81, 1}, {77, 1}, {81, 1}}, {{79, 3}},
    {{76, 1}, {77, 1}, {79, 1}}, {{81, 1}, {79, 1}, {77, 1}}, {{76, 1}, {74, 1}, {76, 1}}, {{74, 3}},
    {{76, 1}, {79, 1}, {84, 1}}, {{83, 2}, {86, 1}},         {{84, 1}, {81, 1}, {77, 1}}, {{76, 3}},
    {{77, 1}, {81, 1}, {79, 1}}, {{76, 1}, {72, 1}, {76, 1}}, {{74, 1}, {79, 1}, {71, 1}}, {{72, 3}},
    {{79, 0.5}, {81, 0.5}, {79, 0.5}, {76, 0.5}, {72, 1}},
    {{77, 0.5}, {81, 0.5}, {79, 0.5}, {77, 0.5}, {74, 1}},
    {{76, 1}, {79, 1}, {84, 1}},
    {{84, 3}},
};

// Harmony per bar: root, and the two notes of the waltz's second and third beats.
struct Chord {
    int root, upper1, upper2;
};
const Chord C{48, 64, 67}, G{43, 59, 62}, F{41, 57, 60}, Am{45, 60, 64}, G7{43, 59, 65};
const std::vector<Chord> kHarmony = {C, G, F, C, C, F, C, G, C, G, F, Am, F, C, G, C, C, G7, C, C};

} // namespace

Bytes musicBoxFile()
{
    const int bars = static_cast<int>(kMelody.size());
    const int end = bars * kBar + kQuarter;

    TrackWriter conductor;
    conductor.name("Music box waltz in C, with coda");
    conductor.meta(0, 0x58, {3, 2, 24, 8}); // 3/4
    conductor.meta(0, 0x59, {0, 0});        // C major
    conductor.tempo(0, 100);
    conductor.tempo(18 * kBar, 92); // the coda's last bars broaden
    conductor.tempo(19 * kBar, 80);

    TrackWriter melody;
    melody.name("Music box");
    melody.channelSetUp(0, kMusicBox, 110);
    for (int bar = 0; bar < bars; ++bar) {
        int tick = bar * kBar;
        for (const Note& n : kMelody[bar]) {
            const int length = static_cast<int>(n.beats * kQuarter);
            const bool downbeat = tick % kBar == 0;
            melody.note(0, tick, length * 19 / 20, n.key, downbeat ? 100 : 88);
            tick += length;
        }
    }

    TrackWriter accompaniment;
    accompaniment.name("Celesta");
    accompaniment.channelSetUp(1, kCelesta, 90);
    for (int bar = 0; bar < bars - 2; ++bar) {
        const Chord& c = kHarmony[bar];
        const int tick = bar * kBar;
        accompaniment.note(1, tick, kQuarter * 19 / 20, c.root, 72);
        accompaniment.note(1, tick + kQuarter, kQuarter * 19 / 20, c.upper1, 56);
        accompaniment.note(1, tick + 2 * kQuarter, kQuarter * 19 / 20, c.upper2, 56);
    }
    // Coda: a rising arpeggio, then the final chord rolled upward and held.
    const int arpeggio[] = {48, 55, 60, 64, 67, 72};
    for (int i = 0; i < 6; ++i) accompaniment.note(1, (bars - 2) * kBar + i * kQuarter / 2, kQuarter / 2, arpeggio[i], 60);
    const int final[] = {36, 48, 55, 60, 64, 67};
    for (int i = 0; i < 6; ++i)
        accompaniment.note(1, (bars - 1) * kBar + i * 40, kBar - i * 40, final[i], 70);

    Bytes file;
    file.text("MThd");
    file.u32be(6);
    file.u16be(1);      // format 1
    file.u16be(3);      // tracks
    file.u16be(kQuarter);
    file.append(conductor.chunk(end));
    file.append(melody.chunk(end));
    file.append(accompaniment.chunk(end));
    return file;
}

} // namespace assetgen
