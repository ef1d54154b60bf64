// Vectors for buffers that are always written before they are read: growing
// one leaves the new elements uninitialised instead of writing zeros over
// megabytes that the next step overwrites anyway.
#pragma once

#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace palettor::detail {

template <class T>
struct UninitialisedAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = UninitialisedAllocator<U>;
    };
    UninitialisedAllocator() = default;
    template <class U>
    UninitialisedAllocator(const UninitialisedAllocator<U>&) noexcept
    {
    }
    template <class U>
    void construct(U* p) noexcept
    {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

template <class T>
using ScratchVector = std::vector<T, UninitialisedAllocator<T>>;

}  // namespace palettor::detail
