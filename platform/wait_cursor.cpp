#include "platform/wait_cursor.h"

#include <QCursor>
#include <QGuiApplication>

CWaitCursor::CWaitCursor() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return;
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    shown_ = true;
}

CWaitCursor::~CWaitCursor() {
    if (shown_) QGuiApplication::restoreOverrideCursor();
}
