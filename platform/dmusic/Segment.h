// A DirectMusic segment: one loaded MIDI song.
#pragma once
#include <dmusici.h>

#include "base/ComObject.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

// A Standard MIDI File that passed the loader's check.
struct Song {
    std::vector<uint8_t> file;
    uint32_t ticksPerBeat = 1;
};

class Segment final : public ComObject<Segment, IID_IDirectMusicSegment, IDirectMusicSegment> {
public:
    explicit Segment(std::shared_ptr<const Song> song) : m_song(std::move(song)) {}

    // Shared, so that a performance keeps playing a segment the caller has released.
    const std::shared_ptr<const Song>& GetSong() const { return m_song; }

private:
    std::shared_ptr<const Song> m_song;
};

} // namespace platform
