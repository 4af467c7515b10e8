// Position lists: "(a,b,...)" in the order written, or "[a-b]" ascending.
// Positions count from 1; "%f" stands for 1 and "%l" for the last-position
// marker 300.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::uint32_t kLastPosition = 300;

// Longest range accepted: more than any cell could ever select.
inline constexpr std::uint64_t kMaxRangeEntries = 4096;

struct PositionList {
    std::vector<std::uint32_t> positions;
    bool isRange = false;  // written as "[a-b]"
};

// Replaces "%f" by "1", then "%l" by "300", as plain text.
void ReplacePositionPlaceholders(std::string& text);

// Returns whether `token` is a position list, filling `list` when it is.
bool ParsePositionList(std::string_view token, PositionList& list);
