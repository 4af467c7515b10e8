// The application: runs the main window modally, with the accelerator keys
// acting across all of the application's windows.
#pragma once

#include <string>
#include <vector>

#include "platform/app.h"

class CRenamerApp : public CWinApp {
public:
    bool InitInstance() override;

    // Files and folders the window adds when it opens.
    std::vector<std::string> m_startPaths;
};
