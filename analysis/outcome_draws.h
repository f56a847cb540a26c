#pragma once

// The yearly returns of the range of outcomes. The generator is our own
// (SplitMix64 to seed, xoshiro256** per path, Marsaglia's polar method for
// normals) rather than the standard library's distributions, whose
// algorithms vary between implementations: the same seed gives the same
// figures on every build. Internal to the simulation; exposed for its tests.
#include "growth.h"

#include <cmath>
#include <cstdint>

namespace gw::draws {

// A drawn return never falls below -99 %: a year that loses everything
// leaves a unit price of 0, which the growth model cannot divide by. At a
// projection return of 0 % or more and the volatilities allowed, a draw that
// low is rarer than one in 10^20; only large negative projection returns
// meet the floor.
inline constexpr double kReturnFloor = -0.99;

// The SplitMix64 output for the state `x` (already advanced by its gamma).
constexpr std::uint64_t Mix64(std::uint64_t x)
{
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

inline constexpr std::uint64_t kGolden = 0x9E3779B97F4A7C15ULL;

// xoshiro256** seeded with outputs 4k+1..4k+4 of the SplitMix64 sequence of
// `seed`, so path k's stream depends on the seed and k alone, and no two
// paths start from the same state.
class PathRandom {
public:
    PathRandom(std::uint64_t seed, std::uint64_t path)
    {
        for (int j = 0; j < 4; ++j)
            s_[j] = Mix64(seed + (4 * path + static_cast<std::uint64_t>(j) + 1) * kGolden);
        // Mix64 is a bijection of distinct inputs: at most one word is 0.
    }

    std::uint64_t next()
    {
        const std::uint64_t result = rotl(s_[1] * 5, 7) * 9;
        const std::uint64_t t = s_[1] << 17;
        s_[2] ^= s_[0];
        s_[3] ^= s_[1];
        s_[1] ^= s_[2];
        s_[0] ^= s_[3];
        s_[2] ^= t;
        s_[3] = rotl(s_[3], 45);
        return result;
    }

    // Uniform on [0, 1) with 53 random bits.
    double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

    // Standard normal, two per accepted pair.
    double normal()
    {
        if (hasSpare_) {
            hasSpare_ = false;
            return spare_;
        }
        double u, v, s;
        do {
            u = 2 * uniform() - 1;
            v = 2 * uniform() - 1;
            s = u * u + v * v;
        } while (s >= 1 || s == 0);
        const double f = std::sqrt(-2 * std::log(s) / s);
        spare_ = v * f;
        hasSpare_ = true;
        return u * f;
    }

private:
    static std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

    std::uint64_t s_[4];
    double spare_ = 0;
    bool hasSpare_ = false;
};

// The lognormal law of a year's return R: 1 + R = exp(mu + sigma Z) with Z
// standard normal, so that R has arithmetic mean `mean` and standard
// deviation `volatility` (fractions; mean above -1).
struct ReturnLaw {
    double mean = 0;
    double volatility = 0;
    double mu = 0;
    double sigma = 0;
};

inline ReturnLaw MakeReturnLaw(double mean, double volatility)
{
    ReturnLaw law{mean, volatility, 0, 0};
    if (volatility > 0) {
        const double ratio = volatility / (1 + mean);
        const double variance = std::log1p(ratio * ratio);
        law.sigma = std::sqrt(variance);
        law.mu = std::log1p(mean) - variance / 2;
    }
    return law;
}

// One year's return: the mean itself at a volatility of 0 (no draw), so that
// such a path is the projection exactly; otherwise floored at kReturnFloor.
inline double DrawReturn(const ReturnLaw& law, PathRandom& random)
{
    if (!(law.volatility > 0))
        return law.mean;
    const double r = std::expm1(law.mu + law.sigma * random.normal());
    return r < kReturnFloor ? kReturnFloor : r;
}

// Path `path`'s returns for years 1..years into returns[1..years].
inline void DrawPathReturns(const ReturnLaw& law, std::uint64_t seed, int path, int years, YearArray& returns)
{
    returns[0] = 0;
    if (!(law.volatility > 0)) {
        for (int y = 1; y <= years; ++y)
            returns[y] = law.mean;
        return;
    }
    PathRandom random(seed, static_cast<std::uint64_t>(path));
    for (int y = 1; y <= years; ++y)
        returns[y] = DrawReturn(law, random);
}

} // namespace gw::draws
