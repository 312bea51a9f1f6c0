// SPDX-License-Identifier: GPL-3.0-or-later
// HugePages: large buffers mapped from the kernel with huge pages.
#include "memory/HugePages.h"

#include <sys/mman.h>

namespace tamsel {

void* allocateLarge(std::size_t bytes) {
    void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) {
        throw std::bad_alloc();
    }
    ::madvise(p, bytes, MADV_HUGEPAGE); // only advice: without huge pages it still works
    return p;
}

void releaseLarge(void* p, std::size_t bytes) noexcept {
    ::munmap(p, bytes);
}

} // namespace tamsel
