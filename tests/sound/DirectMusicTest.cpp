// COM activation, the DirectMusic loader and the performance.
#include "MusicFiles.h"

#include "testing/ComTesting.h"
#include "testing/DirectSoundSeams.h"
#include "testing/MusicTesting.h"

#include <dmusici.h>
#include <gtest/gtest.h>

using namespace music_test;
namespace pt = platform::testing;

namespace {

DMUS_OBJECTDESC SegmentDesc(const char16_t* name, DWORD extraFlags = 0)
{
    DMUS_OBJECTDESC desc{};
    desc.dwSize = sizeof(desc);
    desc.dwValidData = DMUS_OBJ_CLASS | DMUS_OBJ_FILENAME | extraFlags;
    desc.guidClass = CLSID_DirectMusicSegment;
    std::char_traits<char16_t>::copy(desc.wszFileName, name, std::char_traits<char16_t>::length(name) + 1);
    return desc;
}

std::u16string Wide(const std::string& s) { return std::u16string(s.begin(), s.end()); }

class DirectMusic : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(CoInitialize(NULL), S_OK); }
    void TearDown() override
    {
        CoUninitialize();
        const pt::LiveMusicObjects live = pt::GetLiveMusicObjects();
        EXPECT_EQ(live.loaders + live.performances + live.segments, 0) << "objects left alive";
    }

    template <class Interface>
    Interface* New(REFCLSID clsid, REFIID iid)
    {
        Interface* object = nullptr;
        EXPECT_EQ(CoCreateInstance(clsid, NULL, CLSCTX_INPROC, iid, (void**)&object), S_OK);
        return object;
    }
    IDirectMusicLoader* NewLoader() { return New<IDirectMusicLoader>(CLSID_DirectMusicLoader, IID_IDirectMusicLoader); }
    IDirectMusicPerformance* NewPerformance()
    {
        return New<IDirectMusicPerformance>(CLSID_DirectMusicPerformance, IID_IDirectMusicPerformance);
    }
    // Loads a name, releasing the segment; gives the loader's result.
    HRESULT Load(IDirectMusicLoader* loader, DMUS_OBJECTDESC desc)
    {
        IDirectMusicSegment* segment = reinterpret_cast<IDirectMusicSegment*>(1);
        const HRESULT hr = loader->GetObject(&desc, IID_IDirectMusicSegment, (void**)&segment);
        EXPECT_EQ(SUCCEEDED(hr), segment != nullptr);
        if (segment)
            segment->Release();
        return hr;
    }

    MusicSeams m_seams;
    TempDir m_dir;
};

TEST(Com, InitialisationIsCountedPerThread)
{
    pt::ResetComCalls();
    IUnknown* object = reinterpret_cast<IUnknown*>(1);
    EXPECT_EQ(CoCreateInstance(CLSID_DirectMusicLoader, NULL, CLSCTX_INPROC, IID_IUnknown, (void**)&object),
              CO_E_NOTINITIALIZED);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(CoInitialize(NULL), S_OK);
    EXPECT_EQ(CoInitialize(NULL), S_FALSE);
    CoUninitialize();
    EXPECT_EQ(pt::GetComCalls().depth, 1);
    CoUninitialize();
    EXPECT_EQ(pt::GetComCalls().depth, 0);
    EXPECT_EQ(pt::GetComCalls().initialize, 2);
    EXPECT_EQ(pt::GetComCalls().uninitialize, 2);
}

