#include "platform/app.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>

#include "platform/dialog.h"
#include "platform/wait_cursor.h"

CWinApp::CWinApp() {
    QApplication::instance()->installEventFilter(&filter_);
    // Long operations of the core show the wait cursor.
    SetBusyIndicator([](bool busy) {
        if (busy) {
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        } else {
            QGuiApplication::restoreOverrideCursor();
        }
    });
}

CWinApp::~CWinApp() {
    SetBusyIndicator({});
    if (QApplication::instance() != nullptr) QApplication::instance()->removeEventFilter(&filter_);
}

int CWinApp::Run() {
    InitInstance();
    return 0;
}

bool CWinApp::ProcessMessageFilter(QEvent* event) {
    if (event->type() != QEvent::KeyPress || m_pMainWnd == nullptr || accelerators_.empty())
        return false;
    return TranslateAccelerator(m_pMainWnd, static_cast<const QKeyEvent&>(*event));
}

bool CWinApp::TranslateAccelerator(CDialog* window, const QKeyEvent& key) const {
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    const QKeyCombination pressed(modifiers, static_cast<Qt::Key>(key.key()));
    for (const Accelerator& accelerator : accelerators_) {
        if (accelerator.key == pressed) {
            window->OnCommand(accelerator.command);
            return true;
        }
    }
    return false;
}

bool CWinApp::Filter::eventFilter(QObject* watched, QEvent* event) {
    // Key events reach a window first and its focus widget next; the first
    // sight is the one that counts.
    if (event->type() == QEvent::KeyPress && app_.ProcessMessageFilter(event)) return true;
    return QObject::eventFilter(watched, event);
}
