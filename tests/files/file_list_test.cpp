#include "files/file_list.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class FileListTest : public ::testing::Test {
protected:
    void SetUp() override { InsertFileListColumns(list_); }
    CListCtrl list_;
};

TEST_F(FileListTest, SplitsThePathIntoCells) {
    ASSERT_TRUE(InsertFile(list_, "/home/ann/Docs/a.txt"));
    ASSERT_TRUE(InsertFile(list_, "b.txt"));
    ASSERT_TRUE(InsertFile(list_, "/srv/x\\y/c d.txt"));
    EXPECT_EQ(list_.GetItemText(0, kNewColumn), "");
    EXPECT_EQ(list_.GetItemText(0, kOldColumn), "a.txt");
    EXPECT_EQ(list_.GetItemText(0, kFolderColumn), "/home/ann/Docs/");
    EXPECT_EQ(list_.GetItemText(1, kFolderColumn), "");
    EXPECT_EQ(list_.GetItemText(1, kOldColumn), "b.txt");
    EXPECT_EQ(list_.GetItemText(2, kFolderColumn), "/srv/x\\y/");
    EXPECT_EQ(FullPathOfRow(list_, 2), "/srv/x\\y/c d.txt");
}

TEST_F(FileListTest, RefusesOnlyTheSamePathByteForByte) {
    ASSERT_TRUE(InsertFile(list_, "/docs/Report.TXT"));
    EXPECT_FALSE(InsertFile(list_, "/docs/Report.TXT"));
    // Linux tells letter case apart: these are other files.
    EXPECT_TRUE(InsertFile(list_, "/docs/report.txt"));
    EXPECT_TRUE(InsertFile(list_, "/Docs/Report.TXT"));
    EXPECT_TRUE(InsertFile(list_, "/docs/R\xC3\xA9port.TXT"));
    EXPECT_TRUE(InsertFile(list_, "/docs/R\xC3\x89port.TXT"));
    EXPECT_EQ(list_.GetItemCount(), 5);
}

TEST_F(FileListTest, BlanksAroundANameBelongToIt) {
    // " a.txt" and "a.txt " are other files than "a.txt" on Linux; cutting
    // the blanks would make the row name the wrong file.
    ASSERT_TRUE(InsertFile(list_, "/d/ a.txt"));
    ASSERT_TRUE(InsertFile(list_, "/d/a.txt "));
    ASSERT_TRUE(InsertFile(list_, "/d/a.txt"));
    ASSERT_TRUE(InsertFile(list_, "/d /a.txt"));
    EXPECT_EQ(FullPathOfRow(list_, 0), "/d/ a.txt");
    EXPECT_EQ(FullPathOfRow(list_, 1), "/d/a.txt ");
    EXPECT_EQ(list_.GetItemText(3, kFolderColumn), "/d /");
    EXPECT_FALSE(InsertFile(list_, "/d/ a.txt"));
}

TEST_F(FileListTest, NewRowsGoAfterTheLastRow) {
    InsertFile(list_, "/a/1");
    InsertFile(list_, "/a/2");
    list_.SetSelectedRow(0);
    InsertFile(list_, "/a/3");
    EXPECT_EQ(list_.GetItemText(2, kOldColumn), "3");
    EXPECT_EQ(list_.GetSelectedRow(), 0);
}

TEST_F(FileListTest, TheLookupFollowsEveryChangeOfTheRows) {
    InsertFile(list_, "/a/old.txt");
    InsertFile(list_, "/a/other.txt");
    // After a rename the Old cell holds the new name.
    list_.SetItemText(0, kOldColumn, "new.txt");
    EXPECT_FALSE(InsertFile(list_, "/a/new.txt"));
    EXPECT_TRUE(InsertFile(list_, "/a/old.txt"));
    list_.SwapItems(0, 1);
    EXPECT_FALSE(InsertFile(list_, "/a/new.txt"));
    list_.DeleteItem(1);
    EXPECT_TRUE(InsertFile(list_, "/a/new.txt"));
    list_.DeleteItems({0, 1});
    EXPECT_TRUE(InsertFile(list_, "/a/other.txt"));
    list_.DeleteAllItems();
    EXPECT_TRUE(InsertFile(list_, "/a/old.txt"));
}

TEST_F(FileListTest, CellsHoldAtMostTheCellLimit) {
    const std::string longName(5000, 'n');
    ASSERT_TRUE(InsertFile(list_, "/a/" + longName));
    EXPECT_EQ(list_.GetItemText(0, kOldColumn).size(), kCellLimit);
    list_.SetItemText(0, kNewColumn, longName);
    EXPECT_EQ(list_.GetItemText(0, kNewColumn), longName.substr(0, kCellLimit));
}

TEST_F(FileListTest, ColumnsHaveTheirTitlesAndWidths) {
    ASSERT_EQ(list_.GetColumnCount(), 3);
    EXPECT_EQ(list_.GetColumn(0).title, "New [ID <=> Name]");
    EXPECT_EQ(list_.GetColumn(1).title, "Old [ID <=> Name]");
    EXPECT_EQ(list_.GetColumn(2).title, "Location <=> Folder Path");
    EXPECT_EQ(list_.GetColumn(0).width, 195);
    EXPECT_EQ(list_.GetColumn(1).width, 195);
    EXPECT_EQ(list_.GetColumn(2).width, 335);
}

}  // namespace
