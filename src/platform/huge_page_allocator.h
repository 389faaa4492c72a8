#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <cstdlib>
#include <new>

namespace veltaro {

// An allocator for large arrays read in one go: a block of 2 MiB or more is advised to the kernel
// as huge pages, so filling it takes a few dozen page faults instead of thousands (on some
// machines those faults cost more than reading the file).
template <class T>
struct HugePageAllocator {
    using value_type = T;
    static constexpr std::size_t kHugePage = std::size_t{2} << 20;

    HugePageAllocator() = default;
    template <class U>
    explicit HugePageAllocator(const HugePageAllocator<U>&) {}

    T* allocate(std::size_t count) {
        const std::size_t bytes = count * sizeof(T);
        if (bytes < kHugePage) {
            return static_cast<T*>(::operator new(bytes));
        }
        const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
        void* block = std::aligned_alloc(kHugePage, rounded);
        if (block == nullptr) {
            throw std::bad_alloc();
        }
        ::madvise(block, rounded, MADV_HUGEPAGE);  // advice only: without it the block still works
        return static_cast<T*>(block);
    }

    void deallocate(T* block, std::size_t count) {
        if (count * sizeof(T) < kHugePage) {
            ::operator delete(block);
        } else {
            std::free(block);
        }
    }

    bool operator==(const HugePageAllocator&) const = default;
};

}  // namespace veltaro
