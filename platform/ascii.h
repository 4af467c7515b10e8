// ASCII-only letter case, independent of the process locale.
#pragma once

#include <string>
#include <string_view>

inline char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
inline char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string AsciiLowercased(std::string_view text) {
    std::string copy(text);
    for (char& c : copy) c = AsciiLower(c);
    return copy;
}
