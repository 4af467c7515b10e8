#include "engine/name_tags.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/expand_prototype.h"

namespace {

struct TagCase {
    std::string oldName, tag, expected;
};

std::string Expand(const std::string& tag, const std::string& oldName) {
    TemplateContext context;
    return ExpandPrototype(tag, context, oldName);
}

void ExpectAll(const std::vector<TagCase>& cases) {
    for (const TagCase& c : cases)
        EXPECT_EQ(Expand(c.tag, c.oldName), c.expected) << c.oldName << " " << c.tag;
}

const std::string kFox = "The quick brown fox.TXT";

TEST(NameTags, WorkedExamples) {
    ExpectAll({
        {kFox, "${ext}", "TXT"},
        {kFox, "${ext;low}", "txt"},
        {kFox, "${ext;cap}", "${error}"},
        {kFox, "${id;up}", "THE QUICK BROWN FOX"},
        {kFox, "${id;cap}", "The Quick Brown Fox"},
        {kFox, "${id;cap;(2,%l)}", "The Quick brown Fox"},
        {kFox, "${id;cap;[2-3]}", "The Quick Brown fox"},
        {kFox, "${id;word;(%l,1);'_'}", "fox_The"},
        {kFox, "${id;word;(1,3);' - ';up}", "THE - BROWN"},
        {kFox, "${id;word;(2);''}", "quick"},
        {kFox, "${id;word;(1,1);'.'}", "The.The"},
        {kFox, "${id;word;(1)}", "${error}"},
        {kFox, "${id;word;(1);-}", "${error}"},
        {kFox, "${id;word;(1);' ';Up}", "${error}"},
        {kFox, "${id;word;(9);' ';Up}", ""},
        {kFox, "${id;word;2;str;[1-3]}", "qui"},
        {kFox, "${id;word;%l;str;(1);up}", "F"},
        {kFox, "${id;word;9;str;(1)}", ""},
        {kFox, "${id;word;2;chars;(1)}", "${error}"},
        {kFox, "${id;str;[1-3]}", "The"},
        {kFox, "${id;str;(1,5,11);up}", "TQB"},
        {kFox, "${id;str;[%f-%l]}", "The quick brown fox"},
        {kFox, "${id;str;(%l)}", ""},
        {kFox, "${id;str;1}", "${error}"},
        {kFox, "${id;low;x}", "${error}"},
        {"HELLO_world-2005.JPG", "${id;cap}", "Hello_World-2005"},
    });
}

TEST(NameTags, EdgeCases) {
    ExpectAll({
        {"README", "${ext}", ""},
        {"README", "${id}", "README"},
        {".profile", "${id}", ""},
        {".profile", "${id;str;(1)}", ""},
        {".profile", "${id;word;(1);' '}", ""},
        {"2005-03-09.log", "${id;cap}", "2005-03-09"},
        {"Track 01.mp3", "${id;cap;()}", "${error}"},
        {"Track 01.mp3", "${id;word;(0,3);'-'}", ""},
        {"Track 01.mp3", "${id;word;(2,1);''}", "01Track"},
        {"Track 01.mp3", "${id;low;x}", "${error}"},
        {"Track 01.mp3", "${id;up;x}", "${error}"},
        {"Track 01.mp3", "${id;word;(1,2);'  '}", "Track  01"},
        {"Track 01.mp3", "${id;word;(1,2);'a'b'}", "Tracka'b01"},
    });
}

TEST(NameTags, WrongShapesGiveTheErrorMarker) {
    ExpectAll({
        {kFox, "${ext;low;up}", "${error}"},
        {kFox, "${ext;LOW}", "${error}"},
        {kFox, "${ext;;}", "${error}"},
        {kFox, "${id;;}", "${error}"},
        // A trailing ";" adds no empty token.
        {kFox, "${ext;}", "TXT"},
        {kFox, "${id;up;}", "THE QUICK BROWN FOX"},
        {kFox, "${id;Low}", "${error}"},
        {kFox, "${id;cap;(1);x}", "${error}"},
        {kFox, "${id;cap;1}", "${error}"},
        {kFox, "${id;word}", "${error}"},
        {kFox, "${id;word;(1);' ';up;x}", "${error}"},
        {kFox, "${id;word;2;str}", "${error}"},
        {kFox, "${id;word;2;str;(1);up;x}", "${error}"},
        {kFox, "${id;word;2;str;3}", "${error}"},
        {kFox, "${id;word;2;str;(1);Cap}", "${error}"},
        {kFox, "${id;str}", "${error}"},
        {kFox, "${id;str;(1);up;x}", "${error}"},
        {kFox, "${id;str;(1);UP}", "${error}"},
        {kFox, "${id;bogus}", "${error}"},
    });
}

TEST(NameTags, Separators) {
    ExpectAll({
        // A lone quote quotes nothing.
        {kFox, "${id;word;(1,2);'}", "${error}"},
        {kFox, "${id;word;(1,2);'x}", "${error}"},
        {kFox, "${id;word;(1,2);x'}", "${error}"},
        {kFox, "${id;word;(1,2);' : '}", "${error}"},
        {kFox, "${id;word;(1,2);'\\'}", "${error}"},
        {kFox, "${id;word;(1,2);'?'}", "${error}"},
        {kFox, "${id;word;(1,2);'=='}", "The==quick"},
        // Separator and case word are not looked at when the id has no word.
        {"---.txt", "${id;word;(1);'|';bogus}", ""},
    });
}

TEST(NameTags, CaseWordsInTheWordForms) {
    ExpectAll({
        {"tHE qUICK.txt", "${id;word;(2,1);' ';cap}", "Quick The"},
        {"tHE qUICK.txt", "${id;word;(2,1);' ';low}", "quick the"},
        {"tHE qUICK.txt", "${id;word;1;str;[1-2];cap}", "Th"},
        {"tHE qUICK.txt", "${id;str;[1-5];cap}", "The q"},
    });
}

TEST(NameTags, RangesToTheLastWordTakeItOnce) {
    ExpectAll({
        {kFox, "${id;word;[2-%l];' '}", "quick brown fox"},
        {kFox, "${id;word;[%l-2];' '}", "quick brown fox"},
        {kFox, "${id;word;[%f-%l];'_';up}", "THE_QUICK_BROWN_FOX"},
        {kFox, "${id;word;[%l-%l];' '}", "fox"},
        {kFox, "${id;word;[4-%l];' '}", "fox"},
        // Explicit lists keep every entry.
        {kFox, "${id;word;(%l,1);' '}", "fox The"},
        {kFox, "${id;word;(3,4,%l);' '}", "brown fox fox"},
        {kFox, "${id;word;[1-2];' '}", "The quick"},
    });
}

TEST(NameTags, WordNumbers) {
    ExpectAll({
        {kFox, "${id;word;%f;str;[1-2]}", "Th"},
        {kFox, "${id;word;4;str;(3,2,1)}", "xof"},
        {kFox, "${id;word;0;str;(1)}", ""},
        // A bad word number wins over later bad tokens.
        {kFox, "${id;word;0;bogus;(1)}", ""},
        {kFox, "${id;word;x;str;(1)}", ""},
        {kFox, "${id;word;%f0;str;(1)}", ""},
        {kFox, "${id;word;2;str;[1-%l]}", "quick"},
        {kFox, "${id;word;2;str;(%l)}", ""},
    });
}

TEST(NameTags, HugeRangesAreRefused) {
    ExpectAll({
        {kFox, "${id;str;[1-4294967295]}", "${error}"},
        {kFox, "${id;word;[1-4294967295];' '}", "${error}"},
        {kFox, "${id;cap;[4294967295-4294967295]}", "The quick brown fox"},
    });
}

TEST(CapitalizeWords, LeavesTextBetweenWordsAlone) {
    PositionList list;
    ASSERT_TRUE(ParsePositionList("(3,3,1)", list));
    EXPECT_EQ(CapitalizeWords("aB--cD  eF", &list), "Ab--cD  Ef");
    EXPECT_EQ(CapitalizeWords("aB--cD  eF", nullptr), "Ab--Cd  Ef");
    EXPECT_EQ(CapitalizeWords("...", nullptr), "...");
}

}  // namespace

