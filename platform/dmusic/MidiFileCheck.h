// The loader's check of a Standard MIDI File, so that a file the player cannot play fails
// GetObject instead of playing silence: bounded by the file, allocating nothing.
#pragma once
#include <cstdint>
#include <span>

namespace platform {

enum class MidiFileError {
    None,
    NotMidi, // no Standard MIDI File header, or a kind of file that is not played
    Damaged, // truncated or malformed
};

// Checks the header and every track's events up to its end; ticksPerBeat gets the file's
// division (ticks per quarter note).
MidiFileError CheckMidiFile(std::span<const uint8_t> data, uint32_t* ticksPerBeat);

} // namespace platform
