// state/EntityList.h — the storage of the game's entity lists.
//
// Every list keeps one array per field with room for ListCapacity entries;
// live entries sit at positions 1..count in creation order, and a position
// is an entry's identity while it lives. Removal moves every later entry down
// one position, so the remaining entries keep their order.

#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace skyrend {

constexpr int32_t ListCapacity = 100000;

// One field of a list: positions 1..ListCapacity (slot 0 unused).
template <typename T>
class Column {
public:
    Column() : values_(ListCapacity + 1) {}
    T& operator[](int32_t position) { return values_[static_cast<size_t>(position)]; }
    const T& operator[](int32_t position) const { return values_[static_cast<size_t>(position)]; }
    // Moves positions from+1..count down by one.
    void RemoveAt(int32_t position, int32_t count) {
        std::copy(values_.begin() + position + 1, values_.begin() + count + 1, values_.begin() + position);
    }

private:
    std::vector<T> values_;
};

// The position a new entry takes, or 0 when the list is full: a full list
// drops the new entry instead of writing past its storage.
inline int32_t AppendPosition(int32_t& count) {
    if (count >= ListCapacity || count < 0) return 0;
    return ++count;
}

// Removes `position` from every given column and lowers the count.
template <typename... Columns>
void RemovePosition(int32_t position, int32_t& count, Columns&... columns) {
    (columns.RemoveAt(position, count), ...);
    --count;
}

}  // namespace skyrend