namespace {

// A character is one UTF-8 character; a stray byte is a character of its own.
TEST(NameTags, PositionsCountUtf8Characters) {
    ExpectAll({
        {"日本語.txt", "${id;str;[1-3]}", "日本語"},
        {"日本語.txt", "${id;str;(1,3)}", "日語"},
        {"日本語.txt", "${id;str;(2)}", "本"},
        {"日本語.txt", "${id;str;[2-%l]}", "本語"},
        {"Café au lait.jpg", "${id;word;1;str;(4);up}", "é"},
        {"Café au lait.jpg", "${id;word;1;str;[3-%l]}", "fé"},
        {"øre ünd.txt", "${id;cap}", "øre ünd"},  // letter case is ASCII only
        {"ab日.txt", "${id;up}", "AB日"},
        {"caf\xe9 x.txt", "${id;str;(4,5)}", "\xe9 "},
        {"\xe6\x97\xa5\xe6.txt", "${id;str;(2)}", "\xe6"},
    });
}

TEST(ExpandPrototype, ANameStopsGrowingPastItsBound) {
    // A long separator repeated by a long position list would otherwise make
    // a name of many megabytes for every row.
    const std::string separator(8000, 's');
    const std::string prototype = "${id;word;[1-4096];'" + separator + "'}";
    const std::string name = Expand(prototype, "a b.txt");
    EXPECT_LE(name.size(), kMaxExpandedName);
    EXPECT_EQ(name.substr(0, 3), "as" + std::string(1, 's'));
    // Cut between characters.
    const std::string wide(kMaxExpandedName, 'x');
    EXPECT_EQ(Expand(wide.substr(1) + "日", "a.txt"), wide.substr(1));
}

TEST(CutBetweenCharacters, NeverSplitsACharacter) {
    EXPECT_EQ(CutBetweenCharacters("日本", 5), "日");
    EXPECT_EQ(CutBetweenCharacters("日本", 6), "日本");
    EXPECT_EQ(CutBetweenCharacters("ab\xff", 3), "ab\xff");
    EXPECT_EQ(CutBetweenCharacters("a\xe6\x97", 2), "a\xe6");
}

}  // namespace
