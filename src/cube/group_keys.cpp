#include "cube/group_keys.h"

#include <algorithm>
#include <utility>

namespace tavrel {
namespace {

// Up to this many keys (16 MB of table) the groups are numbered through a table.
constexpr std::uint64_t kTableLimit = std::uint64_t{1} << 22;

void groupBySorting(const std::vector<std::uint64_t>& keyOfRow,
                    std::vector<std::uint32_t>& groupOfRow, std::vector<std::uint64_t>& keys) {
    std::vector<std::pair<std::uint64_t, std::uint32_t>> pairs;
    pairs.reserve(keyOfRow.size());
    for (std::size_t row = 0; row < keyOfRow.size(); ++row) {
        if (keyOfRow[row] != kNoKey) {
            pairs.emplace_back(keyOfRow[row], static_cast<std::uint32_t>(row));
        }
    }
    std::sort(pairs.begin(), pairs.end());
    groupOfRow.assign(keyOfRow.size(), kNoGroup);
    for (const auto& [key, row] : pairs) {
        if (keys.empty() || keys.back() != key) {
            keys.push_back(key);
        }
        groupOfRow[row] = static_cast<std::uint32_t>(keys.size() - 1);
    }
}

}  // namespace

void Grouper::group(const std::vector<std::uint64_t>& keyOfRow, std::uint64_t keySpace,
                    std::vector<std::uint32_t>& groupOfRow, std::vector<std::uint64_t>& keys) {
    keys.clear();
    if (keySpace > std::max<std::uint64_t>(kTableLimit, keyOfRow.size())) {
        groupBySorting(keyOfRow, groupOfRow, keys);
        return;
    }
    if (table_.size() < keySpace) {
        table_.resize(keySpace, 0);
    }
    for (const std::uint64_t key : keyOfRow) {
        if (key != kNoKey) {
            table_[key] = 1;
        }
    }
    std::uint32_t groups = 0;
    for (std::uint64_t key = 0; key < keySpace; ++key) {
        if (table_[key] != 0) {
            table_[key] = ++groups;
            keys.push_back(key);
        }
    }
    groupOfRow.resize(keyOfRow.size());
    for (std::size_t row = 0; row < keyOfRow.size(); ++row) {
        const std::uint64_t key = keyOfRow[row];
        groupOfRow[row] = key == kNoKey ? kNoGroup : table_[key] - 1;
    }
    for (const std::uint64_t key : keys) {
        table_[key] = 0;
    }
}

}  // namespace tavrel
