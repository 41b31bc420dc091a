#include "dmusic/MidiFileCheck.h"

#include <cstring>

namespace platform {
namespace {

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

int DataBytes(uint8_t status)
{
    const uint8_t kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

MidiFileError CheckHeader(Reader& r, uint32_t* tracks, uint32_t* ticksPerBeat)
{
    if (!r.Tag("MThd"))
        return MidiFileError::NotMidi;
    uint32_t length, format, division;
    if (!r.Be(4, length) || length < 6 || length > r.Left())
        return MidiFileError::Damaged;
    if (!r.Be(2, format) || !r.Be(2, *tracks) || !r.Be(2, division) || !r.Skip(length - 6))
        return MidiFileError::Damaged;
    // Independent sequences are not one piece of music; the player keeps no SMPTE time.
    if (format == 2 || (format < 2 && (division & 0x8000)))
        return MidiFileError::NotMidi;
    if (format > 2 || *tracks == 0 || division == 0)
        return MidiFileError::Damaged;
    *ticksPerBeat = division;
    return MidiFileError::None;
}

bool CheckTrack(std::span<const uint8_t> chunk)
{
    Reader r(chunk);
    uint8_t running = 0;
    while (!r.AtEnd()) {
        uint32_t delta;
        uint8_t b;
        if (!r.Vlq(delta) || !r.Byte(b))
            return false;
        if (b == 0xFF) {
            uint8_t type;
            uint32_t length;
            if (!r.Byte(type) || !r.Vlq(length) || !r.Skip(length))
                return false;
            if (type == 0x2F)
                return true; // end of track: the rest of the chunk is not part of it
            running = 0;
        } else if (b == 0xF0 || b == 0xF7) {
            uint32_t length;
            if (!r.Vlq(length) || !r.Skip(length))
                return false;
            running = 0;
        } else if (b > 0xF0) {
            return false; // system common and real-time messages have no place in a file
        } else {
            uint8_t status = running;
            uint8_t data = b;
            if (b & 0x80) {
                status = b;
                if (!r.Byte(data))
                    return false;
            } else if (!running) {
                return false;
            }
            if ((data & 0x80) || (DataBytes(status) == 2 && (!r.Byte(data) || (data & 0x80))))
                return false;
            running = status;
        }
    }
    return true;
}

} // namespace

MidiFileError CheckMidiFile(std::span<const uint8_t> data, uint32_t* ticksPerBeat)
{
    Reader r(data);
    uint32_t tracks = 0;
    if (const MidiFileError e = CheckHeader(r, &tracks, ticksPerBeat); e != MidiFileError::None)
        return e;
    // Chunks of other kinds are skipped, as the format asks of readers.
    for (uint32_t found = 0; found < tracks;) {
        const bool track = r.Tag("MTrk");
        uint32_t length;
        std::span<const uint8_t> chunk;
        if ((!track && !r.Skip(4)) || !r.Be(4, length) || !r.Take(length, chunk))
            return MidiFileError::Damaged;
        if (!track)
            continue;
        if (!CheckTrack(chunk))
            return MidiFileError::Damaged;
        ++found;
    }
    return MidiFileError::None;
}

} // namespace platform
