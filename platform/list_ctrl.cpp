#include "platform/list_ctrl.h"

#include <algorithm>

#include "engine/text_utils.h"

namespace {

const std::string kNoText;

// A cell never ends inside a character.
std::string_view CutToCell(std::string_view text) { return CutBetweenCharacters(text, kCellLimit); }

void CutCells(CListCtrl::Row& cells) {
    for (std::string& cell : cells) {
        if (cell.size() > kCellLimit) cell.resize(CutToCell(cell).size());
    }
}

}  // namespace

int CListCtrl::InsertColumn(int index, std::string_view title, int width) {
    index = std::clamp(index, 0, GetColumnCount());
    columns_.insert(columns_.begin() + index, ListColumn{std::string(title), width});
    return index;
}

const std::string& CListCtrl::GetItemText(int row, int column) const {
    if (row < 0 || row >= GetItemCount() || column < 0 || column >= kColumns) return kNoText;
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

bool CListCtrl::SetItemText(int row, int column, std::string_view text) {
    if (row < 0 || row >= GetItemCount() || column < 0 || column >= kColumns) return false;
    WillChange();
    Row& cells = rows_[static_cast<std::size_t>(row)];
    const bool pathCell = column == folderColumn_ || column == nameColumn_;
    // Inside a batch the path lookup is only marked stale; it is rebuilt once,
    // when it is next used.
    const bool updatePath = pathCell && batchDepth_ == 0 && !pathsStale_;
    if (updatePath) ForgetPath(cells);
    cells[static_cast<std::size_t>(column)] = CutToCell(text);
    if (updatePath) RememberPath(cells);
    if (pathCell && !updatePath) pathsStale_ = true;
    if (Notifying()) observer_->CellsChanged(row, row);
    return true;
}

int CListCtrl::InsertItem(int row, std::string_view text) {
    Row cells;
    cells[0] = text;
    return InsertItem(row, std::move(cells));
}

int CListCtrl::InsertItem(int row, Row cells) {
    row = std::clamp(row, 0, GetItemCount());
    CutCells(cells);
    WillChange();
    if (Notifying()) observer_->RowsAboutToBeInserted(row, 1);
    RememberPath(cells);
    rows_.insert(rows_.begin() + row, std::move(cells));
    if (selected_ >= row) ++selected_;
    if (Notifying()) observer_->RowsInserted();
    return row;
}

void CListCtrl::Reserve(int rows) {
    if (rows <= 0) return;
    rows_.reserve(static_cast<std::size_t>(rows));
    pathCounts_.reserve(static_cast<std::size_t>(rows));
}

int CListCtrl::AppendUniqueItem(Row cells) {
    CutCells(cells);
    RebuildPathsIfStale();
    if (!pathCounts_.try_emplace(PathOf(cells), 1).second) return -1;
    const int row = GetItemCount();
    WillChange();
    if (Notifying()) observer_->RowsAboutToBeInserted(row, 1);
    rows_.push_back(std::move(cells));
    if (Notifying()) observer_->RowsInserted();
    return row;
}

bool CListCtrl::DeleteItem(int row) {
    if (row < 0 || row >= GetItemCount()) return false;
    DeleteItems({row});
    return true;
}

void CListCtrl::DeleteItems(const std::vector<int>& rows) {
    std::vector<bool> doomed(rows_.size(), false);
    std::size_t count = 0;
    for (int row : rows) {
        if (row >= 0 && row < GetItemCount() && !doomed[static_cast<std::size_t>(row)]) {
            doomed[static_cast<std::size_t>(row)] = true;
            ++count;
        }
    }
    if (count == 0) return;
    const bool single = count == 1;
    WillChange();
    if (Notifying()) {
        if (single) {
            observer_->RowsAboutToBeRemoved(rows.front(), 1);
        } else {
            observer_->RowsAboutToBeReset();
        }
    }
    std::size_t kept = 0;
    int newSelected = -1;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (doomed[i]) {
            ForgetPath(rows_[i]);
            continue;
        }
        if (static_cast<int>(i) == selected_) newSelected = static_cast<int>(kept);
        if (kept != i) rows_[kept] = std::move(rows_[i]);
        ++kept;
    }
    rows_.resize(kept);
    selected_ = newSelected;
    if (!Notifying()) return;
    if (single) {
        observer_->RowsRemoved();
    } else {
        observer_->RowsReset();
    }
    observer_->SelectionChanged(selected_);
}

void CListCtrl::DeleteAllItems() {
    WillChange();
    if (Notifying()) observer_->RowsAboutToBeReset();
    rows_.clear();
    pathCounts_.clear();
    pathsStale_ = false;
    selected_ = -1;
    if (Notifying()) observer_->RowsReset();
}

bool CListCtrl::SwapItems(int a, int b) {
    if (a < 0 || b < 0 || a >= GetItemCount() || b >= GetItemCount()) return false;
    WillChange();
    std::swap(rows_[static_cast<std::size_t>(a)], rows_[static_cast<std::size_t>(b)]);
    if (Notifying()) observer_->CellsChanged(std::min(a, b), std::max(a, b));
    return true;
}

void CListCtrl::SetSelectedRow(int row) {
    if (row < -1 || row >= GetItemCount()) row = -1;
    if (row == selected_) return;
    selected_ = row;
    if (Notifying()) observer_->SelectionChanged(row);
}

void CListCtrl::SetPathColumns(int folderColumn, int nameColumn) {
    for (const Row& row : rows_) ForgetPath(row);
    folderColumn_ = folderColumn;
    nameColumn_ = nameColumn;
    for (const Row& row : rows_) RememberPath(row);
}

std::string CListCtrl::PathOf(const Row& row) const {
    return row[static_cast<std::size_t>(folderColumn_)] +
           row[static_cast<std::size_t>(nameColumn_)];
}

void CListCtrl::RebuildPathsIfStale() {
    if (!pathsStale_) return;
    pathsStale_ = false;
    pathCounts_.clear();
    pathCounts_.reserve(rows_.size());
    for (const Row& row : rows_) RememberPath(row);
}

void CListCtrl::ForgetPath(const Row& row) {
    RebuildPathsIfStale();
    const auto found = pathCounts_.find(PathOf(row));
    if (found != pathCounts_.end() && --found->second == 0) pathCounts_.erase(found);
}

void CListCtrl::RememberPath(const Row& row) {
    RebuildPathsIfStale();
    ++pathCounts_[PathOf(row)];
}

// Inside a batch, the observer hears of the reset before the first change.
void CListCtrl::WillChange() {
    if (batchDepth_ > 0 && !batchChanged_ && observer_ != nullptr) observer_->RowsAboutToBeReset();
    batchChanged_ = true;
}

CListCtrl::Batch::Batch(CListCtrl& list) : list_(list) {
    if (list_.batchDepth_++ == 0) list_.batchChanged_ = false;
}

// The path lookup, if path cells changed, is rebuilt when it is next used.
CListCtrl::Batch::~Batch() {
    if (--list_.batchDepth_ > 0) return;
    if (!list_.batchChanged_ || list_.observer_ == nullptr) return;
    list_.observer_->RowsReset();
    list_.observer_->SelectionChanged(list_.selected_);
}
