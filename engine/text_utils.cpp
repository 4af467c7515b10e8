#include "engine/text_utils.h"

#include <array>

namespace {

using CharTable = std::array<bool, 256>;

constexpr CharTable MakeTable(std::string_view members) {
    CharTable table{};
    for (char c : members) table[static_cast<unsigned char>(c)] = true;
    return table;
}

constexpr CharTable kWhitespaceTable = MakeTable(kWhitespaceChars);
constexpr CharTable kDelimiterTable = MakeTable(kWordDelimiters);
constexpr CharTable kInvalidNameTable = MakeTable(kInvalidNameChars);

// What formatted stream input skips before a number: the C locale's isspace.
constexpr CharTable kStreamSpaceTable = MakeTable(" \t\n\v\f\r");

bool InTable(const CharTable& table, char c) { return table[static_cast<unsigned char>(c)]; }

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return 99;
}

}  // namespace

bool IsWhitespaceChar(char c) { return InTable(kWhitespaceTable, c); }
bool IsWordDelimiter(char c) { return InTable(kDelimiterTable, c); }
bool IsInvalidNameChar(char c) { return InTable(kInvalidNameTable, c); }

std::string CleanedName(std::string_view text) {
    std::string cleaned(text);
    for (char& c : cleaned) {
        if (IsInvalidNameChar(c)) c = ' ';
    }
    return cleaned;
}

char UppercaseChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char LowercaseChar(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

void UppercaseInPlace(std::string& text) {
    for (char& c : text) c = UppercaseChar(c);
}

void LowercaseInPlace(std::string& text) {
    for (char& c : text) c = LowercaseChar(c);
}

std::string Uppercased(std::string_view text) {
    std::string copy(text);
    UppercaseInPlace(copy);
    return copy;
}

std::string Lowercased(std::string_view text) {
    std::string copy(text);
    LowercaseInPlace(copy);
    return copy;
}

void CapitalizeInPlace(std::string& text) {
    if (text.empty()) return;
    LowercaseInPlace(text);
    text[0] = UppercaseChar(text[0]);
}

std::string_view TrimmedView(std::string_view text) {
    std::size_t first = 0;
    while (first < text.size() && IsWhitespaceChar(text[first])) ++first;
    std::size_t last = text.size();
    while (last > first && IsWhitespaceChar(text[last - 1])) --last;
    return text.substr(first, last - first);
}

void TrimLeftInPlace(std::string& text) {
    std::size_t first = 0;
    while (first < text.size() && IsWhitespaceChar(text[first])) ++first;
    text.erase(0, first);
}

void TrimRightInPlace(std::string& text) {
    std::size_t last = text.size();
    while (last > 0 && IsWhitespaceChar(text[last - 1])) --last;
    text.erase(last);
}

void TrimInPlace(std::string& text) {
    TrimRightInPlace(text);
    TrimLeftInPlace(text);
}

std::string Trimmed(std::string_view text) { return std::string(TrimmedView(text)); }

void ReplaceAll(std::string& text, std::string_view find, std::string_view replacement) {
    if (find.empty()) return;
    std::size_t at = text.find(find);
    while (at != std::string::npos) {
        text.replace(at, find.size(), replacement);
        at = text.find(find, at + replacement.size());
    }
}

void ReplaceAllNoCase(std::string& text, std::string_view find, std::string_view replacement) {
    if (find.empty()) return;
    // The lowered copy is searched and edited in step with the text itself.
    std::string lowered = Lowercased(text);
    const std::string loweredFind = Lowercased(find);
    const std::string loweredReplacement = Lowercased(replacement);
    std::size_t at = lowered.find(loweredFind);
    while (at != std::string::npos) {
        text.replace(at, find.size(), replacement);
        lowered.replace(at, find.size(), loweredReplacement);
        at = lowered.find(loweredFind, at + replacement.size());
    }
}

bool SplitTokens(std::string_view text, char delimiter, Tokens& tokens) {
    tokens.clear();
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find(delimiter, begin);
        if (end == std::string_view::npos) end = text.size();
        tokens.emplace_back(TrimmedView(text.substr(begin, end - begin)));
        begin = end + 1;
    }
    return !tokens.empty();
}

bool FindWords(std::string_view text, std::vector<WordSpan>& words) {
    words.clear();
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && IsWordDelimiter(text[at])) ++at;
        if (at == text.size()) break;
        std::size_t end = at;
        while (end < text.size() && !IsWordDelimiter(text[end])) ++end;
        words.push_back({static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(end - at)});
        at = end + 1;
    }
    return !words.empty();
}

bool ReadUnsigned(std::string_view text, unsigned base, std::uint32_t& value) {
    std::size_t at = 0;
    while (at < text.size() && InTable(kStreamSpaceTable, text[at])) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    // A "0x" prefix counts only when a hexadecimal digit follows it; otherwise
    // the "0" alone is the number.
    if (base == 16 && at + 2 < text.size() && text[at] == '0' &&
        (text[at + 1] == 'x' || text[at + 1] == 'X') && DigitValue(text[at + 2]) < 16) {
        at += 2;
    }
    std::uint64_t magnitude = 0;
    std::size_t digits = 0;
    for (; at < text.size(); ++at, ++digits) {
        const int digit = DigitValue(text[at]);
        if (digit >= static_cast<int>(base)) break;
        magnitude = magnitude * base + static_cast<unsigned>(digit);
        if (magnitude > 0xFFFFFFFFull) return false;
    }
    if (digits == 0) return false;
    const auto low = static_cast<std::uint32_t>(magnitude);
    value = negative ? static_cast<std::uint32_t>(0u - low) : low;
    return true;
}

std::uint32_t ParseUnsigned(std::string_view text) {
    std::uint32_t value = 0;
    return ReadUnsigned(text, 10, value) ? value : 0;
}

std::size_t CharacterLength(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    unsigned char low = 0x80;  // the allowed range of the second byte
    unsigned char high = 0xBF;
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    } else {
        return 1;
    }
    if (at + length > text.size()) return 1;
    if (byte(at + 1) < low || byte(at + 1) > high) return 1;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 1;
    }
    return length;
}

std::vector<std::size_t> CharacterStarts(std::string_view text) {
    std::vector<std::size_t> starts;
    starts.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); at += CharacterLength(text, at))
        starts.push_back(at);
    return starts;
}

std::string_view CutBetweenCharacters(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return text;
    std::size_t end = 0;
    for (std::size_t at = 0; at < limit;) {
        const std::size_t next = at + CharacterLength(text, at);
        if (next > limit) break;
        end = at = next;
    }
    return text.substr(0, end);
}
