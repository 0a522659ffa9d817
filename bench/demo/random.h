#pragma once

#include <QList>
#include <cmath>
#include <cstdint>
#include <random>

namespace tavrel::demo {

// The demo's source of chance: one seeded engine, so a seed always gives the same data on this
// platform. Uses the engine's raw output (not the standard distributions, whose results differ
// between standard libraries).
class Random {
public:
    explicit Random(std::uint64_t seed) : engine_(seed) {}

    // A whole number from lo to hi, both included.
    int between(int lo, int hi) {
        return lo + static_cast<int>(engine_() % static_cast<std::uint64_t>(hi - lo + 1));
    }
    // A number in [0, 1).
    double unit() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }
    bool chance(double probability) { return unit() < probability; }
    // A normally distributed number (Box-Muller).
    double normal(double mean, double deviation) {
        const double u = 1.0 - unit();
        const double v = unit();
        return mean + deviation * std::sqrt(-2.0 * std::log(u)) * std::cos(6.283185307179586 * v);
    }
    template <class T>
    const T& pick(const QList<T>& items) {
        return items[between(0, static_cast<int>(items.size()) - 1)];
    }
    // Index of `weights` chosen in proportion to the weights.
    int weighted(const QList<int>& weights) {
        int total = 0;
        for (int w : weights) {
            total += w;
        }
        int roll = between(0, total - 1);
        for (int i = 0; i < weights.size(); ++i) {
            roll -= weights[i];
            if (roll < 0) {
                return i;
            }
        }
        return static_cast<int>(weights.size()) - 1;
    }

private:
    std::mt19937_64 engine_;
};

}  // namespace tavrel::demo
