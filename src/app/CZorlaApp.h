#pragma once

#include "shared/AppFont.h"
#include "app/InstanceGuard.h"
#include "framework/CWinApp.h"

// The application: registry location, single instance, the shared font, the launch
// counter. It runs the main window as a modal dialog inside InitInstance and then
// ends, so no message loop of its own ever runs.
class CZorlaApp : public CWinApp, public InstanceGuard {
public:
    CZorlaApp();
    ~CZorlaApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    AppFont m_font;

private:
    void ShowAlreadyRunning();
    void CountLaunch();
};
