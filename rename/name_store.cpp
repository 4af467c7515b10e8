#include "rename/name_store.h"

#include <algorithm>
#include <cstring>

const char* NameStore::Keep(std::string_view name) {
    const std::size_t size = name.size() + 1;
    if (size > left_) {
        const std::size_t block = std::max(kBlock, size);
        blocks_.push_back(std::make_unique<char[]>(block));
        free_ = blocks_.back().get();
        left_ = block;
    }
    char* const copy = free_;
    std::memcpy(copy, name.data(), name.size());
    copy[name.size()] = '\0';
    free_ += size;
    left_ -= size;
    return copy;
}
