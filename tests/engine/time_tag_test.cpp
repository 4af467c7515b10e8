#include "engine/time_tag.h"

#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <string>
#include <vector>

#include "engine/expand_prototype.h"
#include "engine/fixed_clock.h"

namespace {

constexpr std::array<const char*, 17> kConversions = {"%a", "%A", "%b", "%B", "%d", "%H",
                                                      "%I", "%j", "%m", "%M", "%p", "%S",
                                                      "%U", "%w", "%W", "%y", "%Y"};

struct TimeCase {
    std::string tag, expected;
};

class TimeTagTest : public ::testing::Test {
protected:
    std::string Expand(const std::string& prototype) {
        TemplateContext context;
        return ExpandPrototype(prototype, context, "a.txt");
    }
    void ExpectAll(const std::vector<TimeCase>& cases) {
        for (const TimeCase& c : cases) EXPECT_EQ(Expand(c.tag), c.expected) << c.tag;
    }

    FixedClock clock_{ExampleMoment()};
    ScopedLocalClock useClock_{clock_};
};

TEST_F(TimeTagTest, EveryConversionAtTheExampleMoment) {
    ExpectAll({
        {"${tm;%a}", "Wed"},
        {"${tm;%A}", "Wednesday"},
        {"${tm;%b}", "Mar"},
        {"${tm;%B}", "March"},
        {"${tm;%d}", "09"},
        {"${tm;%H}", "14"},
        {"${tm;%I}", "02"},
        {"${tm;%j}", "068"},
        {"${tm;%m}", "03"},
        {"${tm;%M}", "05"},
        {"${tm;%p}", "PM"},
        {"${tm;%S}", "09"},
        {"${tm;%U}", "10"},
        {"${tm;%w}", "3"},
        {"${tm;%W}", "10"},
        {"${tm;%y}", "05"},
        {"${tm;%Y}", "2005"},
    });
}

TEST_F(TimeTagTest, WorkedExamples) {
    ExpectAll({
        {"${tm;%Y}", "2005"},        {"${tm;%A}", "Wednesday"},     {"${tm;%B;up}", "MARCH"},
        {"${tm;%a;low}", "wed"},     {"${tm;%p;low}", "pm"},        {"${tm;%p;cap}", "Pm"},
        {"${tm;%b;cap}", "Mar"},     {"${tm; %j }", "068"},         {"${tm}", "${error}"},
        {"${tm;%Y-%m}", "${error}"}, {"${tm;%c}", "${error}"},      {"${tm;%d;up}", "${error}"},
        {"${tm;%B;Up}", "${error}"}, {"${tm;%B;up;x}", "${error}"}, {"${tm;}", "${error}"},
        {"${tm;%}", "${error}"},     {"${tm;Y}", "${error}"},       {"${tm;%%}", "${error}"},
        {"${tm;%e}", "${error}"},    {"${tm;x%Y}", "${error}"},     {"${tm;%A;;}", "${error}"},
        {"${tm;%A;}", "Wednesday"},
    });
}

TEST_F(TimeTagTest, MidnightNoonAndTheEndsOfTheYear) {
    struct MomentCase {
        std::tm moment;
        std::vector<TimeCase> cases;
    };
    const std::vector<MomentCase> moments = {
        {LocalTimeOf(2005, 3, 9, 0, 0, 0),
         {{"${tm;%I}", "12"}, {"${tm;%p}", "AM"}, {"${tm;%H}", "00"}}},
        {LocalTimeOf(2005, 3, 9, 12, 0, 0), {{"${tm;%I}", "12"}, {"${tm;%p}", "PM"}}},
        {LocalTimeOf(2005, 3, 9, 11, 59, 59), {{"${tm;%I}", "11"}, {"${tm;%p}", "AM"}}},
        {LocalTimeOf(2005, 3, 9, 23, 0, 0), {{"${tm;%I}", "11"}, {"${tm;%p}", "PM"}}},
        {LocalTimeOf(2005, 1, 1, 10, 0, 0),
         {{"${tm;%a}", "Sat"},
          {"${tm;%U}", "00"},
          {"${tm;%W}", "00"},
          {"${tm;%j}", "001"},
          {"${tm;%w}", "6"}}},
        {LocalTimeOf(2005, 12, 31, 10, 0, 0),
         {{"${tm;%U}", "52"}, {"${tm;%W}", "52"}, {"${tm;%j}", "365"}, {"${tm;%a}", "Sat"}}},
        {LocalTimeOf(2006, 1, 1, 10, 0, 0),
         {{"${tm;%a}", "Sun"}, {"${tm;%U}", "01"}, {"${tm;%W}", "00"}}},
        {LocalTimeOf(2004, 12, 31, 10, 0, 0), {{"${tm;%j}", "366"}}},
        {LocalTimeOf(2000, 1, 1, 0, 0, 0), {{"${tm;%y}", "00"}, {"${tm;%Y}", "2000"}}},
    };
    for (const MomentCase& m : moments) {
        clock_.Set(m.moment);
        ExpectAll(m.cases);
    }
}

TEST_F(TimeTagTest, TheClockIsReadAtEveryTag) {
    class TickingClock final : public LocalClock {
    public:
        std::tm Now() const override { return LocalTimeOf(2005, 3, 9, 14, 5, second_++); }
        mutable int second_ = 58;
    } ticking;
    ScopedLocalClock useTicking(ticking);
    EXPECT_EQ(Expand("${tm;%S}${tm;%M}:${tm;%S}"), "5805:00");
    EXPECT_EQ(Expand("${tm;%S}"), "01");
}

// Every conversion matches the C library's strftime in the "C" locale over
// every day of many years and every hour of the day.
TEST(FormatTimeConversion, MatchesStrftimeInTheCLocale) {
    ASSERT_STREQ(std::setlocale(LC_TIME, nullptr), "C");
    int compared = 0;
    for (int year = 1968; year <= 2040; ++year) {
        for (int day = 1; day <= 366; ++day) {
            const std::tm moment = LocalTimeOf(year, 1, day, (day * 7) % 24, day % 60, year % 60);
            for (const char* conversion : kConversions) {
                char expected[32];
                ASSERT_GT(std::strftime(expected, sizeof expected, conversion, &moment), 0u);
                std::string text;
                ASSERT_TRUE(FormatTimeConversion(conversion, moment, text));
                ASSERT_EQ(text, expected) << conversion << " on " << year << " day " << day;
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 400000);
}

TEST(IsTextualTimeConversion, OnlyNamesAndAmPm) {
    int textual = 0;
    for (const char* conversion : kConversions) textual += IsTextualTimeConversion(conversion);
    EXPECT_EQ(textual, 5);
    EXPECT_TRUE(IsTextualTimeConversion("%p"));
    EXPECT_FALSE(IsTextualTimeConversion("%d"));
}

}  // namespace
