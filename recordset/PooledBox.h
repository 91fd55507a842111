#pragma once
// Boxed values from a small per-thread pool. A scan boxes every value it
// hands out and the client drops each box before asking for the next, so the
// blocks are reused without going through the general allocator.

#include <cstddef>
#include <memory>
#include <new>
#include <utility>

#include "platform/clr/Object.h"

namespace TeskDataProvider {

namespace pooled_box {

// Boxes come and go by the million in a scan, each dropped by the client
// before it asks for the next: every thread keeps a few freed blocks of each
// box size for the next box, past the general allocator.
struct FreeBlocks {  // trivially destructible: usable until the thread ends
    struct Node {
        Node* next;
    };
    Node* head = nullptr;
    unsigned count = 0;
    bool watched = false;  // the thread's end will hand the blocks back
    bool closed = false;   // the thread is ending: blocks go back at once
};

// Hands a thread's kept blocks back when it ends; boxes freed later (by
// static destructors, say) go straight to the allocator.
template <size_t Size> struct FreeBlocksReaper {
    ~FreeBlocksReaper();
};

// Static TLS: looked up twice per box, where the general model would cost a
// call each time. The few bytes fit the reserve kept for libraries loaded late.
template <size_t Size> FreeBlocks& freeBlocks() {
    thread_local FreeBlocks blocks [[gnu::tls_model("initial-exec")]];
    if (!blocks.watched) [[unlikely]] {
        blocks.watched = true;
        thread_local FreeBlocksReaper<Size> reaper;
        (void)&reaper;
    }
    return blocks;
}

template <size_t Size> FreeBlocksReaper<Size>::~FreeBlocksReaper() {
    FreeBlocks& b = freeBlocks<Size>();
    b.closed = true;
    while (b.head) ::operator delete(std::exchange(b.head, b.head->next));
    b.count = 0;
}

template <class T> struct BoxAllocator {
    using value_type = T;
    static constexpr unsigned kKept = 64;
    BoxAllocator() = default;
    template <class U> BoxAllocator(const BoxAllocator<U>&) {}
    T* allocate(size_t n) {
        FreeBlocks& b = freeBlocks<sizeof(T)>();
        if (n == 1 && b.head) {
            --b.count;
            return reinterpret_cast<T*>(std::exchange(b.head, b.head->next));
        }
        return static_cast<T*>(::operator new(n * sizeof(T)));
    }
    void deallocate(T* p, size_t n) {
        FreeBlocks& b = freeBlocks<sizeof(T)>();
        if (n == 1 && !b.closed && b.count < kKept) {
            b.head = ::new (static_cast<void*>(p)) FreeBlocks::Node{b.head};
            ++b.count;
            return;
        }
        ::operator delete(p);
    }
    template <class U> bool operator==(const BoxAllocator<U>&) const { return true; }
};

} // namespace pooled_box

template <class T> System::ObjectRef PooledBox(T value) {
    using pooled_box::BoxAllocator;
    static_assert(alignof(System::Boxed<T>) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);
    return std::allocate_shared<System::Boxed<T>>(BoxAllocator<System::Boxed<T>>(), std::move(value));
}

} // namespace TeskDataProvider
