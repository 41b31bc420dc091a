#include "dmusic/MidiFile.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace platform {

namespace {

constexpr double kMaxUs = 1e15; // over thirty years
constexpr uint32_t kDefaultTempo = 500000; // microseconds per quarter note, 120 beats a minute

// Reads big-endian fields and variable-length quantities, never past the end.
class Reader {
public:
    explicit Reader(std::span<const uint8_t> data) : m_data(data) {}

    size_t Left() const { return m_data.size() - m_pos; }
    bool AtEnd() const { return m_pos == m_data.size(); }

    bool Byte(uint8_t& v)
    {
        if (AtEnd())
            return false;
        v = m_data[m_pos++];
        return true;
    }
    bool Be(int bytes, uint32_t& v)
    {
        if (Left() < static_cast<size_t>(bytes))
            return false;
        v = 0;
        for (int i = 0; i < bytes; ++i)
            v = (v << 8) | m_data[m_pos++];
        return true;
    }
    // At most four bytes, as the file format allows.
    bool Vlq(uint32_t& v)
    {
        v = 0;
        for (int i = 0; i < 4; ++i) {
            uint8_t b;
            if (!Byte(b))
                return false;
            v = (v << 7) | (b & 0x7F);
            if (!(b & 0x80))
                return true;
        }
        return false;
    }
    bool Tag(const char (&tag)[5])
    {
        if (Left() < 4 || std::memcmp(m_data.data() + m_pos, tag, 4) != 0)
            return false;
        m_pos += 4;
        return true;
    }
    bool Take(size_t n, std::span<const uint8_t>& out)
    {
        if (Left() < n)
            return false;
        out = m_data.subspan(m_pos, n);
        m_pos += n;
        return true;
    }
    bool Skip(size_t n)
    {
        std::span<const uint8_t> ignored;
        return Take(n, ignored);
    }

private:
    std::span<const uint8_t> m_data;
    size_t m_pos = 0;
};

struct TimedMessage {
    uint64_t tick;
    MidiMessage message;
};

struct TempoChange {
    uint64_t tick;
    uint32_t usPerQuarter;
};

int DataBytes(uint8_t status)
{
    const uint8_t kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

} // namespace

class MidiFileParser {
public:
    MidiFileError Parse(std::span<const uint8_t> data, MidiSong& song);

private:
    bool ParseHeader(Reader& r, MidiFileError& error);
    bool ParseTrack(std::span<const uint8_t> chunk);
    void BuildSong(MidiSong& song);

