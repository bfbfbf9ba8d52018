// media/RawVector.h — vectors for bulk bytes and pixels that are written over
// as soon as they are made: growing one leaves the new elements as the memory
// held them instead of clearing them first, so a picture read from a file or
// decoded into a surface is written once, not twice.

#pragma once

#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace skyrend {

// An allocator whose value-less construct default-initialises (for trivial
// types: leaves the memory as it is); construct with arguments is as usual.
template <class T, class Base = std::allocator<T>>
class TDefaultInitAllocator : public Base {
    using Traits = std::allocator_traits<Base>;

public:
    template <class U>
    struct rebind {
        using other = TDefaultInitAllocator<U, typename Traits::template rebind_alloc<U>>;
    };

    using Base::Base;

    template <class U>
    void construct(U* p) noexcept(std::is_nothrow_default_constructible_v<U>) {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        Traits::construct(static_cast<Base&>(*this), p, std::forward<Args>(args)...);
    }
};

template <class T>
using TRawVector = std::vector<T, TDefaultInitAllocator<T>>;

}  // namespace skyrend
