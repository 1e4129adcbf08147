#pragma once

#include "framework/CDialog.h"
#include "shared/MainSettings.h"

#include <string>

// Base of the main window: its size, its top-most state and its remembered place,
// and the settings of the main window that others read.
class CQuokkaDlg : public CDialog {
public:
    explicit CQuokkaDlg(UINT templateId, CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    // Saves the position before the window goes.
    BOOL DestroyWindow() override;

    int m_width = -1;
    int m_height = -1;
    // Makes the window top-most or not, as the settings say, and writes "TopMost"
    // at once.
    void ApplyTopMost();
    // The sound and internet switches, and the chosen city (city when none
    // was saved yet).
    std::string LoadSettings(const std::string& city);
    void SaveSettings(const std::string& city);

    MainSettings m_settings;
};
