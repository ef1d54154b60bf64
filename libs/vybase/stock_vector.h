// Vectors for buffers that are always written before they are read: growing
// one leaves the new elements uninitialised instead of writing zeros over
// megabytes that the next step overwrites anyway, and their memory comes from
// the block stock, so the next picture's buffers reuse mapped pages.
#pragma once

#include "block_stock.h"

#include <stddef.h>

#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace vybase {

template <class T>
struct StockAllocator : std::allocator<T> {
    using value_type = T;
    template <class U>
    struct rebind {
        using other = StockAllocator<U>;
    };
    StockAllocator() = default;
    template <class U>
    StockAllocator(const StockAllocator<U>&) noexcept
    {
    }
    T* allocate(size_t n)
    {
        if (n > static_cast<size_t>(-1) / sizeof(T)) {
            throw std::bad_array_new_length();
        }
        void* block = stock_take(n * sizeof(T));
        if (block == nullptr) {
            throw std::bad_alloc();
        }
        return static_cast<T*>(block);
    }
    void deallocate(T* p, size_t n) noexcept { stock_give_back(p, n * sizeof(T)); }
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
using StockVector = std::vector<T, StockAllocator<T>>;

}  // namespace vybase
