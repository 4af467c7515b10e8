// Names kept for as long as their store: each a NUL-terminated copy that
// never moves, packed into large blocks, so that a plan of 100,000 rows holds
// its names without a heap block (and its header) for each.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

class NameStore {
public:
    const char* Keep(std::string_view name);

private:
    static constexpr std::size_t kBlock = 64 * 1024;
    std::vector<std::unique_ptr<char[]>> blocks_;
    char* free_ = nullptr;
    std::size_t left_ = 0;
};
