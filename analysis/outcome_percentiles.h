#pragma once

// The percentiles of the range of outcomes, from the values of one year on
// every path. Internal to the simulation; exposed for its tests.
#include "outcomes.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <vector>

namespace gw::outcome {

// Order statistics by radix: the doubles become keys that sort as they do,
// each level counts 12 bits of the keys and keeps only the buckets that hold
// a wanted rank, and a small remainder is selected directly.
class RankSelector {
public:
    // out[i] = the ranks[i]-th smallest of values[0..n) (0-based); at most
    // 16 ranks, increasing. The values are left as they are.
    void select(const double* values, int n, const int* ranks, int count, double* out)
    {
        keys_.resize(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            keys_[i] = toKey(values[i]);
        std::array<std::uint64_t, kMaxRanks> found{};
        level(keys_.data(), n, ranks, count, 64 - kBits, 0, found.data());
        for (int i = 0; i < count; ++i)
            out[i] = fromKey(found[i]);
    }

private:
    static constexpr int kBits = 12;
    static constexpr int kBuckets = 1 << kBits;
    static constexpr int kMaxRanks = 16;
    static constexpr int kSmall = 512;

    // Negative numbers flip every bit, the others the sign bit: the keys
    // then sort as the numbers do (-0 just below +0).
    static std::uint64_t toKey(double x)
    {
        const auto bits = std::bit_cast<std::uint64_t>(x);
        return bits >> 63 ? ~bits : bits | (std::uint64_t{1} << 63);
    }
    static double fromKey(std::uint64_t key)
    {
        return std::bit_cast<double>(key >> 63 ? key & ~(std::uint64_t{1} << 63) : ~key);
    }

    // keys[0..n) at depth `depth` (each depth its own buffer); bits above
    // shift + kBits are the same in every key.
    void level(std::uint64_t* keys, int n, const int* ranks, int count, int shift, int depth, std::uint64_t* out)
    {
        if (n <= kSmall || shift < 0) {
            for (int i = 0; i < count; ++i) {
                std::nth_element(keys, keys + ranks[i], keys + n);
                out[i] = keys[ranks[i]];
            }
            return;
        }
        std::array<int, kBuckets + 1> start{};
        for (int i = 0; i < n; ++i)
            ++start[((keys[i] >> shift) & (kBuckets - 1)) + 1];
        for (int b = 0; b < kBuckets; ++b)
            start[b + 1] += start[b];
        // The buckets holding a wanted rank, in order, and where each goes.
        std::array<int, kMaxRanks> bucketOf{};
        std::array<std::int16_t, kBuckets> slot;
        slot.fill(-1);
        int kept = 0, keptSize = 0;
        std::array<int, kMaxRanks> keptBucket{}, keptAt{};
        for (int i = 0; i < count; ++i) {
            const auto above = std::upper_bound(start.begin() + 1, start.end(), ranks[i]);
            const int b = static_cast<int>(above - start.begin()) - 1;
            bucketOf[i] = b;
            if (slot[b] < 0) {
                slot[b] = static_cast<std::int16_t>(kept);
                keptBucket[kept] = b;
                keptAt[kept] = keptSize;
                keptSize += start[b + 1] - start[b];
                ++kept;
            }
        }
        if (buffers_.size() <= static_cast<std::size_t>(depth))
            buffers_.resize(depth + 1);
        // Deeper levels may grow buffers_, not this buffer.
        buffers_[depth].resize(static_cast<std::size_t>(keptSize));
        std::uint64_t* const buffer = buffers_[depth].data();
        std::array<int, kMaxRanks> fill = keptAt;
        for (int i = 0; i < n; ++i) {
            const int s = slot[(keys[i] >> shift) & (kBuckets - 1)];
            if (s >= 0)
                buffer[fill[s]++] = keys[i];
        }
        // Each kept bucket with its ranks, renumbered within it.
        for (int i = 0; i < count;) {
            const int b = bucketOf[i];
            std::array<int, kMaxRanks> sub{};
            int m = 0;
            for (; i + m < count && bucketOf[i + m] == b; ++m)
                sub[m] = ranks[i + m] - start[b];
            const int s = slot[b];
            level(buffer + keptAt[s], start[b + 1] - start[b], sub.data(), m, shift - kBits, depth + 1,
                  out + i);
            i += m;
        }
    }

    std::vector<std::uint64_t> keys_;
    std::vector<std::vector<std::uint64_t>> buffers_;
};

// The percentiles of values[0..n) by linear interpolation between the order
// statistics: the q-th percentile is x[h] + (h - floor h)(x[h + 1] - x[h]) at
// h = (n - 1) q / 100 on the sorted values (the spreadsheets' PERCENTILE.INC).
inline Percentiles PercentilesOf(const double* values, int n, RankSelector& selector)
{
    constexpr std::size_t count = kOutcomePercentiles.size();
    std::array<int, count> low{};
    std::array<double, count> fraction{};
    // Both neighbours of every h, in increasing order (n >= kMinOutcomePaths
    // keeps them apart).
    std::array<int, 2 * count> ranks{};
    for (std::size_t i = 0; i < count; ++i) {
        // Exact in integers: h never picks up a rounding error.
        const long long scaled = static_cast<long long>(n - 1) * kOutcomePercentiles[i];
        low[i] = static_cast<int>(scaled / 100);
        fraction[i] = static_cast<double>(scaled % 100) / 100;
        ranks[2 * i] = low[i];
        ranks[2 * i + 1] = std::min(low[i] + 1, n - 1);
    }
    std::array<double, 2 * count> x{};
    selector.select(values, n, ranks.data(), static_cast<int>(ranks.size()), x.data());

    Percentiles result{};
    for (std::size_t i = 0; i < count; ++i) {
        const double a = x[2 * i], b = x[2 * i + 1];
        // Clamped so that rounding cannot step outside the two order
        // statistics: the percentiles then never decrease.
        result[i] = fraction[i] == 0 ? a : std::clamp(a + fraction[i] * (b - a), a, b);
    }
    return result;
}

} // namespace gw::outcome
