// Plays songs into a synthesiser, timed by the samples rendered: every message lands on its sample.
#pragma once
#include "dmusic/MidiFile.h"
#include "dmusic/MidiSynth.h"

#include <memory>
#include <optional>

namespace platform {

class Sequencer {
public:
    // synth may be null: time still passes, in silence.
    explicit Sequencer(MidiSynth* synth) : m_synth(synth) {}

    // Starts the song now, or on the next beat of the song playing (which stops then). A song
    // started now replaces the one playing.
    void Play(std::shared_ptr<const MidiSong> song, bool onBeat);
    // Stops everything at once.
    void Stop();
    // Renders the next frames, sending each message when its sample comes.
    void Render(int16_t* stereo, size_t frames);

    bool IsPlaying() const { return m_current || m_next; }

private:
    struct Playing {
        std::shared_ptr<const MidiSong> song;
        uint64_t startFrame = 0;
        size_t next = 0; // the next message to send
    };
    uint64_t MessageFrame(const Playing& p, uint64_t timeUs) const;
    void SendDue();
    uint64_t NextDueFrame() const;
    void RenderSpan(int16_t* stereo, size_t frames);

    MidiSynth* m_synth;
    uint64_t m_frame = 0; // frames rendered so far
    std::optional<Playing> m_current;
    std::optional<Playing> m_next; // waits for its beat
};

} // namespace platform
