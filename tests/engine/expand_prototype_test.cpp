#include "engine/expand_prototype.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/default_prototypes.h"
#include "engine/fixed_clock.h"

namespace {

const std::string kOldName = "Holiday photo.JPG";

struct TwoRowCase {
    std::string prototype, row1, row2;
};

// Expands the prototype for two rows of one pass.
std::pair<std::string, std::string> TwoRows(const std::string& prototype,
                                            const std::string& oldName = kOldName) {
    TemplateContext context;
    std::string first = ExpandPrototype(prototype, context, oldName);
    std::string second = ExpandPrototype(prototype, context, oldName);
    return {first, second};
}

void ExpectTwoRows(const std::vector<TwoRowCase>& cases) {
    for (const TwoRowCase& c : cases) {
        const auto [row1, row2] = TwoRows(c.prototype);
        EXPECT_EQ(row1, c.row1) << c.prototype;
        EXPECT_EQ(row2, c.row2) << c.prototype;
    }
}

class ExpandPrototypeTest : public ::testing::Test {
protected:
    FixedClock clock_{ExampleMoment()};
    ScopedLocalClock useClock_{clock_};
};

TEST_F(ExpandPrototypeTest, DefaultPrototypes) {
    const std::vector<TwoRowCase> cases = {
        {"${id}.${ext}", "Holiday photo.JPG", "Holiday photo.JPG"},
        {"${id;cap}.${ext;low}", "Holiday Photo.jpg", "Holiday Photo.jpg"},
        {"Track-${i}.${ext;low}", "Track-0.jpg", "Track-1.jpg"},
        {"Photo-${i}.${ext;low}", "Photo-0.jpg", "Photo-1.jpg"},
        {"Movie-${i}.${ext;low}", "Movie-0.jpg", "Movie-1.jpg"},
        {"${i} - My Document - Made on (${tm;%A}, ${tm;%B} ${tm;%d}, ${tm;%Y}) At "
         "(${tm;%H}-${tm;%M}-${tm;%S}).${ext;low}",
         "0 - My Document - Made on (Wednesday, March 09, 2005) At (14-05-09).jpg",
         "1 - My Document - Made on (Wednesday, March 09, 2005) At (14-05-09).jpg"},
        {"${i} - My Document - Made on (${tm;%A}, ${tm;%B} ${tm;%d}, ${tm;%Y}) At "
         "(${tm;%I}-${tm;%M}-${tm;%S} ${tm;%p}).${ext;low}",
         "0 - My Document - Made on (Wednesday, March 09, 2005) At (02-05-09 PM).jpg",
         "1 - My Document - Made on (Wednesday, March 09, 2005) At (02-05-09 PM).jpg"},
    };
    ASSERT_EQ(cases.size(), kDefaultPrototypes.size());
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(cases[i].prototype, kDefaultPrototypes[i]);
    ExpectTwoRows(cases);
}

TEST_F(ExpandPrototypeTest, DriverRules) {
    const std::vector<TwoRowCase> cases = {
        {"${i}-${i}", "0-1", "2-3"},
        {"${id} ${ID}", "Holiday photo ${error}", "Holiday photo ${error}"},
        {"${Id}${iD}", "${error}${error}", "${error}${error}"},
        {"${id;bogus}.${ext}", "${error}.JPG", "${error}.JPG"},
        {"${}x", "${error}x", "${error}x"},
        {"${   }", "${error}", "${error}"},
        {"${;id}", "${error}", "${error}"},
        {"${ id ; up }", "HOLIDAY PHOTO", "HOLIDAY PHOTO"},
        {"a${id", "a${id", "a${id"},
        {"}${ext}{", "}JPG{", "}JPG{"},
        {"${a${ext}}", "${error}}", "${error}}"},
        {"", "", ""},
        {"plain name.txt", "plain name.txt", "plain name.txt"},
        {"$${ext}$", "$JPG$", "$JPG$"},
        {"${i}${i;hex}", "00", "10x1"},
        // An unterminated tag does not advance the counter.
        {"${i}${i", "0${i", "1${i"},
        {"${ii}${idx}${tmx}", "${error}${error}${error}", "${error}${error}${error}"},
    };
    ExpectTwoRows(cases);
}

TEST_F(ExpandPrototypeTest, TagResultsAreNeverScannedAgain) {
    // An old name holding a tag is copied as it is and advances no counter.
    const auto [row1, row2] = TwoRows("${id}|${i}", "${i} and ${ext}.${i}");
    EXPECT_EQ(row1, "${i} and ${ext}|0");
    EXPECT_EQ(row2, "${i} and ${ext}|1");
    // A result ending in "$" does not join the "{" after it into a tag.
    EXPECT_EQ(TwoRows("${id}{ext}", "a$.b").first, "a${ext}");
}

TEST_F(ExpandPrototypeTest, OldNameMayBeAPath) {
    EXPECT_EQ(TwoRows("${id}-${ext}", "/photos/2005.03/IMG 1.JPG").first, "IMG 1-JPG");
}

TEST(ExpandTag, ChecksItsOwnInput) {
    TemplateContext context;
    EXPECT_EQ(ExpandTag(context, "${ext}", "a.txt"), "txt");
    for (const char* bad : {"", "$", "${", "}", "${x", "ext}", "{ext}"})
        EXPECT_EQ(ExpandTag(context, bad, "a.txt"), kErrorMarker) << bad;
}

}  // namespace
