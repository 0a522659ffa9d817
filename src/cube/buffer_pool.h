#pragma once

#include <cstddef>
#include <vector>

namespace tavrel {

// Large vectors kept after use and handed out again. A re-pivot on a million rows needs tens
// of megabytes of sums; taking back memory already in use saves asking the system for fresh
// pages, which it must clear and map one by one.
template <class T>
class BufferPool {
public:
    // A vector of `size` elements, each `value`: the smallest kept one that holds them, or new.
    std::vector<T> take(std::size_t size, const T& value = T()) {
        auto best = kept_.end();
        for (auto it = kept_.begin(); it != kept_.end(); ++it) {
            if (it->capacity() >= size &&
                (best == kept_.end() || it->capacity() < best->capacity())) {
                best = it;
            }
        }
        std::vector<T> vector;
        if (best != kept_.end()) {
            vector = std::move(*best);
            kept_.erase(best);
        }
        vector.assign(size, value);
        return vector;
    }

    // Keeps the vector's memory for a later take (small ones are not worth it, and the pool
    // holds no more than a pivot on a million rows needs) and empties it.
    void keep(std::vector<T>& vector) {
        const std::size_t bytes = vector.capacity() * sizeof(T);
        if (bytes >= kWorthKeeping && kept_.size() < kMostKept &&
            memoryBytes() + bytes <= kMostBytes) {
            kept_.push_back(std::move(vector));
        }
        std::vector<T>().swap(vector);  // empty, and its memory freed when not kept
    }

    std::size_t memoryBytes() const {
        std::size_t bytes = 0;
        for (const std::vector<T>& vector : kept_) {
            bytes += vector.capacity() * sizeof(T);
        }
        return bytes;
    }

private:
    static constexpr std::size_t kWorthKeeping = 16 * 1024;
    static constexpr std::size_t kMostKept = 64;
    static constexpr std::size_t kMostBytes = std::size_t{64} << 20;
    std::vector<std::vector<T>> kept_;
};

}  // namespace tavrel
