#include "engine/text_utils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(CharacterSets, HoldExactlyTheirMembers) {
    EXPECT_EQ(kWhitespaceChars.size(), 5u);
    EXPECT_EQ(kWordDelimiters.size(), 37u);
    EXPECT_EQ(kInvalidNameChars.size(), 13u);
    int delimiters = 0, invalid = 0, whitespace = 0;
    for (int c = 0; c < 256; ++c) {
        delimiters += IsWordDelimiter(static_cast<char>(c));
        invalid += IsInvalidNameChar(static_cast<char>(c));
        whitespace += IsWhitespaceChar(static_cast<char>(c));
    }
    EXPECT_EQ(delimiters, 37);
    EXPECT_EQ(invalid, 13);
    EXPECT_EQ(whitespace, 5);
    EXPECT_FALSE(IsWhitespaceChar('\v'));
    EXPECT_FALSE(IsWordDelimiter('\v'));
    EXPECT_FALSE(IsWordDelimiter('\xE9'));
    EXPECT_TRUE(IsWordDelimiter('\\'));
    EXPECT_TRUE(IsInvalidNameChar('\\'));
}

TEST(CaseMapping, ChangesOnlyAsciiLetters) {
    EXPECT_EQ(Uppercased("abc-123"), "ABC-123");
    EXPECT_EQ(Uppercased("caf\xE9"), "CAF\xE9");
    EXPECT_EQ(Lowercased("CAF\xC9 XYZ"), "caf\xC9 xyz");
    std::string every;
    for (int c = 128; c < 256; ++c) every += static_cast<char>(c);
    EXPECT_EQ(Uppercased(every), every);
    EXPECT_EQ(Lowercased(every), every);
    std::string text = "MiXeD 9";
    UppercaseInPlace(text);
    EXPECT_EQ(text, "MIXED 9");
    LowercaseInPlace(text);
    EXPECT_EQ(text, "mixed 9");
}

TEST(CaseMapping, Capitalize) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"mcDONALD", "Mcdonald"}, {"3RD", "3rd"}, {"x", "X"}, {"", ""}, {"\xE9T\xC9", "\xE9t\xC9"}};
    for (const auto& [input, expected] : cases) {
        std::string text = input;
        CapitalizeInPlace(text);
        EXPECT_EQ(text, expected) << input;
    }
}

TEST(Trimming, RemovesOnlyTheWhitespaceSet) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {" \t\r\f\nab c\n\f\r\t ", "ab c"},
        {"\vab\v", "\vab\v"},
        {"\xA0"
         "ab\xA0",
         "\xA0"
         "ab\xA0"},
        {" \t ", ""},
        {"", ""},
    };
    for (const auto& [input, expected] : cases) {
        EXPECT_EQ(Trimmed(input), expected);
        std::string text = input;
        TrimInPlace(text);
        EXPECT_EQ(text, expected);
    }
    std::string left = "  a  ", right = "  a  ";
    TrimLeftInPlace(left);
    TrimRightInPlace(right);
    EXPECT_EQ(left, "a  ");
    EXPECT_EQ(right, "  a");
}

TEST(ReplaceAll, NeverSearchesInsertedText) {
    struct Case {
        std::string text, find, replacement, expected;
    };
    const std::vector<Case> cases = {
        {"a.b.c", ".", "..", "a..b..c"},  {"aaaa", "aa", "a", "aa"},
        {"%l%l", "%l", "300", "300300"},  {"abc", "x", "y", "abc"},
        {"Abc abc", "abc", "X", "Abc X"}, {"", "a", "b", ""},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        ReplaceAll(text, c.find, c.replacement);
        EXPECT_EQ(text, c.expected) << c.text;
    }
}

TEST(SplitTokens, ReadsLikeALineReader) {
    struct Case {
        std::string text;
        std::vector<std::string> tokens;
    };
    const std::vector<Case> cases = {
        {"", {}},
        {"id", {"id"}},
        {"id; low", {"id", "low"}},
        {"id;low;", {"id", "low"}},
        {";x", {"", "x"}},
        {"id;;low", {"id", "", "low"}},
        {";", {""}},
        {"   ", {""}},
        {" ; ", {"", ""}},
        {";;", {"", ""}},
    };
    for (const Case& c : cases) {
        Tokens tokens{"stale"};
        EXPECT_EQ(SplitTokens(c.text, ';', tokens), !c.tokens.empty()) << c.text;
        EXPECT_EQ(tokens, c.tokens) << c.text;
    }
}

TEST(FindWords, FindsMaximalRunsOfWordCharacters) {
    std::vector<WordSpan> words;
    ASSERT_TRUE(FindWords("HELLO_world-2005 (final)", words));
    EXPECT_EQ(words, (std::vector<WordSpan>{{0, 5}, {6, 5}, {12, 4}, {18, 5}}));
    ASSERT_TRUE(FindWords("caf\xE9\vX", words));
    EXPECT_EQ(words, (std::vector<WordSpan>{{0, 6}}));
    EXPECT_FALSE(FindWords("___", words));
    EXPECT_TRUE(words.empty());
    EXPECT_FALSE(FindWords("", words));
    EXPECT_FALSE(FindWords(" .,;", words));
}

TEST(ParseUnsigned, ReadsLikeFormattedInput) {
    const std::vector<std::pair<std::string, std::uint32_t>> cases = {
        {"12", 12},
        {"007", 7},
        {"3rd", 3},
        {"x", 0},
        {"-1", 4294967295u},
        {"99999999999", 0},
        {"", 0},
        {"  +42", 42},
        {"4294967295", 4294967295u},
        {"4294967296", 0},
        {"-4294967295", 1},
        {"- 5", 0},
        {"+", 0},
        {"\v7", 7},
        {"1 2", 1},
        {"00000000000000000009", 9},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(ParseUnsigned(text), expected) << text;
}

TEST(ReadUnsigned, ReadsEachBase) {
    struct Case {
        std::string text;
        unsigned base;
        bool read;
        std::uint32_t value;
    };
    const std::vector<Case> cases = {
        {"ff", 16, true, 255},
        {"0xfe", 16, true, 254},
        {"0XFE", 16, true, 254},
        {"0x", 16, true, 0},
        {"0xg", 16, true, 0},
        {"-ff", 16, true, 4294967041u},
        {"ffffffff", 16, true, 4294967295u},
        {"100000000", 16, false, 0},
        {"DEC", 16, true, 0xdec},
        {"HEX", 16, false, 0},
        {"10", 8, true, 8},
        {"8", 8, false, 0},
        {"17x", 8, true, 15},
        {"0x10", 10, true, 0},
    };
    for (const Case& c : cases) {
        std::uint32_t value = 0;
        EXPECT_EQ(ReadUnsigned(c.text, c.base, value), c.read) << c.text << " base " << c.base;
        if (c.read) {
            EXPECT_EQ(value, c.value) << c.text << " base " << c.base;
        }
    }
}

}  // namespace
