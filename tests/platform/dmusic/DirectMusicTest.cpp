// COM activation, the DirectMusic loader and the performance.
#include "support/MusicFiles.h"

#include "testing/ComTesting.h"
#include "testing/DirectSoundSeams.h"
#include "testing/MusicTesting.h"

#include <dmusici.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace testsupport;
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

// A valid song of exactly `size` bytes: one track with a long text event.
Bytes SongOfSize(size_t size)
{
    const size_t fixed = 14 + 8 + 3 + 3 + 4; // header, track chunk, text event with a 3-byte length, end of track
    Bytes body{0x00, 0xFF, 0x01};
    const Bytes length = Vlq(static_cast<uint32_t>(size - fixed));
    EXPECT_EQ(length.size(), 3u);
    body.insert(body.end(), length.begin(), length.end());
    body.insert(body.end(), size - fixed, 'a');
    body.insert(body.end(), {0x00, 0xFF, 0x2F, 0x00});
    Bytes file = MidiFile(0, 480, {});
    file[11] = 1;
    const Bytes track = Chunk("MTrk", body);
    file.insert(file.end(), track.begin(), track.end());
    EXPECT_EQ(file.size(), size);
    return file;
}

TEST_F(DirectMusic, LoaderResultsForFilesItCannotPlay)
{
    m_dir.Write("garbage.mid", Bytes(300, 0x5A));
    Bytes truncated = TwoNoteSong();
    truncated.resize(truncated.size() - 5);
    m_dir.Write("truncated.mid", truncated);
    m_dir.Write("folder.mid/x", {});
    m_dir.Write("empty.mid", {});
    m_dir.Write("largest.mid", SongOfSize(1 << 20));
    m_dir.Write("large.mid", SongOfSize((1 << 20) + 1));
    ASSERT_EQ(mkfifo((m_dir.Path() + "/fifo.mid").c_str(), 0600), 0);
    IDirectMusicLoader* loader = NewLoader();
    std::u16string dir = Wide(m_dir.Path());
    loader->SetSearchDirectory(GUID_DirectMusicAllTypes, dir.data(), FALSE);

    EXPECT_EQ(Load(loader, SegmentDesc(u"missing.mid")), DMUS_E_LOADER_FAILEDOPEN);
    EXPECT_EQ(Load(loader, SegmentDesc(u"folder.mid")), DMUS_E_LOADER_FAILEDOPEN);
    EXPECT_EQ(Load(loader, SegmentDesc(u"garbage.mid")), DMUS_E_UNSUPPORTED_STREAM);
    EXPECT_EQ(Load(loader, SegmentDesc(u"empty.mid")), DMUS_E_UNSUPPORTED_STREAM);
    EXPECT_EQ(Load(loader, SegmentDesc(u"truncated.mid")), DMUS_E_INVALIDFILE);
    // Files over a mebibyte are refused unread; with no writer a FIFO would never end.
    EXPECT_EQ(Load(loader, SegmentDesc(u"largest.mid")), S_OK);
    EXPECT_EQ(Load(loader, SegmentDesc(u"large.mid")), DMUS_E_LOADER_FAILEDOPEN);
    EXPECT_EQ(Load(loader, SegmentDesc(u"fifo.mid")), DMUS_E_LOADER_FAILEDOPEN);
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
    IDirectMusicSegment* LoadSegment(const char16_t* name)
    {
        IDirectMusicLoader* loader = NewLoader();
        std::u16string dir = Wide(m_dir.Path());
        loader->SetSearchDirectory(GUID_DirectMusicAllTypes, dir.data(), FALSE);
        DMUS_OBJECTDESC desc = SegmentDesc(name);
        IDirectMusicSegment* segment = nullptr;
        EXPECT_EQ(loader->GetObject(&desc, IID_IDirectMusicSegment, (void**)&segment), S_OK);
        loader->Release();
        return segment;
    }
    // A performance with its port.
    IDirectMusicPerformance* NewPlayingPerformance()
    {
        IDirectMusicPerformance* performance = NewPerformance();
        BOOL autoDownload = TRUE;
        EXPECT_EQ(performance->Init(NULL, NULL, NULL), S_OK);
        EXPECT_EQ(performance->SetGlobalParam(GUID_PerfAutoDownload, &autoDownload, sizeof(BOOL)), S_OK);
        EXPECT_EQ(performance->AddPort(NULL), S_OK);
        return performance;
    }
    // Plays the segment and lets it go: the performance plays on.
    void Play(IDirectMusicPerformance* performance, const char16_t* name, DWORD flags)
    {
        IDirectMusicSegment* segment = LoadSegment(name);
        ASSERT_NE(segment, nullptr);
        EXPECT_EQ(performance->PlaySegment(segment, flags, 0, NULL), S_OK);
        segment->Release();
    }
    // A performance with its port, playing the two-note song.
    IDirectMusicPerformance* PlaySong()
    {
        IDirectMusicPerformance* performance = NewPlayingPerformance();
        Play(performance, u"song.mid", DMUS_SEGF_BEAT);
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

// The frame at which the captured music first rises above a whisper; -1 when it never does.
long Onset(const std::vector<int16_t>& stereo)
{
    for (size_t i = 0; i < stereo.size(); ++i)
        if (std::abs(int(stereo[i])) > kHeard)
            return static_cast<long>(i / 2);
    return -1;
}

TEST_F(Playing, OnTheBeatASegmentWaitsForTheNextBeatOfTheOneThatPlays)
{
    // Two seconds of rest at 120 beats a minute (a beat each half second), and a loud note.
    m_dir.Write("rest.mid", MidiFile(0, 480, {Track().Tempo(0, 500000).End(1920)}));
    m_dir.Write("note.mid", MidiFile(0, 480, {Track().Event(0, {0xC0, 0}).Event(0, {0x90, 72, 120}).End(480)}));
    IDirectMusicPerformance* performance = NewPlayingPerformance();
    Play(performance, u"rest.mid", 0);
    EXPECT_EQ(Onset(pt::RenderCapturedMusic(13230)), -1); // 0.3 s of rest

    // The next beat is half a second in: 0.2 s from now.
    Play(performance, u"note.mid", DMUS_SEGF_BEAT);
    const long onBeat = Onset(pt::RenderCapturedMusic(22050));
    EXPECT_GE(onBeat, 8820 - 64);
    EXPECT_LT(onBeat, 8820 + 441) << "not on the beat, 8820 frames from the call";

    // Without the flag it starts at once.
    Play(performance, u"rest.mid", 0);
    pt::RenderCapturedMusic(13230);
    Play(performance, u"note.mid", 0);
    const long atOnce = Onset(pt::RenderCapturedMusic(22050));
    EXPECT_GE(atOnce, 0);
    EXPECT_LT(atOnce, 441);
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
