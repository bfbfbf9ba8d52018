// state/EntityList.h — the storage of the game's entity lists.
//
// Every list keeps one array per field with room for ListCapacity entries;
// live entries sit at positions 1..count in creation order, and a position
// is an entry's identity while it lives. Removal moves every later entry down
// one position, so the remaining entries keep their order.

#pragma once

#include <algorithm>
#include <cstdint>
#include <new>
#include <type_traits>

#include "platform/Memory.h"

namespace skyrend {

constexpr int32_t ListCapacity = 100000;

// One field of a list: positions 1..ListCapacity (slot 0 unused), all zero
// at first. The storage comes as zero pages from the system, so the pages a
// game never reaches (most of them, with a small fleet) take no memory.
template <typename T>
class Column {
    static_assert(std::is_trivially_copyable_v<T>, "zero bytes must be a zero value");
    static constexpr size_t Bytes = sizeof(T) * (ListCapacity + 1);

public:
    Column() : values_(static_cast<T*>(platform::AllocateZeroedPages(Bytes))) {
        if (!values_) throw std::bad_alloc();
    }
    ~Column() { platform::FreeZeroedPages(values_, Bytes); }
    Column(const Column& other) : Column() { *this = other; }
    Column& operator=(const Column& other) {
        std::copy(other.values_, other.values_ + ListCapacity + 1, values_);
        return *this;
    }
    T& operator[](int32_t position) { return values_[static_cast<size_t>(position)]; }
    const T& operator[](int32_t position) const { return values_[static_cast<size_t>(position)]; }
    // Moves positions from+1..count down by one.
    void RemoveAt(int32_t position, int32_t count) {
        std::copy(values_ + position + 1, values_ + count + 1, values_ + position);
    }

private:
    T* values_;
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