    uint16_t m_tracks = 0;
    bool m_smpte = false;
    double m_usPerTick = 0;      // SMPTE timing: fixed
    uint32_t m_ticksPerBeat = 0;
    std::vector<TimedMessage> m_messages;
    std::vector<TempoChange> m_tempo;
    uint64_t m_lastTick = 0;
};

bool MidiFileParser::ParseHeader(Reader& r, MidiFileError& error)
{
    error = MidiFileError::NotMidi;
    if (!r.Tag("MThd"))
        return false;
    error = MidiFileError::Damaged;
    uint32_t length, format, tracks, division;
    if (!r.Be(4, length) || length < 6 || length > r.Left())
        return false;
    if (!r.Be(2, format) || !r.Be(2, tracks) || !r.Be(2, division) || !r.Skip(length - 6))
        return false;
    if (format == 2) {
        // Independent sequences, not one piece of music.
        error = MidiFileError::NotMidi;
        return false;
    }
    if (format > 2 || tracks == 0 || division == 0)
        return false;
    m_tracks = static_cast<uint16_t>(tracks);
    if (division & 0x8000) {
        const int fps = -static_cast<int8_t>(division >> 8);
        const uint32_t subframes = division & 0xFF;
        if ((fps != 24 && fps != 25 && fps != 29 && fps != 30) || subframes == 0)
            return false;
        const double ticksPerSecond = (fps == 29 ? 29.97 : fps) * subframes;
        m_smpte = true;
        m_usPerTick = 1e6 / ticksPerSecond;
        // Without a tempo, a beat is half a second.
        m_ticksPerBeat = std::max<uint32_t>(1, static_cast<uint32_t>(std::lround(ticksPerSecond / 2)));
    } else {
        m_ticksPerBeat = division;
    }
    return true;
}

bool MidiFileParser::ParseTrack(std::span<const uint8_t> chunk)
{
    Reader r(chunk);
    uint64_t tick = 0;
    uint8_t running = 0;
    while (!r.AtEnd()) {
        uint32_t delta;
        uint8_t b;
        if (!r.Vlq(delta) || !r.Byte(b))
            return false;
        tick += delta;
        m_lastTick = std::max(m_lastTick, tick);
        if (b == 0xFF) {
            uint8_t type;
            uint32_t length;
            std::span<const uint8_t> body;
            if (!r.Byte(type) || !r.Vlq(length) || !r.Take(length, body))
                return false;
            if (type == 0x2F)
                return true; // end of track: the rest of the chunk is not part of it
            if (type == 0x51 && length == 3) {
                const uint32_t tempo = (uint32_t(body[0]) << 16) | (uint32_t(body[1]) << 8) | body[2];
                if (tempo > 0)
                    m_tempo.push_back({tick, tempo});
            }
            running = 0;
        } else if (b == 0xF0 || b == 0xF7) {
            uint32_t length;
            if (!r.Vlq(length) || !r.Skip(length))
                return false;
            running = 0;
        } else if (b > 0xF0) {
            return false; // system common and real-time messages have no place in a file
        } else {
            MidiMessage m;
            if (b & 0x80) {
                m.status = b;
                if (!r.Byte(m.data1))
                    return false;
            } else {
                if (!running)
                    return false;
                m.status = running;
                m.data1 = b;
            }
            if ((m.data1 & 0x80) || (DataBytes(m.status) == 2 && (!r.Byte(m.data2) || (m.data2 & 0x80))))
                return false;
            running = m.status;
            m_messages.push_back({tick, m});
        }
    }
    return true;
}

void MidiFileParser::BuildSong(MidiSong& song)
{
    song = MidiSong();
    song.m_ticksPerBeat = m_ticksPerBeat;
    if (m_smpte) {
        song.m_tempo.push_back({0, 0.0, m_usPerTick});
    } else {
        std::stable_sort(m_tempo.begin(), m_tempo.end(),
                         [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
        song.m_tempo.push_back({0, 0.0, double(kDefaultTempo) / m_ticksPerBeat});
        for (const TempoChange& t : m_tempo) {
            const double startUs = song.TickToUs(t.tick);
            const double usPerTick = double(t.usPerQuarter) / m_ticksPerBeat;
            if (song.m_tempo.back().tick == t.tick)
                song.m_tempo.back().usPerTick = usPerTick;
            else
                song.m_tempo.push_back({t.tick, startUs, usPerTick});
        }
    }
    std::stable_sort(m_messages.begin(), m_messages.end(),
                     [](const TimedMessage& a, const TimedMessage& b) { return a.tick < b.tick; });
    song.m_messages.reserve(m_messages.size());
    for (TimedMessage& t : m_messages) {
        t.message.timeUs = WholeMicroseconds(song.TickToUs(t.tick));
        song.m_messages.push_back(t.message);
    }
    song.m_lengthUs = WholeMicroseconds(song.TickToUs(m_lastTick));
}

MidiFileError MidiFileParser::Parse(std::span<const uint8_t> data, MidiSong& song)
{
    Reader r(data);
    MidiFileError error;
    if (!ParseHeader(r, error))
        return error;
    // Chunks of other kinds are skipped, as the format asks of readers.
    for (int found = 0; found < m_tracks;) {
        const bool track = r.Tag("MTrk");
        uint32_t length;
        std::span<const uint8_t> chunk;
        if ((!track && !r.Skip(4)) || !r.Be(4, length) || !r.Take(length, chunk))
            return MidiFileError::Damaged;
        if (!track)
            continue;
        if (!ParseTrack(chunk))
            return MidiFileError::Damaged;
        ++found;
    }
    BuildSong(song);
    return MidiFileError::None;
}

MidiFileError ParseMidiFile(std::span<const uint8_t> data, MidiSong& song)
{
    return MidiFileParser().Parse(data, song);
}

uint64_t WholeMicroseconds(double us)
{
    return static_cast<uint64_t>(std::clamp(us, 0.0, kMaxUs));
}

double MidiSong::TickToUs(uint64_t tick) const
{
    auto span = std::upper_bound(m_tempo.begin(), m_tempo.end(), tick,
                                 [](uint64_t t, const TempoSpan& s) { return t < s.tick; });
    --span; // the first span starts at tick 0
    return span->startUs + double(tick - span->tick) * span->usPerTick;
}

uint64_t MidiSong::UsToTick(double us) const
{
    auto span = std::upper_bound(m_tempo.begin(), m_tempo.end(), us,
                                 [](double t, const TempoSpan& s) { return t < s.startUs; });
    --span;
    const double ticks = std::floor((us - span->startUs) / span->usPerTick);
    return span->tick + static_cast<uint64_t>(std::clamp(ticks, 0.0, 1e18));
}

uint64_t MidiSong::NextBeatUs(uint64_t timeUs) const
{
    const uint64_t tick = UsToTick(double(timeUs));
    uint64_t beat = (tick + m_ticksPerBeat - 1) / m_ticksPerBeat * m_ticksPerBeat;
    if (WholeMicroseconds(TickToUs(beat)) < timeUs)
        beat += m_ticksPerBeat;
    return WholeMicroseconds(TickToUs(beat));
}

} // namespace platform
