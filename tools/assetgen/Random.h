// Seeded pseudo-random numbers with a fixed algorithm (SplitMix64), so that every run
// and every standard library gives the same sequence.
#pragma once
#include <cstdint>

namespace assetgen {

class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}

    uint64_t next()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }

private:
    uint64_t state_;
};

// A stateless hash of integer coordinates to [0, 1): texture noise that needs no order.
inline double hash01(int64_t x, int64_t y, uint64_t seed)
{
    Random r(seed ^ (static_cast<uint64_t>(x) * 0x632BE59BD9B4E019ull) ^ (static_cast<uint64_t>(y) * 0x85157AF5ull));
    return r.uniform();
}

} // namespace assetgen
