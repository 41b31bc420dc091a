// The MIDI synthesiser on FluidSynth.
#include "dmusic/MidiSynth.h"

#include "base/Seam.h"
#include "dmusic/FluidSynthLibrary.h"

#include <mutex>
#include <sys/stat.h>
#include <vector>

namespace platform {

namespace {

// Debian's General MIDI alternative first, then the usual soundfonts by name.
const char* const kSoundFonts[] = {
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf3/default-GM.sf3",
    "/usr/share/soundfonts/default.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/soundfonts/FluidR3_GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/GeneralUser_GS.sf2",
};

// FluidSynth's own default (0.2) leaves a single instrument barely audible.
constexpr double kGain = 0.5;

bool IsFile(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// FluidSynth reports missing presets and the like on stderr; only its errors are worth that.
void QuietFluidSynthOnce(const FluidSynthLibrary& fs)
{
    static std::once_flag once;
    std::call_once(once, [&fs] {
        fs.fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
        fs.fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
        fs.fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
    });
}

class FluidSynthSynth final : public MidiSynth {
public:
    FluidSynthSynth(const FluidSynthLibrary& fs, fluid_settings_t* settings, fluid_synth_t* synth)
        : m_fs(fs), m_settings(settings), m_synth(synth)
    {
    }
    ~FluidSynthSynth() override
    {
        m_fs.delete_fluid_synth(m_synth);
        m_fs.delete_fluid_settings(m_settings);
    }

    void Send(uint8_t status, uint8_t data1, uint8_t data2) override
    {
        const int channel = status & 0x0F;
        switch (status & 0xF0) {
        case 0x80:
            m_fs.fluid_synth_noteoff(m_synth, channel, data1);
            break;
        case 0x90:
            m_fs.fluid_synth_noteon(m_synth, channel, data1, data2); // velocity 0 is a note-off
            break;
        case 0xA0:
            m_fs.fluid_synth_key_pressure(m_synth, channel, data1, data2);
            break;
        case 0xB0:
            m_fs.fluid_synth_cc(m_synth, channel, data1, data2);
            break;
        case 0xC0:
            m_fs.fluid_synth_program_change(m_synth, channel, data1);
            break;
        case 0xD0:
            m_fs.fluid_synth_channel_pressure(m_synth, channel, data1);
            break;
        case 0xE0:
            m_fs.fluid_synth_pitch_bend(m_synth, channel, data1 | (data2 << 7));
            break;
        }
    }
    void NotesOff() override { m_fs.fluid_synth_all_notes_off(m_synth, -1); }
    void SoundsOff() override { m_fs.fluid_synth_all_sounds_off(m_synth, -1); }
    void Render(int16_t* stereo, size_t frames) override
    {
        m_fs.fluid_synth_write_s16(m_synth, static_cast<int>(frames), stereo, 0, 2, stereo, 1, 2);
    }

private:
    const FluidSynthLibrary& m_fs;
    fluid_settings_t* m_settings;
    fluid_synth_t* m_synth;
};

class SystemFluidSynth final : public MidiSynthSource {
public:
    std::unique_ptr<MidiSynth> Create() override
    {
        return CreateFluidSynth(std::vector<std::string>(std::begin(kSoundFonts), std::end(kSoundFonts)));
    }
};

} // namespace

MidiSynthSource& CurrentSynthSource() { return Seam<MidiSynthSource, SystemFluidSynth>::Current(); }

void InstallSynthSource(MidiSynthSource* source) { Seam<MidiSynthSource, SystemFluidSynth>::Install(source); }

std::unique_ptr<MidiSynth> CreateFluidSynth(const std::vector<std::string>& soundFonts)
{
    const FluidSynthLibrary* fs = FluidSynth();
    if (!fs)
        return nullptr; // no FluidSynth on this machine: the music is simply not heard
    QuietFluidSynthOnce(*fs);
    // A damaged soundfont is passed over for the next one.
    for (const std::string& font : soundFonts) {
        if (!IsFile(font))
            continue;
        fluid_settings_t* settings = fs->new_fluid_settings();
        if (!settings)
            return nullptr;
        fs->fluid_settings_setnum(settings, "synth.sample-rate", kMusicSampleRate);
        fs->fluid_settings_setnum(settings, "synth.gain", kGain);
        fluid_synth_t* synth = fs->new_fluid_synth(settings);
        if (!synth) {
            fs->delete_fluid_settings(settings);
            return nullptr;
        }
        auto result = std::make_unique<FluidSynthSynth>(*fs, settings, synth);
        if (fs->fluid_synth_sfload(synth, font.c_str(), 1) != FLUID_FAILED)
            return result;
    }
    return nullptr;
}

} // namespace platform
