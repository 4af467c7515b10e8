#include "platform/combo_box.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMimeData>
#include <QStyle>
#include <algorithm>

#include "platform/ascii.h"
#include "platform/qt_text.h"

namespace {

// Watches the combo box and its edit field for the focus leaving both (not
// for the combo's own drop-down list).
class FocusWatcher : public QObject {
public:
    FocusWatcher(QComboBox* combo, std::function<void()>& handler)
        : QObject(combo), combo_(combo), handler_(handler) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut && handler_ && !FocusStaysInCombo(*event)) handler_();
        if (CarriesFiles(*event)) {
            // Dropped files are for the window, which adds them; ignored
            // here, the drag goes on to the parent widgets.
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static bool CarriesFiles(const QEvent& event) {
        const auto type = event.type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
            return false;
        const QMimeData* data = static_cast<const QDropEvent&>(event).mimeData();
        return data != nullptr && data->hasUrls();
    }

    bool FocusStaysInCombo(const QEvent& event) const {
        if (static_cast<const QFocusEvent&>(event).reason() == Qt::PopupFocusReason) return true;
        const QWidget* focus = QApplication::focusWidget();
        return focus == combo_ || focus == combo_->lineEdit();
    }

    QComboBox* combo_;
    std::function<void()>& handler_;
};

}  // namespace

CComboBox::CComboBox(QWidget* parent) : combo_(new QComboBox(parent)) {
    combo_->setEditable(true);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    combo_->setCompleter(nullptr);
    combo_->setDuplicatesEnabled(true);
    auto* watcher = new FocusWatcher(combo_, killFocus_);
    combo_->installEventFilter(watcher);
    combo_->lineEdit()->installEventFilter(watcher);
}

std::string CComboBox::GetWindowText() const { return FromQString(combo_->currentText()); }

void CComboBox::SetWindowText(std::string_view text) { combo_->setEditText(ToQString(text)); }

int CComboBox::GetCount() const { return combo_->count(); }

std::string CComboBox::GetLBText(int index) const {
    if (index < 0 || index >= GetCount()) return {};
    return FromQString(combo_->itemText(index));
}

int CComboBox::FindStringExact(int start, std::string_view text) const {
    const int count = GetCount();
    if (count == 0) return CB_ERR;
    const std::string wanted = AsciiLowercased(text);
    const int first = (start < 0 || start >= count) ? 0 : start + 1;
    for (int i = 0; i < count; ++i) {
        const int index = (first + i) % count;
        if (AsciiLowercased(GetLBText(index)) == wanted) return index;
    }
    return CB_ERR;
}

int CComboBox::InsertString(int index, std::string_view text) {
    if (index > GetCount()) return CB_ERR;
    if (index < 0) index = GetCount();
    const QString editText = combo_->currentText();
    combo_->insertItem(index, ToQString(text));
    combo_->setEditText(editText);
    FitPopupToEntries();
    return index;
}

// The drop-down list shows every entry whole: as wide as the longest one,
// never cut in the middle.
void CComboBox::FitPopupToEntries() {
    QAbstractItemView* view = combo_->view();
    view->setTextElideMode(Qt::ElideNone);
    const QFontMetrics metrics(view->font());
    int widest = 0;
    for (int i = 0; i < combo_->count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(combo_->itemText(i)));
    const int scrollBar = view->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    view->setMinimumWidth(widest + scrollBar +
                          4 * view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 16);
}

int CComboBox::DeleteString(int index) {
    if (index < 0 || index >= GetCount()) return CB_ERR;
    const QString editText = combo_->currentText();
    combo_->removeItem(index);
    combo_->setEditText(editText);
    return GetCount();
}

void CComboBox::ResetContent() {
    combo_->clear();
    combo_->setEditText({});
}

int CComboBox::SetCurSel(int index) {
    if (index < 0 || index >= GetCount()) {
        combo_->setCurrentIndex(-1);
        combo_->setEditText({});
        return CB_ERR;
    }
    combo_->setCurrentIndex(index);
    combo_->setEditText(combo_->itemText(index));
    return index;
}

int CComboBox::GetCurSel() const { return combo_->currentIndex(); }

void CComboBox::OnKillFocus(std::function<void()> handler) { killFocus_ = std::move(handler); }

void CComboBox::OnSelChange(std::function<void()> handler) {
    QObject::connect(combo_, &QComboBox::activated, combo_,
                     [handler = std::move(handler)](int) { handler(); });
}
