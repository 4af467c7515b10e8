// The heap in use, large blocks (which malloc maps on their own) included.
#pragma once

#include <malloc.h>

#include <cstddef>

inline std::size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}
