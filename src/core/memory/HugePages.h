// SPDX-License-Identifier: GPL-3.0-or-later
// HugePages: large buffers mapped from the kernel with huge pages.
#pragma once

#include <cstddef>
#include <new>
#include <vector>

namespace tamsel {

// Allocates large blocks straight from the kernel and asks for huge pages, so a buffer of
// tens of megabytes is mapped with a few dozen page faults instead of thousands; small
// blocks come from the heap. Elements are default-initialised: resizing a byte buffer
// before reading a file into it does not clear it first.
template <typename T> class HugePageAllocator {
public:
    using value_type = T;
    HugePageAllocator() = default;
    template <typename U> HugePageAllocator(const HugePageAllocator<U>&) noexcept {}

    T* allocate(std::size_t n);
    void deallocate(T* p, std::size_t n) noexcept;
    template <typename U> void construct(U* p) noexcept { ::new (static_cast<void*>(p)) U; }
    template <typename U, typename... A> void construct(U* p, A&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<A>(args)...);
    }
    template <typename U> bool operator==(const HugePageAllocator<U>&) const noexcept {
        return true;
    }
};

void* allocateLarge(std::size_t bytes);
void releaseLarge(void* p, std::size_t bytes) noexcept;
inline constexpr std::size_t kLargeBlock = 2u << 20;

template <typename T> T* HugePageAllocator<T>::allocate(std::size_t n) {
    const std::size_t bytes = n * sizeof(T);
    return static_cast<T*>(bytes >= kLargeBlock ? allocateLarge(bytes) : ::operator new(bytes));
}

template <typename T> void HugePageAllocator<T>::deallocate(T* p, std::size_t n) noexcept {
    const std::size_t bytes = n * sizeof(T);
    if (bytes >= kLargeBlock) {
        releaseLarge(p, bytes);
    } else {
        ::operator delete(p);
    }
}

using ByteBuffer = std::vector<char, HugePageAllocator<char>>;
using LineStarts = std::vector<std::size_t, HugePageAllocator<std::size_t>>;

} // namespace tamsel
