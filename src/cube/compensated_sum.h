#pragma once

#include <cmath>

namespace tavrel {

// Adds v to the running sum s, keeping in c the low-order part each addition loses (Neumaier's
// compensated summation). s + c is then the sum as exact as one double holds it, whatever the
// number of terms: a million rounded amounts add up to the amount with two decimals, not to
// 411623,809999999.
inline void addCompensated(double& s, double& c, double v) {
    const double t = s + v;
    c += std::fabs(s) >= std::fabs(v) ? (s - t) + v : (v - t) + s;
    s = t;
}

struct CompensatedSum {
    double sum = 0;
    double compensation = 0;
    void add(double v) { addCompensated(sum, compensation, v); }
    double value() const { return sum + compensation; }
};

}  // namespace tavrel
