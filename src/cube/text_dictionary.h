#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

// Gives each distinct text a small number, in the order the texts are first seen. The source of
// the cube holds a million cheques but only some thousands of distinct documents, dates and
// statuses: each row keeps the number, the text is kept once.
class TextDictionary {
public:
    TextDictionary();

    std::uint32_t intern(std::string_view text);
    // The number of a text already seen, or kAbsent.
    std::uint32_t find(std::string_view text) const;
    static constexpr std::uint32_t kAbsent = 0xffffffffu;
    std::size_t size() const { return offsets_.size() - 1; }
    std::string_view text(std::uint32_t code) const {
        return {bytes_.data() + offsets_[code], offsets_[code + 1] - offsets_[code]};
    }
    std::size_t memoryBytes() const;

private:
    void grow();

    std::string bytes_;                   // every text, one after the other
    std::vector<std::uint32_t> offsets_;  // text i is bytes_[offsets_[i], offsets_[i + 1])
    std::vector<std::uint32_t> slots_;    // open addressing: code + 1, 0 when free
    std::uint32_t last_ = kAbsent;        // rows often repeat the text of the row before
};

}  // namespace tavrel
