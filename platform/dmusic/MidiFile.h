// Standard MIDI Files: validated and turned into a timed list of channel messages.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

namespace platform {

// One channel message of a song, at its time from the song's start.
struct MidiMessage {
    uint64_t timeUs = 0;
    uint8_t status = 0;
    uint8_t data1 = 0;
    uint8_t data2 = 0;
};

class MidiSong {
public:
    // Channel messages in time order; messages at the same time keep their track and file order.
    const std::vector<MidiMessage>& Messages() const { return m_messages; }
    // Up to the last event, end of track included.
    uint64_t LengthUs() const { return m_lengthUs; }
    // The first beat (a quarter note) at or after timeUs.
    uint64_t NextBeatUs(uint64_t timeUs) const;

private:
    friend class MidiFileParser;

    // From `tick` on, each tick lasts usPerTick.
    struct TempoSpan {
        uint64_t tick;
        double startUs;
        double usPerTick;
    };
    double TickToUs(uint64_t tick) const;
    uint64_t UsToTick(double us) const;

    std::vector<MidiMessage> m_messages;
    std::vector<TempoSpan> m_tempo;
    uint64_t m_ticksPerBeat = 1;
    uint64_t m_lengthUs = 0;
};

enum class MidiFileError {
    None,
    NotMidi, // no Standard MIDI File header, or a kind of file that is not played
    Damaged, // truncated or malformed
};

MidiFileError ParseMidiFile(std::span<const uint8_t> data, MidiSong& song);

// Microseconds as a whole count, saturated far beyond any real song.
uint64_t WholeMicroseconds(double us);

} // namespace platform