TEST_F(DirectMusic, CreationRefusesWhatItDoesNotKnow)
{
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(CoCreateInstance(CLSID_DirectMusicSegment, NULL, CLSCTX_INPROC, IID_IUnknown, &object),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(CoCreateInstance(CLSID_DirectMusicLoader, NULL, CLSCTX_LOCAL_SERVER, IID_IUnknown, &object),
              REGDB_E_CLASSNOTREG);
    IUnknown* outer = reinterpret_cast<IUnknown*>(&object);
    EXPECT_EQ(CoCreateInstance(CLSID_DirectMusicLoader, outer, CLSCTX_INPROC, IID_IUnknown, &object),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(CoCreateInstance(CLSID_DirectMusicLoader, NULL, CLSCTX_INPROC, IID_IDirectMusicPerformance, &object),
              E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
}

TEST_F(DirectMusic, LoaderTakesBackslashedNamesFromItsSearchDirectory)
{
    m_dir.Write("MUSIC/song.mid", TwoNoteSong());
    TempDir elsewhere;
    CurrentDirectory cwd(elsewhere.Path());
    IDirectMusicLoader* loader = NewLoader();

    std::u16string dir = Wide(m_dir.Path());
    EXPECT_EQ(loader->SetSearchDirectory(GUID_DirectMusicAllTypes, dir.data(), FALSE), S_OK);
    EXPECT_EQ(Load(loader, SegmentDesc(u"MUSIC\\song.mid")), S_OK);
    EXPECT_EQ(Load(loader, SegmentDesc(u"MUSIC/song.mid")), S_OK);
    EXPECT_EQ(Load(loader, SegmentDesc(u"song.mid")), DMUS_E_LOADER_FAILEDOPEN);

    // A full path ignores the search directory; a bad directory keeps the one set.
    const std::u16string full = Wide(m_dir.Path()) + u"\\MUSIC\\song.mid";
    EXPECT_EQ(Load(loader, SegmentDesc(full.c_str(), DMUS_OBJ_FULLPATH)), S_OK);
    std::u16string missing = dir + u"/missing";
    EXPECT_EQ(loader->SetSearchDirectory(GUID_DirectMusicAllTypes, missing.data(), FALSE), DMUS_E_LOADER_BADPATH);
    EXPECT_EQ(Load(loader, SegmentDesc(u"MUSIC\\song.mid")), S_OK);
    loader->Release();
}

TEST_F(DirectMusic, LoaderWithoutSearchDirectoryUsesTheWorkingDirectory)
{
    m_dir.Write("m\u00fcsic/\u6b4c.mid", TwoNoteSong());
    CurrentDirectory cwd(m_dir.Path());
    IDirectMusicLoader* loader = NewLoader();
    EXPECT_EQ(Load(loader, SegmentDesc(u"m\u00fcsic\\\u6b4c.mid")), S_OK);
    loader->Release();
}

TEST_F(DirectMusic, LoaderResultsForFilesItCannotPlay)
{
    m_dir.Write("garbage.mid", Bytes(300, 0x5A));
    Bytes truncated = TwoNoteSong();
    truncated.resize(truncated.size() - 5);
    m_dir.Write("truncated.mid", truncated);
    m_dir.Write("folder.mid/x", {});
    m_dir.Write("empty.mid", {});
    IDirectMusicLoader* loader = NewLoader();
    std::u16string dir = Wide(m_dir.Path());
    loader->SetSearchDirectory(GUID_DirectMusicAllTypes, dir.data(), FALSE);

    EXPECT_EQ(Load(loader, SegmentDesc(u"missing.mid")), DMUS_E_LOADER_FAILEDOPEN);
    EXPECT_EQ(Load(loader, SegmentDesc(u"folder.mid")), DMUS_E_LOADER_FAILEDOPEN);
    EXPECT_EQ(Load(loader, SegmentDesc(u"garbage.mid")), DMUS_E_UNSUPPORTED_STREAM);
    EXPECT_EQ(Load(loader, SegmentDesc(u"empty.mid")), DMUS_E_UNSUPPORTED_STREAM);
    EXPECT_EQ(Load(loader, SegmentDesc(u"truncated.mid")), DMUS_E_INVALIDFILE);
    EXPECT_EQ(pt::GetLiveMusicObjects().segments, 0);
    loader->Release();
}

TEST_F(DirectMusic, LoaderChecksTheDescriptor)
{
    m_dir.Write("song.mid", TwoNoteSong());
    CurrentDirectory cwd(m_dir.Path());
    IDirectMusicLoader* loader = NewLoader();
    DMUS_OBJECTDESC desc = SegmentDesc(u"song.mid");
    desc.dwSize = 848 - 1;
    EXPECT_EQ(Load(loader, desc), E_INVALIDARG);
    desc = SegmentDesc(u"song.mid");
    std::fill(std::begin(desc.wszFileName), std::end(desc.wszFileName), u'a'); // no terminator
    EXPECT_EQ(Load(loader, desc), DMUS_E_LOADER_BADPATH);
    desc = SegmentDesc(u"song.mid");
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(loader->GetObject(&desc, IID_IDirectMusicLoader, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    loader->Release();
}

class Playing : public DirectMusic {
protected:
    void SetUp() override
    {
        DirectMusic::SetUp();
        m_dir.Write("song.mid", TwoNoteSong());
    }
    // A performance with its port, playing the two-note song.
    IDirectMusicPerformance* PlaySong()
    {
        IDirectMusicLoader* loader = NewLoader();
        std::u16string dir = Wide(m_dir.Path());
        loader->SetSearchDirectory(GUID_DirectMusicAllTypes, dir.data(), FALSE);
        DMUS_OBJECTDESC desc = SegmentDesc(u"song.mid");
        IDirectMusicSegment* segment = nullptr;
        EXPECT_EQ(loader->GetObject(&desc, IID_IDirectMusicSegment, (void**)&segment), S_OK);
        loader->Release();

        IDirectMusicPerformance* performance = NewPerformance();
        BOOL autoDownload = TRUE;
        EXPECT_EQ(performance->Init(NULL, NULL, NULL), S_OK);
        EXPECT_EQ(performance->SetGlobalParam(GUID_PerfAutoDownload, &autoDownload, sizeof(BOOL)), S_OK);
        EXPECT_EQ(performance->AddPort(NULL), S_OK);
        EXPECT_EQ(performance->PlaySegment(segment, DMUS_SEGF_BEAT, 0, NULL), S_OK);
        segment->Release(); // the performance plays on
        return performance;
    }
    void Finish(IDirectMusicPerformance* performance)
    {
        EXPECT_EQ(performance->Stop(NULL, NULL, 0, 0), S_OK);
        EXPECT_EQ(performance->CloseDown(), S_OK);
        EXPECT_EQ(performance->Release(), 0u);
    }
};

TEST_F(Playing, PlayedSegmentIsHeardUntilStopped)
{
    IDirectMusicPerformance* performance = PlaySong();
    const std::vector<int16_t> first = pt::RenderCapturedMusic(22050);
    EXPECT_GT(Peak(first), kHeard) << "the first note is not heard";
    EXPECT_EQ(pt::GetLiveMusicObjects().segments, 0); // released by the caller, its song plays on

    // The note is cut at once; only the reverberation's tail fades after it.
    EXPECT_EQ(performance->Stop(NULL, NULL, 0, 0), S_OK);
    pt::RenderCapturedMusic(8820);
    EXPECT_LT(Peak(pt::RenderCapturedMusic(8820)), kHeard) << "the note goes on after Stop";
    pt::RenderCapturedMusic(44100);
    EXPECT_LE(Peak(pt::RenderCapturedMusic(22050)), kSilent) << "still sounding after Stop";
    Finish(performance);
}

TEST_F(Playing, WithoutSoundFontEverythingSucceedsInSilence)
{
    pt::OverrideSoundFonts({});
    IDirectMusicPerformance* performance = PlaySong();
    EXPECT_EQ(Peak(pt::RenderCapturedMusic(22050)), 0);
    Finish(performance);
}

TEST_F(Playing, WithoutAudioDeviceEverythingSucceeds)
{
    pt::SetSoundDeviceAvailable(false);
    Finish(PlaySong());
}

} // namespace
