// The MIDI synthesiser behind the performance, with its Standard MIDI File player: songs
// in, stereo samples out. Songs advance by the samples rendered, so what is heard and
// where the song stands never drift apart.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace platform {

constexpr int kMusicSampleRate = 44100;

class MidiSynth {
public:
    virtual ~MidiSynth() = default;
    // Plays a Standard MIDI File from its start, in place of the song playing (whose notes are
    // released); false when it cannot be played.
    virtual bool Play(std::span<const uint8_t> song) = 0;
    // Ends the song and silences every voice at once.
    virtual void Stop() = 0;
    // Whether a song is playing and not yet at its end.
    virtual bool IsPlaying() = 0;
    // Where the song playing stands, in its ticks.
    virtual uint32_t Tick() = 0;
    // Renders interleaved 16-bit stereo at kMusicSampleRate.
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

// A FluidSynth synthesiser with the first of these soundfonts that loads; nullptr with
// none, or without FluidSynth.
std::unique_ptr<MidiSynth> CreateFluidSynth(const std::vector<std::string>& soundFonts);

// What the FluidSynth module offers: its one function, by this name.
using FluidSynthFactory = MidiSynth* (*)(const std::vector<std::string>* soundFonts);
inline constexpr char kFluidSynthFactory[] = "memory_create_fluidsynth";

} // namespace platform
