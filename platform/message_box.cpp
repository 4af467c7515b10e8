#include "platform/message_box.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

#include "platform/qt_text.h"

namespace {

MessageBoxHook& Hook() {
    static MessageBoxHook hook;
    return hook;
}

QMessageBox::Icon IconOf(unsigned icon) {
    switch (icon) {
        case MB_ICONERROR:
            return QMessageBox::Critical;
        case MB_ICONQUESTION:
            return QMessageBox::Question;
        case MB_ICONWARNING:
            return QMessageBox::Warning;
        case MB_ICONINFORMATION:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

// A message box is at least as wide as its caption needs in the title bar
// (with the window manager's icon and buttons), so the caption is never cut.
void KeepCaptionWhole(QMessageBox& box, const std::string& caption) {
    QFont title = QApplication::font();
    title.setBold(true);
    const int needed = QFontMetrics(title).horizontalAdvance(ToQString(caption)) + 160;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(needed, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
}

}  // namespace

void SetMessageBoxHook(MessageBoxHook hook) { Hook() = std::move(hook); }

int MessageBox(QWidget* parent, const std::string& text, const std::string& caption,
               unsigned type) {
    const MessageBoxRequest request{text, caption, type};
    if (Hook()) {
        const int answer = Hook()(request);
        if (answer != kShowMessageBox) return answer;
    }
    QMessageBox box(IconOf(request.Icon()), ToQString(caption), ToQString(text),
                    QMessageBox::NoButton, parent);
    if (request.Buttons() == MB_YESNO) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    KeepCaptionWhole(box, caption);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return IDYES;
        case QMessageBox::No:
            return IDNO;
        case QMessageBox::Ok:
            return IDOK;
        default:
            return request.Buttons() == MB_YESNO ? IDNO : IDCANCEL;
    }
}
