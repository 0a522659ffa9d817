#include "cube/text_dictionary.h"

#include <functional>

namespace tavrel {

TextDictionary::TextDictionary() : offsets_{0}, slots_(64, 0) {}

std::uint32_t TextDictionary::intern(std::string_view text) {
    if (last_ != kAbsent && this->text(last_) == text) {
        return last_;
    }
    last_ = find(text);
    if (last_ != kAbsent) {
        return last_;
    }
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = std::hash<std::string_view>{}(text)&mask;
    while (slots_[slot] != 0) {
        slot = (slot + 1) & mask;
    }
    const auto code = static_cast<std::uint32_t>(size());
    bytes_.append(text);
    offsets_.push_back(static_cast<std::uint32_t>(bytes_.size()));
    slots_[slot] = code + 1;
    if (size() * 2 > slots_.size()) {
        grow();
    }
    last_ = code;
    return code;
}

std::uint32_t TextDictionary::find(std::string_view text) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = std::hash<std::string_view>{}(text)&mask;
    while (slots_[slot] != 0) {
        const std::uint32_t code = slots_[slot] - 1;
        if (this->text(code) == text) {
            return code;
        }
        slot = (slot + 1) & mask;
    }
    return kAbsent;
}

void TextDictionary::grow() {
    std::vector<std::uint32_t> slots(slots_.size() * 2, 0);
    const std::size_t mask = slots.size() - 1;
    for (std::uint32_t code = 0; code < size(); ++code) {
        std::size_t slot = std::hash<std::string_view>{}(text(code)) & mask;
        while (slots[slot] != 0) {
            slot = (slot + 1) & mask;
        }
        slots[slot] = code + 1;
    }
    slots_.swap(slots);
}

std::size_t TextDictionary::memoryBytes() const {
    return bytes_.capacity() + offsets_.capacity() * sizeof(std::uint32_t) +
           slots_.capacity() * sizeof(std::uint32_t);
}

}  // namespace tavrel
