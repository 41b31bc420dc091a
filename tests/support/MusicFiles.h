// Helpers for the music tests: MIDI files made on the spot, scratch directories, sample levels.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace testsupport {

using Bytes = std::vector<uint8_t>;

// One track's events, each after its delta time in ticks.
class Track {
public:
    Track& Event(uint32_t delta, std::initializer_list<uint8_t> bytes);
    Track& Tempo(uint32_t delta, uint32_t usPerQuarter);
    Track& End(uint32_t delta = 0);
    const Bytes& Data() const { return m_data; }

private:
    Bytes m_data;
};

Bytes Vlq(uint32_t value);
Bytes Chunk(const char* tag, const Bytes& body);
Bytes MidiFile(uint16_t format, uint16_t division, const std::vector<Track>& tracks);

// A second of piano: two notes of half a second each, at 120 beats a minute, 480 ticks a beat.
Bytes TwoNoteSong();

// A scratch directory, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return m_path; }
    // Writes a file at a path relative to the directory, making its folders.
    std::string Write(const std::string& relative, const Bytes& bytes) const;

private:
    std::string m_path;
};

// Changes the current directory for its lifetime.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::string& path);
    ~CurrentDirectory();
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

private:
    std::string m_previous;
};

int Peak(const std::vector<int16_t>& samples, size_t from = 0);
// Levels of a peak: the synthesiser's dither stays within kSilent; a note is far above kHeard.
constexpr int kSilent = 2;
constexpr int kHeard = 300;

// Music goes to the capture port, the system's soundfont is used and COM creates every class; put
// back as the program has it afterwards.
class MusicSeams {
public:
    MusicSeams();
    ~MusicSeams();
    MusicSeams(const MusicSeams&) = delete;
    MusicSeams& operator=(const MusicSeams&) = delete;
};

} // namespace testsupport
