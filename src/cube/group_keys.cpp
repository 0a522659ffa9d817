#include "cube/group_keys.h"

#include <algorithm>
#include <utility>

namespace tavrel {
namespace {

// Up to this many keys (16 MB of table) the groups are numbered through a table.
constexpr std::uint64_t kTableLimit = std::uint64_t{1} << 22;

Grouping groupByTable(const std::vector<std::uint64_t>& keyOfRow, std::uint64_t keySpace) {
    Grouping grouping;
    std::vector<std::uint32_t> table(keySpace, 0);
    for (const std::uint64_t key : keyOfRow) {
        if (key != kNoKey) {
            table[key] = 1;
        }
    }
    std::uint32_t groups = 0;
    for (std::uint64_t key = 0; key < keySpace; ++key) {
        if (table[key] != 0) {
            table[key] = ++groups;
            grouping.keys.push_back(key);
        }
    }
    grouping.groupOfRow.resize(keyOfRow.size());
    for (std::size_t row = 0; row < keyOfRow.size(); ++row) {
        const std::uint64_t key = keyOfRow[row];
        grouping.groupOfRow[row] = key == kNoKey ? kNoGroup : table[key] - 1;
    }
    return grouping;
}

Grouping groupBySorting(const std::vector<std::uint64_t>& keyOfRow) {
    std::vector<std::pair<std::uint64_t, std::uint32_t>> pairs;
    pairs.reserve(keyOfRow.size());
    for (std::size_t row = 0; row < keyOfRow.size(); ++row) {
        if (keyOfRow[row] != kNoKey) {
            pairs.emplace_back(keyOfRow[row], static_cast<std::uint32_t>(row));
        }
    }
    std::sort(pairs.begin(), pairs.end());
    Grouping grouping;
    grouping.groupOfRow.assign(keyOfRow.size(), kNoGroup);
    for (const auto& [key, row] : pairs) {
        if (grouping.keys.empty() || grouping.keys.back() != key) {
            grouping.keys.push_back(key);
        }
        grouping.groupOfRow[row] = static_cast<std::uint32_t>(grouping.keys.size() - 1);
    }
    return grouping;
}

}  // namespace

Grouping groupKeys(const std::vector<std::uint64_t>& keyOfRow, std::uint64_t keySpace) {
    if (keySpace <= std::max<std::uint64_t>(kTableLimit, keyOfRow.size())) {
        return groupByTable(keyOfRow, keySpace);
    }
    return groupBySorting(keyOfRow);
}

}  // namespace tavrel
