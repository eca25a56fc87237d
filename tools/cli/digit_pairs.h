// SPDX-License-Identifier: GPL-3.0-or-later
// "00" to "99" one after another, so that two digits are one two-byte copy, followed by 32 zero
// bytes: a copy that moves whole 32-byte blocks may start at any pair.
#pragma once

#include <array>
#include <cstddef>

namespace orbisca::cli {

inline constexpr std::size_t kDigitPairsPadding = 32;

inline constexpr auto kDigitPairs = [] {
    std::array<char, 200 + kDigitPairsPadding> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[std::size_t(2 * i)] = static_cast<char>('0' + i / 10);
        pairs[std::size_t(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

}  // namespace orbisca::cli
