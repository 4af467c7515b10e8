// Shows a CListCtrl as a report view: its columns with their titles and
// widths, grid lines, full-row single selection. The rows stay in the
// CListCtrl; the view only reads them, so it stays fast with many rows.
#pragma once

#include <QAbstractTableModel>
#include <QTableView>
#include <functional>

#include "platform/list_ctrl.h"

class ListTableModel final : public QAbstractTableModel, public ListObserver {
public:
    explicit ListTableModel(CListCtrl& list, QObject* parent = nullptr);
    ~ListTableModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void RowsAboutToBeInserted(int first, int count) override;
    void RowsInserted() override;
    void RowsAboutToBeRemoved(int first, int count) override;
    void RowsRemoved() override;
    void RowsAboutToBeReset() override;
    void RowsReset() override;
    void CellsChanged(int firstRow, int lastRow) override;
    void SelectionChanged(int row) override;

    // Shows the list's columns anew (after InsertColumn).
    void ColumnsChanged();

    std::function<void(int row)> selectionChanged;
    // Whether the rows are between a change's announcement and its end.
    bool Changing() const { return changing_; }

private:
    CListCtrl& list_;
    bool changing_ = false;
};

class ListView final : public QTableView {
public:
    ListView(CListCtrl& list, QWidget* parent);

    // Applies the list's column titles and widths (after InsertColumn).
    void ShowColumns();

    // Double-clicks with the left and the right button.
    std::function<void()> doubleClicked;
    std::function<void()> rightDoubleClicked;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void SelectRow(int row);

    CListCtrl& list_;
    ListTableModel model_;
    bool following_ = false;
};
