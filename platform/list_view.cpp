#include "platform/list_view.h"

#include <QHeaderView>
#include <QMouseEvent>

#include "platform/qt_text.h"

ListTableModel::ListTableModel(CListCtrl& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list) {
    list_.SetObserver(this);
}

ListTableModel::~ListTableModel() { list_.SetObserver(nullptr); }

int ListTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : list_.GetItemCount();
}

int ListTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : list_.GetColumnCount();
}

QVariant ListTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    return ToQString(list_.GetItemText(index.row(), index.column()));
}

QVariant ListTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= list_.GetColumnCount())
        return {};
    if (role == Qt::DisplayRole) return ToQString(list_.GetColumn(section).title);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

void ListTableModel::RowsAboutToBeInserted(int first, int count) {
    changing_ = true;
    beginInsertRows({}, first, first + count - 1);
}

void ListTableModel::RowsInserted() {
    endInsertRows();
    changing_ = false;
}

void ListTableModel::RowsAboutToBeRemoved(int first, int count) {
    changing_ = true;
    beginRemoveRows({}, first, first + count - 1);
}

void ListTableModel::RowsRemoved() {
    endRemoveRows();
    changing_ = false;
}

void ListTableModel::RowsAboutToBeReset() {
    changing_ = true;
    beginResetModel();
}

void ListTableModel::CellsChanged(int firstRow, int lastRow) {
    emit dataChanged(index(firstRow, 0), index(lastRow, columnCount() - 1));
}

void ListTableModel::RowsReset() {
    endResetModel();
    changing_ = false;
}

void ListTableModel::ColumnsChanged() {
    beginResetModel();
    endResetModel();
}

void ListTableModel::SelectionChanged(int row) {
    if (selectionChanged) selectionChanged(row);
}

ListView::ListView(CListCtrl& list, QWidget* parent)
    : QTableView(parent), list_(list), model_(list, this) {
    setModel(&model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);

    // The selected row is the selection, not the current index: the current
    // index stays on a row that was deselected or moves on after a removal.
    // While rows change, the view moves its selection on by itself (onto the
    // row after a removed one); the list says which row is selected after.
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (following_ || model_.Changing()) return;
        const QModelIndexList rows = selectionModel()->selectedRows();
        list_.SetSelectedRow(rows.isEmpty() ? -1 : rows.front().row());
    });
    model_.selectionChanged = [this](int row) { SelectRow(row); };
}

void ListView::ShowColumns() {
    model_.ColumnsChanged();
    for (int column = 0; column < list_.GetColumnCount(); ++column)
        setColumnWidth(column, list_.GetColumn(column).width);
}

void ListView::SelectRow(int row) {
    following_ = true;
    if (row < 0) {
        clearSelection();
        selectionModel()->setCurrentIndex({}, QItemSelectionModel::NoUpdate);
    } else {
        selectRow(row);
    }
    following_ = false;
}

// A click on empty space leaves no row selected.
void ListView::mousePressEvent(QMouseEvent* event) {
    if (!indexAt(event->position().toPoint()).isValid()) {
        clearSelection();
        selectionModel()->setCurrentIndex({}, QItemSelectionModel::NoUpdate);
    }
    QTableView::mousePressEvent(event);
}

void ListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && doubleClicked) doubleClicked();
    if (event->button() == Qt::RightButton && rightDoubleClicked) rightDoubleClicked();
}
