#include "MidiPlayer.h"

#include <direct.h>

MidiPlayer::MidiPlayer(const WCHAR* pszFile)
    : m_pLoader(NULL), m_pPerformance(NULL), m_pSegment(NULL), m_pszFile(pszFile)
{
}

MidiPlayer::~MidiPlayer()
{
    Shutdown();
}

HRESULT MidiPlayer::Init()
{
    CoInitialize(NULL);

    // Without a loader or a performance there is nothing to play; the caller deletes the player.
    HRESULT hr = CoCreateInstance(CLSID_DirectMusicLoader, NULL, CLSCTX_INPROC, IID_IDirectMusicLoader,
                                  (void**)&m_pLoader);
    if (FAILED(hr))
        return hr;
    hr = CoCreateInstance(CLSID_DirectMusicPerformance, NULL, CLSCTX_INPROC, IID_IDirectMusicPerformance,
                          (void**)&m_pPerformance);
    if (FAILED(hr))
        return hr;

    InitPerformance();
    hr = LoadSegment();
    return FAILED(hr) ? hr : S_OK;
}

HRESULT MidiPlayer::InitPerformance()
{
    m_pPerformance->Init(NULL, NULL, NULL);
    BOOL bAutoDownload = TRUE;
    m_pPerformance->SetGlobalParam(GUID_PerfAutoDownload, &bAutoDownload, sizeof(BOOL));
    m_pPerformance->AddPort(NULL);
    return S_OK;
}

HRESULT MidiPlayer::LoadSegment()
{
    char szDir[MAX_PATH];
    if (_getcwd(szDir, MAX_PATH) == NULL)
        return E_FAIL;
    WCHAR wszDir[MAX_PATH];
    MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, szDir, -1, wszDir, MAX_PATH);
    m_pLoader->SetSearchDirectory(GUID_DirectMusicAllTypes, wszDir, FALSE);

    DMUS_OBJECTDESC desc;
    ZeroMemory(&desc, sizeof(desc));
    desc.dwSize = sizeof(DMUS_OBJECTDESC);
    desc.dwValidData = DMUS_OBJ_CLASS | DMUS_OBJ_FILENAME;
    desc.guidClass = CLSID_DirectMusicSegment;

    // A name that does not fit the descriptor is refused rather than cut to another file's name.
    const WCHAR* pszName = m_pszFile ? m_pszFile : u"velmar_1.mid";
    int i = 0;
    for (; pszName[i] != 0; i++) {
        if (i == DMUS_MAX_FILENAME - 1)
            return E_INVALIDARG;
        desc.wszFileName[i] = pszName[i];
    }
    desc.wszFileName[i] = 0;

    return m_pLoader->GetObject(&desc, IID_IDirectMusicSegment, (void**)&m_pSegment);
}

HRESULT MidiPlayer::Shutdown()
{
    if (m_pSegment)
        m_pSegment->Release();
    if (m_pPerformance) {
        m_pPerformance->Stop(NULL, NULL, 0, 0);
        m_pPerformance->CloseDown();
        m_pPerformance->Release();
    }
    if (m_pLoader)
        m_pLoader->Release();
    CoUninitialize();
    return S_OK;
}
