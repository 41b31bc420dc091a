// The eighteen sound effects. Each fills exactly its resource's length and ends in silence.
#include "Sounds.h"

#include "Geometry.h"
#include "Synth.h"

#include <cmath>
#include <string>

namespace assetgen {
namespace {

// Win fanfare, also the start-up sound: a rising C major arpeggio on horns with bells on
// top, landing on a held chord under a falling sparkle.
std::vector<double> done1(Track& t)
{
    const int arpeggio[] = {72, 76, 79};
    for (int i = 0; i < 3; ++i) {
        const double at = 0.01 + i * 0.11;
        horn(t, at, 0.10, midiHz(arpeggio[i]), 0.45);
        strike(t, at, midiHz(arpeggio[i] + 12), 0.30, glockPartials(0.35));
    }
    const int chord[] = {48, 60, 72, 76, 79, 84};
    for (int i = 0; i < 6; ++i) horn(t, 0.34 + i * 0.012, 1.0, midiHz(chord[i]), i < 2 ? 0.30 : 0.22, 0.6);
    strike(t, 0.34, midiHz(96), 0.35, glockPartials(0.8));
    const int sparkle[] = {103, 100, 96, 91, 88};
    for (int i = 0; i < 5; ++i) strike(t, 0.62 + i * 0.09, midiHz(sparkle[i]), 0.16, glockPartials(0.45));
    return finish(t, 0.85, 0.003, 0.30);
}

// Win fanfare: a trumpet call that settles on G over a C major chord, with a drum hit
// and a cymbal wash on the last note.
std::vector<double> done2(Track& t, Random& random)
{
    const struct { double at, length; int note; } call[] = {
        {0.01, 0.10, 67}, {0.13, 0.10, 72}, {0.25, 0.10, 76}, {0.37, 0.24, 79}, {0.66, 0.10, 76}, {0.80, 1.05, 79}};
    for (const auto& n : call) horn(t, n.at, n.length, midiHz(n.note), 0.5, n.length > 1 ? 0.6 : 0.1);
    const int chord[] = {48, 55, 60, 64, 72};
    for (int note : chord) horn(t, 0.80, 1.05, midiHz(note), 0.18, 0.6);
    glide(t, 0.80, 0.6, 110, 70, 0.6, {1, 0.3}, percussive(0.003, 0.18));
    noiseBand(t, 0.80, 1.5, 9000, 7000, 0.7, 0.25, 0.45, random);
    for (int i = 0; i < 6; ++i) strike(t, 0.82 + i * 0.07, midiHz(84 + 2 * i + (i > 2 ? 1 : 0)), 0.12, glockPartials(0.5));
    return finish(t, 0.85, 0.003, 0.35);
}

// Win flourish: a short "ta-da" of mallets and bells.
std::vector<double> done3(Track& t)
{
    strike(t, 0.01, midiHz(67), 0.7, marimbaPartials(0.12));
    strike(t, 0.09, midiHz(74), 0.7, marimbaPartials(0.12));
    for (int note : {72, 76, 79, 84}) {
        strike(t, 0.18, midiHz(note), 0.45, marimbaPartials(0.4));
        strike(t, 0.18, midiHz(note + 12), 0.30, glockPartials(0.45));
    }
    return finish(t, 0.85, 0.002, 0.12);
}

// A miss: a soft sung "uh-oh", falling.
std::vector<double> oop(Track& t)
{
    voice(t, 0.02, 0.20, 340, 355, 0.8, 650, 1150);
    voice(t, 0.30, 0.62, 268, 215, 0.9, 480, 850);
    return finish(t, 0.62, 0.005, 0.10);
}

// A tick: a tiny high click.
std::vector<double> tsik(Track& t, Random& random)
{
    noiseBand(t, 0.0005, 0.012, 6000, 4000, 1.2, 0.8, 0.0015, random);
    strike(t, 0.0005, 3800, 0.5, {{1, 1, 0.003}, {1.52, 0.5, 0.002}}, 0.0003);
    return finish(t, 0.6, 0.0003, 0.004);
}

// A matched pair: a bright two-note chime, rising a fifth.
std::vector<double> brim(Track& t)
{
    strike(t, 0.005, midiHz(84), 0.55, bellPartials(0.45));
    strike(t, 0.080, midiHz(91), 0.60, bellPartials(0.50));
    strike(t, 0.080, midiHz(96), 0.15, glockPartials(0.30));
    return finish(t, 0.8, 0.002, 0.15);
}

// Two glasses touching: a bright clink and a softer answer.
std::vector<double> glass(Track& t, Random& random)
{
    const auto clink = [&](double at, double hz, double level) {
        strike(t, at, hz, level, {{1, 1, 0.40}, {1, 0.6, 0.40, 3.5}, {2.32, 0.45, 0.18}, {3.7, 0.22, 0.07}}, 0.0008);
        noiseBand(t, at, 0.006, 3800, 3000, 2.0, level * 0.6, 0.0015, random);
    };
    clink(0.005, 1320, 0.8);
    clink(0.115, 1565, 0.5);
    return finish(t, 0.8, 0.001, 0.15);
}

// A cork pop: a puff of noise and a plop falling in pitch.
std::vector<double> chpok(Track& t, Random& random)
{
    noiseBand(t, 0.002, 0.02, 2500, 1200, 1.0, 0.7, 0.004, random);
    glide(t, 0.004, 0.09, 1300, 300, 0.9, {1, 0.25}, percussive(0.001, 0.03));
    glide(t, 0.010, 0.18, 190, 170, 0.25, {1}, percussive(0.004, 0.05));
    return finish(t, 0.7, 0.001, 0.03);
}

// A menu pop: a short rising blip.
std::vector<double> menu(Track& t)
{
    glide(t, 0.002, 0.12, 900, 1500, 0.9, {1, 0.2, 0.05}, percussive(0.002, 0.028));
    return finish(t, 0.7, 0.001, 0.02);
}

// A bubble: a tone sweeping up as it swells and fades.
std::vector<double> bloop(Track& t)
{
    glide(t, 0.003, 0.17, 260, 1100, 0.9, {1, 0.1},
          [](double x) { return std::pow(std::sin(kPi * std::min(x / 0.17, 1.0)), 1.5); });
    return finish(t, 0.7, 0.002, 0.02);
}

// Note times of a falling object: the gaps shrink by `ratio` each time.
std::vector<double> tumble(double first, double gap, double ratio, int count)
{
    std::vector<double> at;
    for (int i = 0; i < count; ++i, first += gap, gap *= ratio) at.push_back(first);
    return at;
}

// Fall1: a xylophone running down the pentatonic scale, slowing to its last note.
std::vector<double> fall1(Track& t)
{
    const int notes[] = {88, 86, 84, 81, 79, 76, 74, 72, 69, 67, 64, 60};
    for (int i = 0; i < 12; ++i)
        strike(t, 0.005 + i * 0.06 + i * i * 0.0018, midiHz(notes[i]), i == 11 ? 0.8 : 0.6,
               xylophonePartials(i == 11 ? 0.35 : 0.15));
    return finish(t, 0.8, 0.002, 0.12);
}

// Fall2: a handful of wooden blocks clattering down.
std::vector<double> fall2(Track& t, Random& random)
{
    const std::vector<double> at = tumble(0.005, 0.075, 0.8, 7);
    for (size_t i = 0; i < at.size(); ++i) {
        const double hz = 1700 * std::pow(0.82, static_cast<double>(i));
        strike(t, at[i], hz, 0.8 - 0.07 * i, woodPartials(0.035), 0.0005);
        noiseBand(t, at[i], 0.01, hz * 2, hz, 3.0, 0.3, 0.002, random);
    }
    return finish(t, 0.8, 0.001, 0.05);
}

// Fall3: a glockenspiel tumbling down a whole-tone scale into a low bell.
std::vector<double> fall3(Track& t)
{
    for (int i = 0; i < 7; ++i) strike(t, 0.005 + i * 0.055, midiHz(96 - 2 * i), 0.5, glockPartials(0.25));
    strike(t, 0.42, midiHz(72), 0.8, bellPartials(0.3));
    return finish(t, 0.8, 0.002, 0.12);
}

// Fall4: something bouncing down to rest, each bounce quicker, lower and softer.
std::vector<double> fall4(Track& t)
{
    const std::vector<double> at = tumble(0.005, 0.26, 0.70, 11);
    for (size_t i = 0; i < at.size(); ++i) {
        const double hz = 700 * std::pow(0.93, static_cast<double>(i));
        glide(t, at[i], 0.09, hz * 1.3, hz, 0.9 * std::pow(0.82, static_cast<double>(i)), {1, 0.35, 0.1},
              percussive(0.0015, 0.03));
    }
    return finish(t, 0.8, 0.001, 0.1);
}

// Fall5: a marimba arpeggio down the C major chord onto a low C.
std::vector<double> fall5(Track& t)
{
    const int notes[] = {84, 79, 76, 72, 67, 64, 60, 48};
    for (int i = 0; i < 8; ++i)
        strike(t, 0.005 + i * 0.085, midiHz(notes[i]), i == 7 ? 0.9 : 0.6, marimbaPartials(i == 7 ? 0.45 : 0.22));
    return finish(t, 0.8, 0.002, 0.12);
}

// Fall6: a harp glissando down two octaves of C major.
std::vector<double> fall6(Track& t)
{
    const int notes[] = {84, 83, 81, 79, 77, 76, 74, 72, 71, 69, 67, 65, 64, 62, 60};
    for (int i = 0; i < 15; ++i) strike(t, 0.005 + i * 0.045, midiHz(notes[i]), 0.45, pluckPartials(0.5), 0.003);
    return finish(t, 0.8, 0.002, 0.15);
}

// Fall7: cards riffling down: quick paper flicks, each a little lower.
std::vector<double> fall7(Track& t, Random& random)
{
    double at = 0.005;
    for (int i = 0; i < 22; ++i) {
        const double centre = 4200 * std::pow(0.93, i);
        noiseBand(t, at, 0.02, centre * 1.2, centre * 0.8, 2.5, 0.9 - 0.02 * i, 0.006, random);
        at += 0.014 + 0.00006 * i * i;
    }
    noiseBand(t, at, 0.06, 600, 300, 1.2, 0.7, 0.02, random);
    return finish(t, 0.75, 0.001, 0.08);
}

// Fall8: celesta notes tumbling down chromatically.
std::vector<double> fall8(Track& t)
{
    for (int i = 0; i < 12; ++i)
        strike(t, 0.005 + i * 0.04, midiHz(93 - i), 0.5, glockPartials(i == 11 ? 0.3 : 0.15));
    return finish(t, 0.8, 0.002, 0.1);
}

} // namespace

std::vector<double> synthesise(const WaveLayout& layout)
{
    Track t(layout.rate, sampleCount(layout));
    // Each sound draws its noise from its own fixed sequence.
    uint64_t seed = 0x5EED;
    for (const char* c = layout.name; *c; ++c) seed = seed * 131 + static_cast<unsigned char>(*c);
    Random random(seed);
    const std::string name = layout.name;
    if (name == "DONE1") return done1(t);
    if (name == "DONE2") return done2(t, random);
    if (name == "DONE3") return done3(t);
    if (name == "OOP") return oop(t);
    if (name == "TSIK") return tsik(t, random);
    if (name == "BRIM") return brim(t);
    if (name == "GLASS") return glass(t, random);
    if (name == "CHPOK") return chpok(t, random);
    if (name == "MENU") return menu(t);
    if (name == "BLOOP") return bloop(t);
    if (name == "FALL1") return fall1(t);
    if (name == "FALL2") return fall2(t, random);
    if (name == "FALL3") return fall3(t);
    if (name == "FALL4") return fall4(t);
    if (name == "FALL5") return fall5(t);
    if (name == "FALL6") return fall6(t);
    if (name == "FALL7") return fall7(t, random);
    if (name == "FALL8") return fall8(t);
    return std::vector<double>(t.s.size(), 0.0);
}

} // namespace assetgen
