#include "Synth.h"

#include "Geometry.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

double midiHz(double note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

std::vector<Partial> bellPartials(double d)
{
    return {{0.5, 0.12, d * 1.2}, {1, 1, d},          {1, 0.35, d, 1.3},       {2.0, 0.30, d * 0.6},
            {2.76, 0.28, d * 0.4}, {4.07, 0.16, d * 0.25}, {5.40, 0.10, d * 0.18}};
}
std::vector<Partial> glockPartials(double d)
{
    return {{1, 1, d}, {2.76, 0.35, d * 0.45}, {5.40, 0.18, d * 0.25}, {8.93, 0.08, d * 0.15}};
}
std::vector<Partial> marimbaPartials(double d) { return {{1, 1, d}, {3.93, 0.30, d * 0.25}, {9.9, 0.06, d * 0.08}}; }
std::vector<Partial> xylophonePartials(double d) { return {{1, 1, d}, {3.0, 0.35, d * 0.4}, {6.0, 0.12, d * 0.2}}; }
std::vector<Partial> pluckPartials(double d)
{
    return {{1, 1, d}, {2, 0.5, d / 1.6}, {3, 0.28, d / 2.2}, {4, 0.14, d / 2.8}, {5, 0.07, d / 3.4}};
}
std::vector<Partial> woodPartials(double d) { return {{1, 1, d}, {2.43, 0.5, d * 0.6}, {4.1, 0.25, d * 0.35}}; }

namespace {

size_t firstSample(const Track& t, double t0) { return static_cast<size_t>(std::max(0.0, std::ceil(t0 * t.rate))); }

double rise(double x, double over) { return x >= over ? 1.0 : 0.5 - 0.5 * std::cos(kPi * x / over); }

} // namespace

void strike(Track& t, double t0, double hz, double level, const std::vector<Partial>& partials, double attack)
{
    for (const Partial& p : partials) {
        const double f = hz * p.ratio + p.detune;
        if (f >= 0.45 * t.rate) continue;
        const double w = 2 * kPi * f;
        for (size_t i = firstSample(t, t0); i < t.s.size(); ++i) {
            const double x = static_cast<double>(i) / t.rate - t0;
            const double fall = std::exp(-x / p.decay);
            if (fall < 1e-5) break;
            t.s[i] += level * p.level * rise(x, attack) * fall * std::sin(w * x);
        }
    }
}

namespace {

// A tone whose pitch glides exponentially from hz0 to hz1: harmonic k (from 1) has the
// level partial(k, its frequency); harmonics at or above 45 % of the rate are left out.
void addGlidingTone(Track& t, double t0, double length, double hz0, double hz1, double level,
                    const std::function<double(double)>& envelope, int harmonics,
                    const std::function<double(int, double)>& partial)
{
    double phase = 0;
    const size_t end = std::min(t.s.size(), static_cast<size_t>((t0 + length) * t.rate));
    for (size_t i = firstSample(t, t0); i < end; ++i) {
        const double x = static_cast<double>(i) / t.rate - t0;
        const double f = hz0 * std::pow(hz1 / hz0, x / length);
        double v = 0;
        for (int k = 1; k <= harmonics && k * f < 0.45 * t.rate; ++k) v += partial(k, k * f) * std::sin(k * phase);
        t.s[i] += level * envelope(x) * v;
        phase += 2 * kPi * f / t.rate;
    }
}

} // namespace

void glide(Track& t, double t0, double length, double hz0, double hz1, double level, const std::vector<double>& harmonics,
           const std::function<double(double)>& envelope)
{
    addGlidingTone(t, t0, length, hz0, hz1, level, envelope, static_cast<int>(harmonics.size()),
                   [&](int k, double) { return harmonics[k - 1]; });
}

void horn(Track& t, double t0, double length, double hz, double level, double release)
{
    const auto env = asr(0.035, length, release);
    double phase = 0;
    const size_t end = std::min(t.s.size(), static_cast<size_t>((t0 + length + release) * t.rate));
    for (size_t i = firstSample(t, t0); i < end; ++i) {
        const double x = static_cast<double>(i) / t.rate - t0;
        const double e = env(x);
        const double vibrato = 0.006 * smoothstep(0.15, 0.40, x) * std::sin(2 * kPi * 5.5 * x);
        const double f = hz * (1 + vibrato);
        const double bright = 0.25 + 0.5 * e;
        double v = 0, a = 1;
        for (int k = 1; k * hz < 0.45 * t.rate && a > 1e-3; ++k, a *= bright) v += a * std::sin(k * phase);
        t.s[i] += level * e * v;
        phase += 2 * kPi * f / t.rate;
    }
}

void voice(Track& t, double t0, double length, double hz0, double hz1, double level, double formant1, double formant2)
{
    addGlidingTone(t, t0, length, hz0, hz1, level, asr(0.03, length - 0.08, 0.08), 1000, [=](int k, double hz) {
        const double shape = std::exp(-std::pow((hz - formant1) / 150, 2)) + 0.5 * std::exp(-std::pow((hz - formant2) / 220, 2));
        return (shape + 0.02) / std::pow(k, 1.3);
    });
}

void noiseBand(Track& t, double t0, double length, double hz0, double hz1, double q, double level, double decay,
               Random& random)
{
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    const size_t end = std::min(t.s.size(), static_cast<size_t>((t0 + length) * t.rate));
    for (size_t i = firstSample(t, t0); i < end; ++i) {
        const double x = static_cast<double>(i) / t.rate - t0;
        const double fc = std::min(hz0 * std::pow(hz1 / hz0, x / length), 0.45 * t.rate);
        const double w0 = 2 * kPi * fc / t.rate, alpha = std::sin(w0) / (2 * q), a0 = 1 + alpha;
        const double in = random.uniform() * 2 - 1;
        const double y = (alpha * in - alpha * x2 + 2 * std::cos(w0) * y1 - (1 - alpha) * y2) / a0;
        x2 = x1, x1 = in, y2 = y1, y1 = y;
        const double tail = std::min(1.0, (length - x) / 0.005);
        t.s[i] += level * rise(x, 0.001) * std::exp(-x / decay) * tail * y;
    }
}

std::vector<double> finish(Track& t, double peak, double fadeIn, double fadeOut)
{
    double top = 0;
    for (double v : t.s) top = std::max(top, std::abs(v));
    const double gain = top > 0 ? peak / top : 0;
    const size_t n = t.s.size();
    const double in = std::max(1.0, fadeIn * t.rate), out = std::max(1.0, fadeOut * t.rate);
    std::vector<double> result(n);
    for (size_t i = 0; i < n; ++i) {
        const double fromEnd = static_cast<double>(n - 1 - i);
        result[i] = t.s[i] * gain * rise(static_cast<double>(i), in) * rise(fromEnd, out);
    }
    return result;
}

std::function<double(double)> asr(double attack, double length, double release)
{
    return [=](double x) {
        if (x < 0) return 0.0;
        if (x > length) return x > length + release ? 0.0 : rise(length + release - x, release);
        return rise(x, attack);
    };
}

std::function<double(double)> percussive(double attack, double decay)
{
    return [=](double x) { return x < 0 ? 0.0 : rise(x, attack) * std::exp(-x / decay); };
}

} // namespace assetgen
