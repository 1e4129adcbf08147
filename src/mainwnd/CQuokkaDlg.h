#pragma once

#include "framework/CDialog.h"

// Base of the main window: its size, its top-most state and its remembered place.
class CQuokkaDlg : public CDialog {
public:
    explicit CQuokkaDlg(UINT templateId, CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    // Saves the position before the window goes.
    BOOL DestroyWindow() override;

    int m_width = -1;
    int m_height = -1;
    BYTE m_topMost = 1;
};
