#include "ui/renamer_app.h"

#include "ui/main_dlg.h"
#include "ui/resources.h"

bool CRenamerApp::InitInstance() {
    LoadAccelerators(MainAccelerators());
    CMainDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return false;
}
