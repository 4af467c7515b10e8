#include "engine/position_list.h"

#include <utility>

#include "engine/text_utils.h"

namespace {

std::string WithPlaceholdersReplaced(std::string_view inner) {
    std::string text(inner);
    ReplacePositionPlaceholders(text);
    return text;
}

bool ParseListForm(std::string_view inner, PositionList& list) {
    Tokens pieces;
    if (!SplitTokens(WithPlaceholdersReplaced(inner), ',', pieces)) return false;
    list.positions.clear();
    list.positions.reserve(pieces.size());
    for (const std::string& piece : pieces) list.positions.push_back(ParseUnsigned(piece));
    list.isRange = false;
    return true;
}

bool ParseRangeForm(std::string_view inner, PositionList& list) {
    Tokens pieces;
    if (!SplitTokens(WithPlaceholdersReplaced(inner), '-', pieces) || pieces.size() != 2)
        return false;
    std::uint32_t first = ParseUnsigned(pieces[0]);
    std::uint32_t last = ParseUnsigned(pieces[1]);
    if (last < first) std::swap(first, last);
    const std::uint64_t count = std::uint64_t{last} - first + 1;
    if (count > kMaxRangeEntries) return false;
    list.positions.clear();
    list.positions.reserve(count);
    // Counted, not compared with `last`, so a range ending at 2^32 - 1 stops.
    for (std::uint64_t i = 0; i < count; ++i)
        list.positions.push_back(static_cast<std::uint32_t>(first + i));
    list.isRange = true;
    return true;
}

}  // namespace

void ReplacePositionPlaceholders(std::string& text) {
    ReplaceAll(text, "%f", "1");
    ReplaceAll(text, "%l", "300");
}

bool ParsePositionList(std::string_view token, PositionList& list) {
    if (token.size() < 3) return false;
    const std::string_view inner = token.substr(1, token.size() - 2);
    if (token.front() == '(' && token.back() == ')') return ParseListForm(inner, list);
    if (token.front() == '[' && token.back() == ']') return ParseRangeForm(inner, list);
    return false;
}
