// The MIDI synthesiser behind the performance: channel messages in, stereo samples out.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

constexpr int kMusicSampleRate = 44100;

class MidiSynth {
public:
    virtual ~MidiSynth() = default;
    // A channel voice message, applied from the next rendered sample on.
    virtual void Send(uint8_t status, uint8_t data1, uint8_t data2) = 0;
    // Releases every sounding note; their release phases still ring.
    virtual void NotesOff() = 0;
    // Silences every voice at once.
    virtual void SoundsOff() = 0;
    // Interleaved 16-bit stereo at kMusicSampleRate.
    virtual void Render(int16_t* stereo, size_t frames) = 0;
};

// The General MIDI soundfont found on this system, or "" when there is none.
std::string FindSoundFont();

// A FluidSynth synthesiser with the system's General MIDI soundfont; nullptr without one.
std::unique_ptr<MidiSynth> CreateMidiSynth();

} // namespace platform
