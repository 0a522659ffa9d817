#pragma once

#include <cstdint>
#include <vector>

namespace tavrel {

inline constexpr std::uint32_t kNoGroup = 0xffffffffu;
inline constexpr std::uint64_t kNoKey = ~std::uint64_t{0};

// Groups rows by key: numbers the distinct keys in ascending order and gives each row the
// number of its key. Every key is below the key space, or kNoKey for a row left out (which gets
// kNoGroup). A key space of up to some millions is counted in a table indexed by the key, kept
// from one grouping to the next; a larger one is sorted.
class Grouper {
public:
    void group(const std::vector<std::uint64_t>& keyOfRow, std::uint64_t keySpace,
               std::vector<std::uint32_t>& groupOfRow, std::vector<std::uint64_t>& keys);
    std::size_t memoryBytes() const { return table_.capacity() * sizeof(std::uint32_t); }

private:
    std::vector<std::uint32_t> table_;  // all zero between groupings
};

}  // namespace tavrel
