#pragma once

#include "app/AppTranslator.h"
#include "entries/CEntry.h"
#include "mainwnd/CQuokkaDlg.h"
#include "mainwnd/ZorlaBMPHandler.h"
#include "weather/CHttpDownloader.h"
#include "weather/CLaunchReport.h"
#include "widgets/CTransparentEdit.h"

#include <map>
#include <string>

// The main window: a borderless picture on dialog template 102 with four views.
// It is the program: when its modal run ends, the program ends.
class CZorlaDlg : public CQuokkaDlg, public CAppTranslator, public HotSpotActions {
public:
    // Commands that carry a pointer in lParam: an entry (open, due) or a key (forget).
    enum NoteCommand : UINT {
        CmdOpenNote = 143,
        CmdForgetNote = 140,
        CmdForgetTimer = 145,
        CmdReminderDue = 147,
    };
    enum Timer : UINT_PTR {
        TimerBlink = 10,
        TimerStatus = 11,
        TimerWeather = 12,
        TimerDueCheck = 13,
        TimerLaunchReport = 18,
        TimerWeatherDisplay = 20,
    };

    explicit CZorlaDlg(CWnd* parent = nullptr);
    ~CZorlaDlg() override;

    // The one main window object of the process, or null.
    static CZorlaDlg* Instance();

    ZorlaBMPHandler& Handler() { return m_handler; }
    bool IsNoteRegistered(const std::string& key) const { return m_noteWindows.count(key) != 0; }
    size_t RegisteredNotes() const { return m_noteWindows.size(); }

    void GoHome();
    void GoWeather();
    void OpenEditor(int view);
    void ShowWeatherText(const std::string& text, HDC dc = nullptr);
    // Rebuilds the city list from the weather document and shows the chosen
    // city's weather.
    void RefreshCityList();

    void OnHotSpot(int id) override;

    // Milliseconds until the next blink step. A step that has just opened the eyes
    // (the handler's new phase is true) waits 3 to 8 s, one that closed them 0.5
    // to 1.3 s.
    static UINT BlinkDelay(bool eyesOpened);
    // Closes the note windows and saves every store before the window goes.
    BOOL DestroyWindow() override;

    std::string m_selectedCity;
    BYTE m_playSounds = 0;
    BYTE m_noInternet = 1;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* message) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Enter and Escape belong to the focused control; they never close the window.
    void OnOK() override {}
    void OnCancel() override {}

private:
    void PlaceControls();
    void LoadSettings();
    void SaveSettings();
    void AddAboutToSystemMenu();
    void OpenStoredNotes();
    void SetView(int view);

    LRESULT OnPaint();
    LRESULT OnTimer(UINT_PTR id);
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnQueryEndSession(WPARAM wParam, LPARAM lParam);
    LRESULT OnEndSession(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy();
    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnRButtonDown(LPARAM lParam);
    LRESULT OnCtlColorStatic(WPARAM wParam, LPARAM lParam);
    void OnCitySelChange();
    bool OnNoteCommand(UINT id, LPARAM lParam);
    void CheckDueReminders();
    void ShowCommandMenu(POINT screenPoint);

    // The launch report's client; the send-to-friend mail will use it too.
    CHttpDownloader m_httpClient;
    CLaunchReport m_launchReport;
    ZorlaBMPHandler m_handler;
    CTransparentEdit m_editor;
    // Open note windows by key; the windows themselves come with the note windows.
    std::map<std::string, CEntry> m_noteWindows;
    HICON m_icon = nullptr;
};
