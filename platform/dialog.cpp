#include "platform/dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPushButton>

#include "platform/message_box.h"

CDialog::CDialog(QWidget* parent) : QDialog(parent) {}

int CDialog::DoModal() {
    if (!initialized_) {
        initialized_ = true;
        OnInitDialog();
    }
    return exec();
}

void CDialog::OnOK() { EndDialog(IDOK); }

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

bool CDialog::OnCommand(int id) {
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

void CDialog::EndDialog(int result) { done(result); }

void CDialog::keyPressEvent(QKeyEvent* event) {
    const bool plain = event->modifiers() == Qt::NoModifier ||
                       (event->modifiers() == Qt::KeypadModifier && event->key() == Qt::Key_Enter);
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        if (auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
            button != nullptr && isAncestorOf(button)) {
            button->click();
        } else {
            OnCommand(IDOK);
        }
        return;
    }
    if (plain && event->key() == Qt::Key_Escape) {
        OnCommand(IDCANCEL);
        return;
    }
    QDialog::keyPressEvent(event);
}

void CDialog::closeEvent(QCloseEvent* event) {
    // The close box asks; OnCancel decides whether and how the dialog ends.
    event->ignore();
    if (isVisible()) OnCommand(IDCANCEL);
}

void CDialog::reject() { OnCommand(IDCANCEL); }

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int alphabet =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    baseWidth_ = (alphabet / 26 + 1) / 2;
    baseHeight_ = metrics.height();
}

QRect DialogUnits::Rect(int x, int y, int width, int height) const {
    return QRect(X(x), Y(y), X(width), Y(height));
}
