// The FluidSynth module: a synthesiser with FluidSynth's own MIDI file player, timed by
// the samples it renders. Built and linked against FluidSynth as a module of its own, which
// the platform loads when music first plays; its one export makes synthesisers.
#include "dmusic/MidiSynth.h"

#include <fluidsynth.h>

#include <algorithm>
#include <mutex>
#include <sys/stat.h>

namespace {

using platform::MidiSynth;

// FluidSynth's own default (0.2) leaves a single instrument barely audible.
constexpr double kGain = 0.5;

bool IsFile(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// FluidSynth reports missing presets and the like on stderr; only its errors are worth that.
void QuietFluidSynthOnce()
{
    static std::once_flag once;
    std::call_once(once, [] {
        fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
        fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
        fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
    });
}

class FluidSynthPlayer final : public MidiSynth {
public:
    FluidSynthPlayer(fluid_settings_t* settings, fluid_synth_t* synth) : m_settings(settings), m_synth(synth) {}
    ~FluidSynthPlayer() override
    {
        EndSong();
        delete_fluid_synth(m_synth);
        delete_fluid_settings(m_settings);
    }

    bool Play(std::span<const uint8_t> song) override
    {
        EndSong();
        fluid_synth_all_notes_off(m_synth, -1);
        m_player = new_fluid_player(m_synth);
        if (!m_player)
            return false;
        // The player keeps a copy of the file.
        if (fluid_player_add_mem(m_player, song.data(), song.size()) != FLUID_OK || fluid_player_play(m_player) != FLUID_OK) {
            EndSong();
            return false;
        }
        return true;
    }

    void Stop() override
    {
        EndSong();
        fluid_synth_all_sounds_off(m_synth, -1);
    }

    bool IsPlaying() override { return m_player && fluid_player_get_status(m_player) == FLUID_PLAYER_PLAYING; }

    uint32_t Tick() override { return m_player ? static_cast<uint32_t>(std::max(0, fluid_player_get_current_tick(m_player))) : 0; }

    void Render(int16_t* stereo, size_t frames) override
    {
        fluid_synth_write_s16(m_synth, static_cast<int>(frames), stereo, 0, 2, stereo, 1, 2);
    }

private:
    // The player goes; the notes it started are left to the caller.
    void EndSong()
    {
        if (!m_player)
            return;
        fluid_player_stop(m_player);
        delete_fluid_player(m_player);
        m_player = nullptr;
    }

    fluid_settings_t* m_settings;
    fluid_synth_t* m_synth;
    fluid_player_t* m_player = nullptr;
};

MidiSynth* Create(const std::vector<std::string>& soundFonts)
{
    QuietFluidSynthOnce();
    // A damaged soundfont is passed over for the next one.
    for (const std::string& font : soundFonts) {
        if (!IsFile(font))
            continue;
        fluid_settings_t* settings = new_fluid_settings();
        if (!settings)
            return nullptr;
        fluid_settings_setnum(settings, "synth.sample-rate", platform::kMusicSampleRate);
        fluid_settings_setnum(settings, "synth.gain", kGain);
        // The player moves on with the samples rendered, and leaves the synthesiser as it is
        // between songs.
        fluid_settings_setstr(settings, "player.timing-source", "sample");
        fluid_settings_setint(settings, "player.reset-synth", 0);
        fluid_synth_t* synth = new_fluid_synth(settings);
        if (!synth) {
            delete_fluid_settings(settings);
            return nullptr;
        }
        if (fluid_synth_sfload(synth, font.c_str(), 1) != FLUID_FAILED)
            return new FluidSynthPlayer(settings, synth);
        delete_fluid_synth(synth);
        delete_fluid_settings(settings);
    }
    return nullptr;
}

} // namespace

extern "C" __attribute__((visibility("default"))) MidiSynth* memory_create_fluidsynth(const std::vector<std::string>* soundFonts)
{
    try {
        return soundFonts ? Create(*soundFonts) : nullptr;
    } catch (...) {
        return nullptr;
    }
}
