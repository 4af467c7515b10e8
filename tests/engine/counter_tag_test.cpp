#include "engine/counter_tag.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/expand_prototype.h"

namespace {

// The texts of `rows` expansions of the prototype in one pass.
std::vector<std::string> Pass(const std::string& prototype, int rows) {
    TemplateContext context;
    std::vector<std::string> results;
    for (int row = 0; row < rows; ++row)
        results.push_back(ExpandPrototype(prototype, context, "a.txt"));
    return results;
}

struct CounterCase {
    std::string prototype;
    std::vector<std::string> rows;
};

TEST(CounterTag, FirstFourValues) {
    const std::vector<CounterCase> cases = {
        {"${i}", {"0", "1", "2", "3"}},
        {"${i;1}", {"1", "2", "3", "4"}},
        {"${i;dec;-b;1}", {"1", "2", "3", "4"}},
        {"${i;hex}", {"0", "0x1", "0x2", "0x3"}},
        {"${i;hex;9}", {"0x9", "0xa", "0xb", "0xc"}},
        {"${i;hex;up;9}", {"0X9", "0XA", "0XB", "0XC"}},
        {"${i;hex;-b;ff}", {"ff", "100", "101", "102"}},
        {"${i;hex;up;-b;0xfe}", {"FE", "FF", "100", "101"}},
        {"${i;oct}", {"0", "01", "02", "03"}},
        {"${i;oct;7}", {"07", "010", "011", "012"}},
        {"${i;oct;-b;10}", {"10", "11", "12", "13"}},
        {"${i;x}", {"0", "1", "2", "3"}},
        {"${i;HEX}", {"0", "1", "2", "3"}},
        {"${i;-1}", {"4294967295", "0", "1", "2"}},
        {"${i;12abc}", {"12", "13", "14", "15"}},
        {"${i;99999999999}", {"0", "1", "2", "3"}},
        {"${i;4294967296}", {"0", "1", "2", "3"}},
        {"${i;4294967294}", {"4294967294", "4294967295", "0", "1"}},
        {"${i;hex;fffffffe}", {"0xfffffffe", "0xffffffff", "0", "0x1"}},
        {"${i;hex;DEC}", {"0xdec", "0xded", "0xdee", "0xdef"}},
        {"${i;hex;100000000}", {"0", "0x1", "0x2", "0x3"}},
        {"${i;oct;8}", {"0", "01", "02", "03"}},
        {"${i; }", {"0", "1", "2", "3"}},
        {"${i;5;7}", {"7", "8", "9", "10"}},
        {"${i;hex;dec}", {"0", "1", "2", "3"}},
        {"${i;up;hex;low;+b;a}", {"0xa", "0xb", "0xc", "0xd"}},
        {"${i;dec;up;+b;10}", {"10", "11", "12", "13"}},
    };
    for (const CounterCase& c : cases) EXPECT_EQ(Pass(c.prototype, 4), c.rows) << c.prototype;
}

TEST(CounterTag, SeveralTagsInOnePrototype) {
    const std::vector<CounterCase> cases = {
        {"Track-${i}.${ext;low}", {"Track-0.txt", "Track-1.txt"}},
        {"${i;5}_${i;10}", {"5_6", "7_8"}},
        {"${i;hex;10}-${i;10}", {"0x10-10", "0x11-11"}},
        {"${i}-${i;oct}-${i;hex}", {"0-0-0", "1-01-0x1"}},
        // One counter, each value printed in the settings of the tag that takes it.
        {"${i;hex;a}|${i;hex;up;-b}", {"0xa|B", "0xc|D"}},
    };
    for (const CounterCase& c : cases) EXPECT_EQ(Pass(c.prototype, 2), c.rows) << c.prototype;
}

TEST(CounterTag, EveryPassStartsAfresh) {
    EXPECT_EQ(Pass("${i;3}", 2), (std::vector<std::string>{"3", "4"}));
    EXPECT_EQ(Pass("${i;3}", 2), (std::vector<std::string>{"3", "4"}));
}

TEST(CounterTag, UsesTheContextOfItsBase) {
    TemplateContext context;
    context.hexCounter = {41, true};
    EXPECT_EQ(ExpandCounterTag(context, {"i", "hex", "7"}), "0x29");
    EXPECT_EQ(context.hexCounter.value, 42u);
    EXPECT_FALSE(context.decimalCounter.started);
    EXPECT_FALSE(context.octalCounter.started);
    EXPECT_EQ(ExpandCounterTag(context, {"i", "oct", "x"}), "0");
    EXPECT_TRUE(context.octalCounter.started);
    EXPECT_EQ(context.octalCounter.value, 1u);
}

}  // namespace
