// The application: runs the main window modally, with the accelerator keys
// acting across all of the application's windows.
#pragma once

#include "platform/app.h"

class CRenamerApp : public CWinApp {
public:
    bool InitInstance() override;
};
