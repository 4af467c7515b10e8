#include "platform/list_ctrl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class CountingObserver final : public ListObserver {
public:
    void RowsAboutToBeInserted(int, int) override {}
    void RowsInserted() override { ++inserted; }
    void RowsAboutToBeRemoved(int, int) override {}
    void RowsRemoved() override { ++removed; }
    void RowsAboutToBeReset() override {}
    void RowsReset() override { ++resets; }
    void CellsChanged(int, int) override { ++changed; }
    void SelectionChanged(int row) override { selected = row; }
    int inserted = 0, removed = 0, changed = 0, resets = 0, selected = -2;
};

CListCtrl ListOf(const std::vector<std::string>& names) {
    CListCtrl list;
    for (const std::string& name : names) list.InsertItem(list.GetItemCount(), name);
    return list;
}

TEST(CListCtrl, DeleteItemsKeepsOrderAndFollowsTheSelection) {
    CListCtrl list = ListOf({"a", "b", "c", "d", "e"});
    list.SetSelectedRow(3);
    list.DeleteItems({0, 2, 4, 9});
    ASSERT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.GetItemText(0, 0), "b");
    EXPECT_EQ(list.GetItemText(1, 0), "d");
    EXPECT_EQ(list.GetSelectedRow(), 1);
    list.DeleteItem(1);
    EXPECT_EQ(list.GetSelectedRow(), -1);
}

TEST(CListCtrl, OutOfRangeAccessIsHarmless) {
    CListCtrl list = ListOf({"a"});
    EXPECT_EQ(list.GetItemText(5, 0), "");
    EXPECT_EQ(list.GetItemText(0, 7), "");
    EXPECT_FALSE(list.SetItemText(-1, 0, "x"));
    EXPECT_FALSE(list.DeleteItem(3));
    EXPECT_FALSE(list.SwapItems(0, 1));
    list.SetSelectedRow(4);
    EXPECT_EQ(list.GetSelectedRow(), -1);
}

TEST(CListCtrl, ABatchTellsTheObserverOnce) {
    CListCtrl list;
    CountingObserver observer;
    list.SetObserver(&observer);
    {
        const CListCtrl::Batch batch(list);
        for (int i = 0; i < 100; ++i) list.InsertItem(i, "row");
        list.SetItemText(5, 1, "x");
    }
    EXPECT_EQ(observer.inserted, 0);
    EXPECT_EQ(observer.changed, 0);
    EXPECT_EQ(observer.resets, 1);
    list.SetItemText(5, 1, "y");
    EXPECT_EQ(observer.changed, 1);
    { const CListCtrl::Batch unchanged(list); }
    EXPECT_EQ(observer.resets, 1);
    list.SetObserver(nullptr);
}

TEST(CListCtrl, PathsChangedInABatchAreKnownAfterIt) {
    CListCtrl list;
    list.AppendUniqueItem({"", "a", "/f/"});
    list.AppendUniqueItem({"", "b", "/f/"});
    {
        const CListCtrl::Batch batch(list);
        list.SetItemText(0, 1, "c");
        list.SetItemText(1, 2, "/g/");
    }
    EXPECT_EQ(list.AppendUniqueItem({"", "c", "/f/"}), -1);
    EXPECT_EQ(list.AppendUniqueItem({"", "b", "/g/"}), -1);
    EXPECT_EQ(list.AppendUniqueItem({"", "a", "/f/"}), 2);
    // Outside a batch, with the lookup still to be rebuilt, a cell changes.
    list.SetItemText(2, 1, "d");
    EXPECT_EQ(list.AppendUniqueItem({"", "a", "/f/"}), 3);
    EXPECT_EQ(list.AppendUniqueItem({"", "d", "/f/"}), -1);
}

}  // namespace
