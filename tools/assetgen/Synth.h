// Building blocks for the sound effects: struck and plucked tones, gliding tones, horn
// and voice timbres, filtered noise, and the final levelling with fades to silence.
#pragma once
#include "Random.h"

#include <functional>
#include <vector>

namespace assetgen {

// A mono sound being mixed, in floating point.
struct Track {
    Track(int rate, size_t samples) : rate(rate), s(samples, 0.0) {}
    double seconds() const { return static_cast<double>(s.size()) / rate; }

    int rate;
    std::vector<double> s;
};

double midiHz(double note);

// One component of a struck tone: frequency ratio, level, decay time constant (seconds)
// and an offset in hertz that lets two components beat.
struct Partial {
    double ratio, level, decay, detune = 0;
};
std::vector<Partial> bellPartials(double decay);  // chime: inharmonic, long ring
std::vector<Partial> glockPartials(double decay); // glockenspiel and celesta
std::vector<Partial> marimbaPartials(double decay);
std::vector<Partial> xylophonePartials(double decay);
std::vector<Partial> pluckPartials(double decay); // harp-like string
std::vector<Partial> woodPartials(double decay);  // a short knock

// A tone struck at t0: decaying sinusoids after a short raised-cosine attack. Components
// at or above 45 % of the sample rate are left out.
void strike(Track& t, double t0, double hz, double level, const std::vector<Partial>& partials, double attack = 0.002);

// A tone gliding exponentially from hz0 to hz1 over its length, with the given harmonic
// levels (first entry the fundamental) and an envelope over time since t0.
void glide(Track& t, double t0, double length, double hz0, double hz1, double level, const std::vector<double>& harmonics,
           const std::function<double(double)>& envelope);

// A brass-like held note: brighter as it swells, with a delayed vibrato; it ends with a
// release after `length`.
void horn(Track& t, double t0, double length, double hz, double level, double release = 0.10);

// A sung vowel gliding from hz0 to hz1: harmonics shaped by two formants.
void voice(Track& t, double t0, double length, double hz0, double hz1, double level, double formant1,
           double formant2);

// Band-passed noise whose centre glides from hz0 to hz1; quick attack, exponential decay.
void noiseBand(Track& t, double t0, double length, double hz0, double hz1, double q, double level, double decay,
               Random& random);

// The finished sound: levelled to the given peak (of full scale) and faded in and out
// over the given times, so that it starts and ends in silence.
std::vector<double> finish(Track& t, double peak, double fadeIn, double fadeOut);

// Attack-sustain-release envelope: rises over `attack`, holds, falls over `release` at `length`.
std::function<double(double)> asr(double attack, double length, double release);
// Attack then exponential decay.
std::function<double(double)> percussive(double attack, double decay);

} // namespace assetgen
