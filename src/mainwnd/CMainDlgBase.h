#pragma once

#include "framework/CDialog.h"
#include "shared/MainSettings.h"

class Settings;

#include <string>

// Base of the main window: its size, its top-most state and its remembered place,
// and the settings of the main window that others read.
class CMainDlgBase : public CDialog {
public:
    // The switches are read from and written to registry; both must outlive
    // the window.
    CMainDlgBase(UINT templateId, Settings& registry, MainSettings& switches, CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    // Saves the position before the window goes.
    BOOL DestroyWindow() override;

    int m_width = -1;
    int m_height = -1;
    // Makes the window top-most or not, as the settings say, and writes "TopMost"
    // at once.
    void ApplyTopMost();
    // The sound and internet switches.
    void LoadSettings();
    void SaveSettings();

    MainSettings& m_settings;
    Settings& m_registry;
};
