#pragma once

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tavrel {

// The decimal form of a finite, non-zero value's magnitude with 15 significant digits (all a
// double holds reliably): the digits, and the power of ten of the first one. 1500.75 gives
// "150075000000000" and 3. Shared by the money rounding and the number display, so both read
// the same digits.
struct DecimalDigits {
    char digits[15];
    int exponent;
};

inline DecimalDigits decimalDigits(double value) {
    // "d.dddddddddddddde±XX"
    char text[32];
    const char* end =
        std::to_chars(text, text + sizeof text, std::fabs(value), std::chars_format::scientific, 14)
            .ptr;
    const char* exponentText = std::find(static_cast<const char*>(text), end, 'e') + 1;
    if (*exponentText == '+') {
        ++exponentText;
    }
    DecimalDigits result{};
    std::from_chars(exponentText, end, result.exponent);
    result.digits[0] = text[0];
    std::copy(text + 2, text + 16, result.digits + 1);
    return result;
}

}  // namespace tavrel
