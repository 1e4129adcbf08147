#pragma once

#include "app/InstanceGuard.h"
#include "framework/CWinApp.h"
#include "shared/ProgramUi.h"

// The application: registry location, single instance, the interface every
// window shares (ProgramUi: translations, font, high contrast), the launch
// counter. It runs the main window as a modal dialog inside InitInstance and
// then ends, so no message loop of its own ever runs.
class CZorlaApp : public CWinApp, public InstanceGuard {
public:
    CZorlaApp();
    ~CZorlaApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    void ShowAlreadyRunning();
    void CountLaunch();

    ProgramUi m_ui;
};
