#pragma once

#include <cstdint>
#include <vector>

namespace zd8gen
{

/** SplitMix64 with a fixed seed: the generated banks depend on nothing but their
    sources, the same bytes on every platform. */
class SeededRandom
{
public:
    explicit SeededRandom (std::uint64_t seed) : state (seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    /** 0..n-1 */
    int below (int n) { return n <= 0 ? 0 : (int) (next() % (std::uint64_t) n); }
    /** lo..hi */
    int between (int lo, int hi) { return lo + below (hi - lo + 1); }
    /** true in percent cases of 100 */
    bool chance (int percent) { return below (100) < percent; }

    template <typename T>
    const T& pick (const std::vector<T>& items) { return items[(size_t) below ((int) items.size())]; }

private:
    std::uint64_t state;
};

} // namespace zd8gen
