#include "dmusic/Sequencer.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace platform {

uint64_t Sequencer::MessageFrame(const Playing& p, uint64_t timeUs) const
{
    // In two steps, so that even the longest time a song can hold does not overflow.
    const uint64_t seconds = timeUs / 1000000, restUs = timeUs % 1000000;
    return p.startFrame + seconds * kMusicSampleRate + restUs * kMusicSampleRate / 1000000;
}

void Sequencer::Play(std::shared_ptr<const MidiSong> song, bool onBeat)
{
    if (onBeat && m_current) {
        const uint64_t elapsedUs = (m_frame - m_current->startFrame) * 1000000 / kMusicSampleRate;
        const uint64_t beatUs = m_current->song->NextBeatUs(elapsedUs);
        m_next = Playing{std::move(song), MessageFrame(*m_current, beatUs)};
        return;
    }
    if (m_current && m_synth)
        m_synth->NotesOff();
    m_next.reset();
    m_current = Playing{std::move(song), m_frame};
}

void Sequencer::Stop()
{
    m_current.reset();
    m_next.reset();
    if (m_synth)
        m_synth->SoundsOff();
}

void Sequencer::SendDue()
{
    if (m_next && m_next->startFrame <= m_frame) {
        if (m_current && m_synth)
            m_synth->NotesOff();
        m_current = std::move(m_next);
        m_next.reset();
    }
    if (!m_current)
        return;
    const std::vector<MidiMessage>& messages = m_current->song->Messages();
    for (; m_current->next < messages.size(); ++m_current->next) {
        const MidiMessage& m = messages[m_current->next];
        if (MessageFrame(*m_current, m.timeUs) > m_frame)
            break;
        if (m_synth)
            m_synth->Send(m.status, m.data1, m.data2);
    }
    if (m_current->next == messages.size() && MessageFrame(*m_current, m_current->song->LengthUs()) <= m_frame)
        m_current.reset();
}

uint64_t Sequencer::NextDueFrame() const
{
    uint64_t due = std::numeric_limits<uint64_t>::max();
    if (m_next)
        due = m_next->startFrame;
    if (m_current) {
        const std::vector<MidiMessage>& messages = m_current->song->Messages();
        const uint64_t timeUs = m_current->next < messages.size() ? messages[m_current->next].timeUs
                                                                  : m_current->song->LengthUs();
        due = std::min(due, MessageFrame(*m_current, timeUs));
    }
    return due;
}

void Sequencer::RenderSpan(int16_t* stereo, size_t frames)
{
    if (m_synth)
        m_synth->Render(stereo, frames);
    else
        std::memset(stereo, 0, frames * 2 * sizeof(int16_t));
    m_frame += frames;
}

void Sequencer::Render(int16_t* stereo, size_t frames)
{
    while (frames > 0) {
        SendDue();
        const uint64_t due = NextDueFrame();
        const size_t span = static_cast<size_t>(std::min<uint64_t>(frames, due > m_frame ? due - m_frame : frames));
        RenderSpan(stereo, span);
        stereo += span * 2;
        frames -= span;
    }
}

} // namespace platform
