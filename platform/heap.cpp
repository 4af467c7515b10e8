#include "platform/heap.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace {

constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
// Address space the heap takes in one step; memory comes only when touched.
constexpr int kReserve = 512 << 20;
// Above what the heap ever holds free at its top, so it is never trimmed.
constexpr int kTrimThreshold = 1 << 30;
// Blocks up to this size come from the heap rather than mappings of their own.
constexpr int kLargestHeapBlock = 32 << 20;
// The C library's defaults, put back when the heap cannot grow as asked.
constexpr int kDefaultTopPad = 128 << 10;
constexpr int kDefaultTrimThreshold = 128 << 10;
constexpr int kDefaultMmapThreshold = 128 << 10;

char* HeapTop() { return static_cast<char*>(sbrk(0)); }

}  // namespace

void UseHugePagesForHeap() {
#if defined(__GLIBC__)
    // The heap grows by kReserve at once and is never given back, so a
    // single advice covers every block the process will take from it.
    char* const before = HeapTop();
    const bool set = before != reinterpret_cast<char*>(-1) && mallopt(M_TOP_PAD, kReserve) != 0 &&
                     mallopt(M_TRIM_THRESHOLD, kTrimThreshold) != 0 &&
                     mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock) != 0;
    if (set) {
        void* volatile grow = std::malloc(256 << 10);
        std::free(grow);
    }
    char* const top = HeapTop();
    if (!set || top - before < kReserve) {
        mallopt(M_TOP_PAD, kDefaultTopPad);
        mallopt(M_TRIM_THRESHOLD, kDefaultTrimThreshold);
        mallopt(M_MMAP_THRESHOLD, kDefaultMmapThreshold);
        return;
    }
    const std::uintptr_t begin =
        (reinterpret_cast<std::uintptr_t>(before) + kHugePage - 1) & ~(kHugePage - 1);
    madvise(reinterpret_cast<void*>(begin), reinterpret_cast<std::uintptr_t>(top) - begin,
            MADV_HUGEPAGE);
#endif
}
