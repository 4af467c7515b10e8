// Opens the main window for a window test: initialised, shown and active, with
// the accelerator keys acting through the application object.
#pragma once

#include <QApplication>
#include <QTest>

#include "ui/main_dlg.h"
#include "ui/renamer_app.h"
#include "ui/resources.h"

// Returns whether the window became the active window.
inline bool OpenMainWindow(CRenamerApp& app, CMainDlg& dialog) {
    app.LoadAccelerators(MainAccelerators());
    app.m_pMainWnd = &dialog;
    dialog.OnInitDialog();
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    return QTest::qWaitForWindowActive(&dialog);
}
