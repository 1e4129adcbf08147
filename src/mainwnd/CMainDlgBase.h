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

    // Saves the position before the window goes, once: a box about a failed
    // save runs a message loop, in which the session's end may arrive and ask
    // for the destruction again.
    BOOL DestroyWindow() override;

protected:
    BOOL OnInitDialog() override;
    // The session's end ends the run; the window keeps what it must first.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // What the window keeps before it goes (DestroyWindow).
    virtual void BeforeDestroy() {}
    bool IsDestroying() const { return m_destroying; }
    // A minimised window's client area: the icon in its middle.
    void PaintIcon(HDC dc, HICON icon) const;

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

private:
    bool m_destroying = false;
};
