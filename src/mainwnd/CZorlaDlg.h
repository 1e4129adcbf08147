#pragma once

#include "app/AppTranslator.h"
#include "mainwnd/CQuokkaDlg.h"

#include <string>

// The main window: a borderless window on dialog template 102. It is the program:
// when its modal run ends, the program ends.
class CZorlaDlg : public CQuokkaDlg, public CAppTranslator {
public:
    explicit CZorlaDlg(CWnd* parent = nullptr);
    ~CZorlaDlg() override;

    // The one main window object of the process, or null.
    static CZorlaDlg* Instance();

    std::string m_selectedCity;
    BYTE m_playSounds = 0;
    BYTE m_noInternet = 1;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL DestroyWindow() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Enter and Escape belong to the focused control; they never close the window.
    void OnOK() override {}
    void OnCancel() override {}

private:
    void LoadSettings();
    void SaveSettings();
    void AddAboutToSystemMenu();

    LRESULT OnPaint();
    LRESULT OnQueryEndSession(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy();
    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnRButtonDown(LPARAM lParam);
    void ShowCommandMenu(POINT screenPoint);

    HICON m_icon = nullptr;
};
