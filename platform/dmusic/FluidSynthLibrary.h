// FluidSynth, opened when the first synthesiser is made: it and the libraries it
// pulls in cost start-up time that a program without music need not pay.
#pragma once
#include <fluidsynth.h>

namespace platform {

#define PLATFORM_FLUIDSYNTH_FUNCTIONS(X) \
    X(fluid_set_log_function)            \
    X(new_fluid_settings)                \
    X(delete_fluid_settings)             \
    X(fluid_settings_setnum)             \
    X(new_fluid_synth)                   \
    X(delete_fluid_synth)                \
    X(fluid_synth_sfload)                \
    X(fluid_synth_noteon)                \
    X(fluid_synth_noteoff)               \
    X(fluid_synth_key_pressure)          \
    X(fluid_synth_cc)                    \
    X(fluid_synth_program_change)        \
    X(fluid_synth_channel_pressure)      \
    X(fluid_synth_pitch_bend)            \
    X(fluid_synth_all_notes_off)         \
    X(fluid_synth_all_sounds_off)        \
    X(fluid_synth_write_s16)

struct FluidSynthLibrary {
#define PLATFORM_FLUIDSYNTH_POINTER(name) decltype(&::name) name = nullptr;
    PLATFORM_FLUIDSYNTH_FUNCTIONS(PLATFORM_FLUIDSYNTH_POINTER)
#undef PLATFORM_FLUIDSYNTH_POINTER
};

// The library with every function resolved, or nullptr when it cannot be opened.
const FluidSynthLibrary* FluidSynth();

} // namespace platform
