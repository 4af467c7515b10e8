// The rows of a report list: text cells addressed by row and column, a
// selected row, and the column headings. A plain object that needs no window;
// a ListView shows it on screen.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A cell holds at most this many bytes (PATH_MAX less its terminator);
// longer texts are cut.
inline constexpr std::size_t kCellLimit = 4095;

struct ListColumn {
    std::string title;
    int width = 0;  // pixels
};

// Told about every change, so that a view can follow the rows: before rows
// are inserted, removed or replaced wholesale, and again once they are.
class ListObserver {
public:
    virtual ~ListObserver() = default;
    virtual void RowsAboutToBeInserted(int first, int count) = 0;
    virtual void RowsInserted() = 0;
    virtual void RowsAboutToBeRemoved(int first, int count) = 0;
    virtual void RowsRemoved() = 0;
    virtual void RowsAboutToBeReset() = 0;
    virtual void RowsReset() = 0;
    virtual void CellsChanged(int firstRow, int lastRow) = 0;
    virtual void SelectionChanged(int row) = 0;
};

class CListCtrl {
public:
    static constexpr int kColumns = 3;
    using Row = std::array<std::string, kColumns>;

    int InsertColumn(int index, std::string_view title, int width);
    int GetColumnCount() const { return static_cast<int>(columns_.size()); }
    const ListColumn& GetColumn(int index) const {
        return columns_.at(static_cast<std::size_t>(index));
    }

    int GetItemCount() const { return static_cast<int>(rows_.size()); }
    // The empty text for a row or column out of range.
    const std::string& GetItemText(int row, int column) const;
    // Returns false for a row or column out of range.
    bool SetItemText(int row, int column, std::string_view text);
    // Inserts a row with `text` in column 0 and empty other cells at `row`
    // (clamped to the row count); returns its index.
    int InsertItem(int row, std::string_view text);
    // The same with every cell given at once.
    int InsertItem(int row, Row cells);
    // Appends the row unless a row with the same path is listed; returns its
    // index, or -1 when the path was listed (one lookup for both).
    int AppendUniqueItem(Row cells);
    // Makes room for `rows` rows in all, ahead of many insertions.
    void Reserve(int rows);
    bool DeleteItem(int row);
    // Deletes every row whose index is listed, in one pass (indexes ascending).
    void DeleteItems(const std::vector<int>& rows);
    void DeleteAllItems();
    // Exchanges the cells of two rows.
    bool SwapItems(int a, int b);

    // The selected row, or -1.
    int GetSelectedRow() const { return selected_; }
    void SetSelectedRow(int row);

    // Which two columns make up a row's path (default: columns 2 and 1).
    void SetPathColumns(int folderColumn, int nameColumn);

    // Runs many changes as one: the observer hears of a single reset.
    class Batch {
    public:
        explicit Batch(CListCtrl& list);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        CListCtrl& list_;
    };

    void SetObserver(ListObserver* observer) { observer_ = observer; }

private:
    std::string PathOf(const Row& row) const;
    void RebuildPathsIfStale();
    void ForgetPath(const Row& row);
    void RememberPath(const Row& row);
    void WillChange();
    bool Notifying() const { return observer_ != nullptr && batchDepth_ == 0; }

    std::vector<ListColumn> columns_;
    std::vector<Row> rows_;
    // Looks strings up by view, without building a key for every query.
    struct PathHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view path) const {
            return std::hash<std::string_view>{}(path);
        }
    };
    std::unordered_map<std::string, int, PathHash, std::equal_to<>> pathCounts_;
    int folderColumn_ = 2;
    int nameColumn_ = 1;
    int selected_ = -1;
    int batchDepth_ = 0;
    bool pathsStale_ = false;  // path cells changed inside a batch
    bool batchChanged_ = false;
    ListObserver* observer_ = nullptr;
};
