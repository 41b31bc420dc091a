// The MIDI synthesiser behind the performance: channel messages in, stereo samples out.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

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

// Where the performance's synthesisers come from.
class MidiSynthSource {
public:
    virtual ~MidiSynthSource() = default;
    // A new synthesiser; nullptr when none can be made (the music is then not heard).
    virtual std::unique_ptr<MidiSynth> Create() = 0;
};

// The source in use: FluidSynth with the system's General MIDI soundfont, unless a test
// installed another (nullptr: FluidSynth's again).
MidiSynthSource& CurrentSynthSource();
void InstallSynthSource(MidiSynthSource* source);

// A FluidSynth synthesiser with the first of these soundfonts that loads; nullptr with none.
std::unique_ptr<MidiSynth> CreateFluidSynth(const std::vector<std::string>& soundFonts);

} // namespace platform
