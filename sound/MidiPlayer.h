// Plays one MIDI file through DirectMusic.
#pragma once
#include <windows.h>
#include <objbase.h>
#include <dmusici.h>

class MidiPlayer {
public:
    // pszFile is relative to the current directory at Init; NULL means "velmar_1.mid". The string is
    // not copied and must outlive the player.
    MidiPlayer(const WCHAR* pszFile);
    ~MidiPlayer();

    HRESULT Init();
    HRESULT InitPerformance();
    HRESULT LoadSegment();
    HRESULT Shutdown();

    IDirectMusicLoader* m_pLoader;
    IDirectMusicPerformance* m_pPerformance;
    IDirectMusicSegment* m_pSegment;
    const WCHAR* m_pszFile;
};
