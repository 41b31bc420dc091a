#include "SoundLog.h"

namespace gametest {

namespace {

struct Effect {
    const char* name;
    SoundObject* DSound::*slot;
};

const Effect kEffects[] = {
    {"Done1", &DSound::m_pDone1}, {"Done2", &DSound::m_pDone2}, {"Done3", &DSound::m_pDone3},
    {"Oop", &DSound::m_pOop},     {"Tsik", &DSound::m_pTsik},   {"Chpok", &DSound::m_pChpok},
    {"Brim", &DSound::m_pBrim},   {"Menu", &DSound::m_pMenu},   {"Bloop", &DSound::m_pBloop},
    {"Fall1", &DSound::m_pFall1}, {"Fall2", &DSound::m_pFall2}, {"Fall3", &DSound::m_pFall3},
    {"Fall4", &DSound::m_pFall4}, {"Fall5", &DSound::m_pFall5}, {"Fall6", &DSound::m_pFall6},
    {"Fall7", &DSound::m_pFall7}, {"Fall8", &DSound::m_pFall8}, {"Glass", &DSound::m_pGlass},
};

class RecordingBuffer final : public IDirectSoundBuffer {
public:
    RecordingBuffer(std::string name, std::shared_ptr<std::vector<std::string>> played)
        : m_name(std::move(name))
        , m_played(std::move(played))
    {
    }

    STDMETHOD(QueryInterface)(REFIID, void** ppv) override
    {
        if (ppv)
            *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return 1; }
    STDMETHOD_(ULONG, Release)() override { return 1; }
    STDMETHOD(GetCaps)(LPDSBCAPS) override { return DS_OK; }
    STDMETHOD(GetCurrentPosition)(LPDWORD play, LPDWORD write) override
    {
        if (play)
            *play = 0;
        if (write)
            *write = 0;
        return DS_OK;
    }
    STDMETHOD(GetFormat)(LPWAVEFORMATEX, DWORD, LPDWORD) override { return DS_OK; }
    STDMETHOD(GetVolume)(LPLONG) override { return DS_OK; }
    STDMETHOD(GetPan)(LPLONG) override { return DS_OK; }
    STDMETHOD(GetFrequency)(LPDWORD) override { return DS_OK; }
    STDMETHOD(GetStatus)(LPDWORD status) override
    {
        if (status)
            *status = 0; // never still sounding: every request is heard
        return DS_OK;
    }
    STDMETHOD(Initialize)(LPDIRECTSOUND, LPCDSBUFFERDESC) override { return DSERR_ALREADYINITIALIZED; }
    STDMETHOD(Lock)(DWORD, DWORD, LPVOID*, LPDWORD, LPVOID*, LPDWORD, DWORD) override { return DSERR_INVALIDCALL; }
    STDMETHOD(Play)(DWORD, DWORD, DWORD) override
    {
        m_played->push_back(m_name);
        return DS_OK;
    }
    STDMETHOD(SetCurrentPosition)(DWORD) override { return DS_OK; }
    STDMETHOD(SetFormat)(LPCWAVEFORMATEX) override { return DS_OK; }
    STDMETHOD(SetVolume)(LONG) override { return DS_OK; }
    STDMETHOD(SetPan)(LONG) override { return DS_OK; }
    STDMETHOD(SetFrequency)(DWORD) override { return DS_OK; }
    STDMETHOD(Stop)() override { return DS_OK; }
    STDMETHOD(Unlock)(LPVOID, DWORD, LPVOID, DWORD) override { return DS_OK; }
    STDMETHOD(Restore)() override { return DS_OK; }

private:
    std::string m_name;
    std::shared_ptr<std::vector<std::string>> m_played;
};

} // namespace

struct SoundLog::Swap {
    IDirectSoundBuffer** place;
    IDirectSoundBuffer* real;
    RecordingBuffer recorder;
};

SoundLog::SoundLog(DSound* pBank)
    : m_pBank(pBank)
    , m_played(std::make_shared<std::vector<std::string>>())
{
    for (const Effect& effect : kEffects) {
        SoundObject* so = pBank ? pBank->*effect.slot : nullptr;
        for (int i = 0; so && i < so->m_nBuffers; ++i) {
            if (!so->m_apBuffers[i])
                continue; // a buffer that failed to load stays silent
            auto swap = std::unique_ptr<Swap>(new Swap{&so->m_apBuffers[i], so->m_apBuffers[i], {effect.name, m_played}});
            *swap->place = &swap->recorder;
            m_swaps.push_back(std::move(swap));
        }
    }
}

SoundLog::~SoundLog()
{
    for (auto& swap : m_swaps)
        *swap->place = swap->real;
}

std::vector<std::string> SoundLog::Take()
{
    std::vector<std::string> played;
    played.swap(*m_played);
    return played;
}

} // namespace gametest
