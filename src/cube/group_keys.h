#pragma once

#include <cstdint>
#include <vector>

namespace tavrel {

inline constexpr std::uint32_t kNoGroup = 0xffffffffu;
inline constexpr std::uint64_t kNoKey = ~std::uint64_t{0};

// The distinct keys of a set of rows, numbered in ascending key order.
struct Grouping {
    std::vector<std::uint32_t> groupOfRow;  // kNoGroup where the row's key is kNoKey
    std::vector<std::uint64_t> keys;        // the key of each group, ascending
};

// Groups rows by key. Every key is below `keySpace` (or kNoKey, a row left out). A small key
// space is counted in a table indexed by the key; a large one is sorted.
Grouping groupKeys(const std::vector<std::uint64_t>& keyOfRow, std::uint64_t keySpace);

}  // namespace tavrel
