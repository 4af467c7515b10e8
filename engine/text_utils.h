// Small text functions shared by the whole program. Texts are narrow 8-bit
// strings of UTF-8: a character is one UTF-8 encoded character, and a byte
// that is not part of a valid sequence is a character on its own. Letter case
// changes only ASCII letters. Positions here are 0-based byte offsets.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Space, TAB, CR, FF and LF. Vertical tab is deliberately not whitespace here.
inline constexpr std::string_view kWhitespaceChars = " \t\r\f\n";

// 32 punctuation characters followed by the whitespace set.
inline constexpr std::string_view kWordDelimiters = "`~!@#$%^&*()-_=+[]{};:\"'<>,./?|\\ \t\r\f\n";

// The characters a file name may not hold, in their fixed order.
inline constexpr std::string_view kInvalidNameChars = "\\/:*?\"<>|\t\r\f\n";

// The number of bytes of the character that starts at `at` (1 to 4).
std::size_t CharacterLength(std::string_view text, std::size_t at);
// The byte offsets at which the characters of `text` start.
std::vector<std::size_t> CharacterStarts(std::string_view text);
// The longest start of `text` of at most `limit` bytes that does not end
// inside a character.
std::string_view CutBetweenCharacters(std::string_view text, std::size_t limit);

bool IsWhitespaceChar(char c);
// The text with every invalid-name character replaced by a space, as user
// texts that become parts of file names are cleaned.
std::string CleanedName(std::string_view text);
bool IsWordDelimiter(char c);
bool IsInvalidNameChar(char c);

// Letter case: only the ASCII letters change, whatever the process locale.
char UppercaseChar(char c);
char LowercaseChar(char c);
void UppercaseInPlace(std::string& text);
void LowercaseInPlace(std::string& text);
std::string Uppercased(std::string_view text);
std::string Lowercased(std::string_view text);

// First character upper case, every other character lower case.
void CapitalizeInPlace(std::string& text);

void TrimInPlace(std::string& text);
void TrimLeftInPlace(std::string& text);
void TrimRightInPlace(std::string& text);
std::string Trimmed(std::string_view text);
std::string_view TrimmedView(std::string_view text);

// Replaces every occurrence of `find` (which must not be empty), searching on
// after each inserted replacement, so replacements are never searched again.
void ReplaceAll(std::string& text, std::string_view find, std::string_view replacement);

// ReplaceAll with the find text matched ignoring ASCII letter case; the
// replacement goes in exactly as given.
void ReplaceAllNoCase(std::string& text, std::string_view find, std::string_view replacement);

using Tokens = std::vector<std::string>;

// Splits the way a line reader with `delimiter` reads a string stream: a
// final empty piece is not produced. Every token is trimmed. Returns whether
// any token was produced.
bool SplitTokens(std::string_view text, char delimiter, Tokens& tokens);

struct WordSpan {
    std::uint32_t start = 0;
    std::uint32_t length = 0;
    friend bool operator==(const WordSpan&, const WordSpan&) = default;
};

// Every maximal run of word characters, in text order. Returns whether any
// word was found.
bool FindWords(std::string_view text, std::vector<WordSpan>& words);

// Reads an unsigned 32-bit number as formatted stream input in `base` (8, 10
// or 16) would: leading blanks, an optional sign ("-" negates modulo 2^32), in
// base 16 an optional "0x", then the base's digits up to the first other
// character. Returns false when no digit is read or the digits exceed 32 bits.
bool ReadUnsigned(std::string_view text, unsigned base, std::uint32_t& value);

// Decimal ReadUnsigned, with every unreadable number giving 0.
std::uint32_t ParseUnsigned(std::string_view text);
