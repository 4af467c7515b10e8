#include "rename/preview.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/file_list.h"
#include "support/list_cells.h"

namespace {

class PreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        InsertFileListColumns(list_);
        for (const char* name : {"a.TXT", "b.jpg", "c.txt", "d.jpg"})
            InsertFile(list_, std::string("/p/") + name);
    }
    void Refresh() { RefreshList({list_, prototype_, filter_, state_}); }
    std::vector<std::string> NewNames() const { return ColumnTexts(list_, kNewColumn); }

    CListCtrl list_;
    PlainTextField prototype_{"${i}-${id}.${ext;low}"};
    PlainTextField filter_;
    FilterState state_;
};

TEST_F(PreviewTest, NumbersTheRowsInListOrder) {
    Refresh();
    EXPECT_EQ(NewNames(), (std::vector<std::string>{"0-a.txt", "1-b.jpg", "2-c.txt", "3-d.jpg"}));
    // Every pass starts the counters afresh and follows the rows as they stand.
    list_.SwapItems(3, 2);
    Refresh();
    EXPECT_EQ(NewNames(), (std::vector<std::string>{"0-a.txt", "1-b.jpg", "2-d.jpg", "3-c.txt"}));
}

TEST_F(PreviewTest, RowsLeftByTheFilterAreNumberedWithoutGaps) {
    filter_.SetWindowText("JPG");
    Refresh();
    EXPECT_EQ(filter_.GetWindowText(), "jpg");
    EXPECT_EQ(NewNames(), (std::vector<std::string>{"0-a.txt", "1-c.txt"}));
}

TEST_F(PreviewTest, CleansThePrototype) {
    prototype_.SetWindowText("a:b?c*d\"e<f>g|h/i\\j\tk\r\n\f${id}");
    Refresh();
    EXPECT_EQ(prototype_.GetWindowText(), "a b c d e f g h i j k   ${id}");
    EXPECT_EQ(NewNames().front(), "a b c d e f g h i j k   a");
}

TEST_F(PreviewTest, EmptyListStillCleansThePrototype) {
    list_.DeleteAllItems();
    prototype_.SetWindowText("x/y");
    Refresh();
    EXPECT_EQ(prototype_.GetWindowText(), "x y");
}

TEST_F(PreviewTest, LiteralAndEmptyPrototypes) {
    prototype_.SetWindowText("same");
    Refresh();
    EXPECT_EQ(NewNames(), std::vector<std::string>(4, "same"));
    prototype_.SetWindowText("");
    Refresh();
    EXPECT_EQ(NewNames(), std::vector<std::string>(4, ""));
    prototype_.SetWindowText("${nope}");
    Refresh();
    EXPECT_EQ(NewNames(), std::vector<std::string>(4, "${error}"));
}

TEST_F(PreviewTest, ALongResultIsCutToTheCell) {
    prototype_.SetWindowText(std::string(5000, 'x') + "${ext}");
    Refresh();
    EXPECT_EQ(NewNames().front(), std::string(kCellLimit, 'x'));
}

}  // namespace
