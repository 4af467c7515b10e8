#include "platform/message_box.h"

#include <QMessageBox>

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

}  // namespace

void SetMessageBoxHook(MessageBoxHook hook) { Hook() = std::move(hook); }

int MessageBox(QWidget* parent, const std::string& text, const std::string& caption,
               unsigned type) {
    const MessageBoxRequest request{text, caption, type};
    if (Hook()) {
        const int answer = Hook()(request);
        if (answer != kShowMessageBox) return answer;
    }
    QMessageBox box(IconOf(request.Icon()), ToQString(caption),
                    ToQString(text), QMessageBox::NoButton, parent);
    if (request.Buttons() == MB_YESNO) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
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
