#include "ui/renamer_app.h"

#include <QTimer>

#include "rename/job_recovery.h"
#include "rename/rename_command.h"
#include "ui/main_dlg.h"
#include "ui/resources.h"

bool CRenamerApp::InitInstance() {
    // Before anything else: a job that a crash cut short is finished or taken back.
    const RecoveryReport recovery = RecoverInterruptedJobs();
    LoadAccelerators(MainAccelerators());
    CMainDlg dialog;
    dialog.SetStartPaths(m_startPaths);
    m_pMainWnd = &dialog;
    // The window says what the recovery did once it is on screen.
    QTimer::singleShot(0, &dialog, [&] { ReportRecovery(&dialog, recovery); });
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return false;
}
