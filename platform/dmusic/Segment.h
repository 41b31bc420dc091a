// A DirectMusic segment: one loaded MIDI song.
#pragma once
#include <dmusici.h>

#include "base/ComObject.h"
#include "dmusic/MidiFile.h"

#include <memory>

namespace platform {

class Segment final : public ComObject<Segment, IID_IDirectMusicSegment, IDirectMusicSegment> {
public:
    explicit Segment(std::shared_ptr<const MidiSong> song) : m_song(std::move(song)) {}

    // Shared, so that a performance keeps playing a segment the caller has released.
    const std::shared_ptr<const MidiSong>& Song() const { return m_song; }

private:
    std::shared_ptr<const MidiSong> m_song;
};

} // namespace platform
