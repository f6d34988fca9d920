#pragma once

#include <QtGlobal>

#include <vector>

// A tiny generator whose sequence is fixed by its seed on every platform and library,
// which std's distributions do not promise.
class SplitMix {
public:
    explicit SplitMix(quint64 seed) : state_(seed) {}

    quint64 next()
    {
        quint64 z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // 0 <= result < n; the modulo bias is irrelevant for invented data.
    int below(int n) { return int(next() % quint64(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(int percent) { return below(100) < percent; }
    double unit() { return double(next() >> 11) * 0x1.0p-53; }
    double range(double low, double high) { return low + (high - low) * unit(); }

    template <typename List>
    const auto &pick(const List &list) { return list[below(int(std::size(list)))]; }

private:
    quint64 state_;
};

// FNV-1a over UTF-16 code units: a stable seed from a text, unlike qHash's per-process seed.
template <typename Text>
quint64 StableHash(const Text &text)
{
    quint64 h = 0xCBF29CE484222325ull;
    for (const auto c : text) {
        h ^= quint64(c.unicode());
        h *= 0x100000001B3ull;
    }
    return h;
}
