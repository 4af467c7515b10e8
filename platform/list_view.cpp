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

void ListTableModel::RowsInserted(int first, int count) {
    beginInsertRows({}, first, first + count - 1);
    endInsertRows();
}

void ListTableModel::RowsRemoved(int first, int count) {
    beginRemoveRows({}, first, first + count - 1);
    endRemoveRows();
}

void ListTableModel::CellsChanged(int firstRow, int lastRow) {
    emit dataChanged(index(firstRow, 0), index(lastRow, columnCount() - 1));
}

void ListTableModel::RowsReset() {
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

    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (following_) return;
                list_.SetSelectedRow(current.isValid() ? current.row() : -1);
            });
    model_.selectionChanged = [this](int row) { SelectRow(row); };
}

void ListView::ShowColumns() {
    model_.RowsReset();
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

void ListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && doubleClicked) doubleClicked();
    if (event->button() == Qt::RightButton && rightDoubleClicked) rightDoubleClicked();
}
