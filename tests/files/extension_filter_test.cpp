#include "files/extension_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/file_list.h"
#include "support/list_cells.h"

namespace {

TEST(CanonicalFilterText, SortsLowerCasesAndDropsBadTokens) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"TXT, jpg, Txt", "jpg, txt"},
        {"txt, -?, 7z", "-?, 7z, txt"},
        {"*.txt, .doc", ".doc"},
        {"  , ,, ", ""},
        {"", ""},
        {"-?", "-?"},
        {"a|b, c:d, e\tf, g", "g"},
        {"\xC3\xA9t\xC3\xA9, Z", "z, \xC3\xA9t\xC3\xA9"},
    };
    for (const auto& [text, canonical] : cases)
        EXPECT_EQ(CanonicalFilterText(text), canonical) << text;
}

TEST(NormaliseFilter, ParsesOnlyATextThatDiffersFromTheCache) {
    std::string cache = "txt";
    ExtensionSet set{"stale"};
    EXPECT_EQ(NormaliseFilter("txt", cache, set), "txt");
    EXPECT_EQ(set, ExtensionSet{"stale"});
    EXPECT_EQ(NormaliseFilter("TXT", cache, set), "txt");
    EXPECT_EQ(set, ExtensionSet{"txt"});
    EXPECT_EQ(cache, "txt");
}

class ApplyFilterTest : public ::testing::Test {
protected:
    void SetUp() override {
        InsertFileListColumns(list_);
        for (const char* name :
             {"a.txt", "B.TXT", "c.jpg", "README", "file.", "archive.tar.gz", ".profile", "d.doc"})
            InsertFile(list_, std::string("/data/") + name);
    }
    std::vector<std::string> OldNames() const { return ColumnTexts(list_, kOldColumn); }

    CListCtrl list_;
    FilterState state_;
};

TEST_F(ApplyFilterTest, RemovesRowsOfTheListedExtensions) {
    PlainTextField field("TXT, jpg, Txt");
    ApplyFilter(list_, field, state_);
    EXPECT_EQ(field.GetWindowText(), "jpg, txt");
    EXPECT_EQ(OldNames(),
              (std::vector<std::string>{"README", "file.", "archive.tar.gz", ".profile", "d.doc"}));

    field.SetWindowText("-?, profile");
    ApplyFilter(list_, field, state_);
    EXPECT_EQ(field.GetWindowText(), "-?, profile");
    EXPECT_EQ(OldNames(), (std::vector<std::string>{"archive.tar.gz", "d.doc"}));
}

TEST_F(ApplyFilterTest, ClearedFilterBringsNothingBack) {
    PlainTextField field("doc");
    ApplyFilter(list_, field, state_);
    EXPECT_EQ(list_.GetItemCount(), 7);
    field.SetWindowText("");
    ApplyFilter(list_, field, state_);
    EXPECT_EQ(list_.GetItemCount(), 7);
    EXPECT_TRUE(state_.set.empty());
}

TEST_F(ApplyFilterTest, AnEmptyFilterRemovesNothingAndLeavesTheFieldAlone) {
    PlainTextField field(" , ");
    ApplyFilter(list_, field, state_);
    EXPECT_EQ(field.GetWindowText(), "");
    EXPECT_EQ(list_.GetItemCount(), 8);
}

TEST_F(ApplyFilterTest, KeepsTheSelectionOnTheSameFile) {
    list_.SetSelectedRow(3);  // README
    PlainTextField field("txt");
    ApplyFilter(list_, field, state_);
    EXPECT_EQ(list_.GetItemText(list_.GetSelectedRow(), kOldColumn), "README");
}

}  // namespace
