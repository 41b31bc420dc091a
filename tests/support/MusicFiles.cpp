#include "support/MusicFiles.h"

#include "testing/ComTesting.h"
#include "testing/DirectSoundSeams.h"
#include "testing/MusicTesting.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace testsupport {

Bytes Vlq(uint32_t value)
{
    Bytes out{static_cast<uint8_t>(value & 0x7F)};
    while (value >>= 7)
        out.insert(out.begin(), static_cast<uint8_t>(0x80 | (value & 0x7F)));
    return out;
}

Track& Track::Event(uint32_t delta, std::initializer_list<uint8_t> bytes)
{
    const Bytes d = Vlq(delta);
    m_data.insert(m_data.end(), d.begin(), d.end());
    m_data.insert(m_data.end(), bytes);
    return *this;
}

Track& Track::Tempo(uint32_t delta, uint32_t us)
{
    return Event(delta, {0xFF, 0x51, 0x03, uint8_t(us >> 16), uint8_t(us >> 8), uint8_t(us)});
}

Track& Track::End(uint32_t delta) { return Event(delta, {0xFF, 0x2F, 0x00}); }

Bytes Chunk(const char* tag, const Bytes& body)
{
    Bytes out(tag, tag + 4);
    const auto n = static_cast<uint32_t>(body.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(n >> shift));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes MidiFile(uint16_t format, uint16_t division, const std::vector<Track>& tracks)
{
    const auto n = static_cast<uint16_t>(tracks.size());
    Bytes out = Chunk("MThd", {0, uint8_t(format), uint8_t(n >> 8), uint8_t(n), uint8_t(division >> 8),
                               uint8_t(division)});
    for (const Track& t : tracks) {
        const Bytes c = Chunk("MTrk", t.Data());
        out.insert(out.end(), c.begin(), c.end());
    }
    return out;
}

Bytes TwoNoteSong()
{
    Track t;
    t.Tempo(0, 500000)
        .Event(0, {0xC0, 0x00})
        .Event(0, {0x90, 60, 100})
        .Event(480, {0x80, 60, 64})
        .Event(0, {0x90, 64, 100})
        .Event(480, {0x80, 64, 64})
        .End();
    return MidiFile(0, 480, {t});
}

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "music-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        ADD_FAILURE() << "no scratch directory";
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

std::string TempDir::Write(const std::string& relative, const Bytes& bytes) const
{
    const std::filesystem::path path = std::filesystem::path(m_path) / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

CurrentDirectory::CurrentDirectory(const std::string& path)
    : m_previous(std::filesystem::current_path().string())
{
    std::filesystem::current_path(path);
}

CurrentDirectory::~CurrentDirectory()
{
    std::error_code ec;
    std::filesystem::current_path(m_previous, ec);
}

int Peak(const std::vector<int16_t>& samples, size_t from)
{
    int peak = 0;
    for (size_t i = from; i < samples.size(); ++i)
        peak = std::max(peak, std::abs(int(samples[i])));
    return peak;
}

MusicSeams::MusicSeams()
{
    platform::testing::SetMusicOutputMode(platform::testing::MusicOutputMode::Capture);
    platform::testing::ClearSoundFontOverride();
    platform::testing::ClearComFailures();
    platform::testing::ResetComCalls();
}

MusicSeams::~MusicSeams()
{
    platform::testing::SetMusicOutputMode(platform::testing::MusicOutputMode::Device);
    platform::testing::ClearSoundFontOverride();
    platform::testing::ClearComFailures();
    platform::testing::ResetDirectSoundSeams();
}

} // namespace testsupport
