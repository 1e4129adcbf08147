#pragma once

#include "mail/CSendToFriend.h"
#include "mainwnd/CMainDlgBase.h"
#include "mainwnd/CSystemTray.h"
#include "mainwnd/DeskNotes.h"
#include "mainwnd/FindNoteWindow.h"
#include "mainwnd/GlobalKeys.h"
#include "mainwnd/HotSpotAccess.h"
#include "mainwnd/MainAccessible.h"
#include "mainwnd/MainKeyboard.h"
#include "mainwnd/MainViews.h"
#include "mainwnd/PictureFace.h"
#include "net/CHttpDownloader.h"
#include "net/CLaunchReport.h"
#include "model/ZorlaModel.h"
#include "shared/AppTranslator.h"
#include "shared/PrivateMessages.h"
#include "sound/SoundBoard.h"
#include "mainwnd/SyncWatch.h"
#include "mainwnd/WindowHttpFetch.h"
#include "mainwnd/WindowIcons.h"
#include "model/ModelListener.h"
#include "shared/AppContext.h"
#include "widgets/CPopupMenu.h"

#include <functional>
#include <string>

// The main window: a borderless picture on dialog template 102 with four views.
// It is the program: when its modal run ends, the program ends.
class CZorlaDlg : public CMainDlgBase, public CAppTranslator, public HotSpotActions, private ModelListener {
public:
    static constexpr UINT kTrayIconId = 100;

    // Builds nothing the first paint does not need: of the pictures only the
    // home view's; the stores are loaded after the first paint. The context's
    // parts must outlive the window.
    explicit CZorlaDlg(const AppContext& context, CWnd* parent = nullptr);
    ~CZorlaDlg() override;

    // Runs at once whatever of the start-up after the first paint has not run
    // yet: the other views' controls, pictures and stores, the stored notes and
    // the timers. The first paint starts these steps one message at a time;
    // tests may call this instead.
    void CompleteStart();
    // Run first after the first paint, before anything else of the start-up:
    // what the program needs up for its run but the first paint does not.
    void SetAfterFirstPaint(std::function<void()> step) { m_afterFirstPaint = std::move(step); }
    // The stores are loaded, the stored notes opening and the timers running.
    bool IsStarted() const { return m_started; }
    // Stored notes are still opening, a slice per message.
    bool NotesOpening() const { return m_deskNotes.IsOpening(); }

    PictureFace& Handler() { return m_handler; }
    ZorlaModel& Model() { return m_model; }
    const NoteWindowRegistry& NoteWindows() const { return m_deskNotes.Windows(); }
    MainSettings& Settings() { return m_settings; }
    SoundBoard& Sounds() { return m_sounds; }
    const CPopupMenu& CommandMenu() const { return m_commandMenu; }
    const CSystemTray& Tray() const { return m_tray; }
    const CSendToFriend& Mail() const { return m_mail; }
    const MainKeyboard& Keyboard() const { return m_keyboard; }

    void GoHome() { m_views.GoHome(); }
    void GoWeather() { m_views.GoWeather(); }
    void OpenEditor(int view) { m_views.OpenEditor(view); }
    void ShowWeatherText(const std::string& text, HDC dc = nullptr) { m_views.ShowWeatherText(text, dc); }
    void RefreshCityList() { m_views.RefreshCityList(); }

    // Where "Keep notes in a folder..." asks for the folder (the system's picker
    // unless a test gives another); empty: the user cancelled.
    void SetFolderPicker(std::function<std::string()> picker) { m_folderPicker = std::move(picker); }
    // Looks at the synced folder now: what other computers wrote is merged in.
    void CheckSyncFolder();

    // Runs a command of the command table; false for an id it does not know.
    bool RunCommand(UINT id);
    void OnHotSpot(int id) override;

    // The status line of the weather view; a transient text goes after a few seconds.
    void ShowStatus(const std::string& text, bool transient);

    // Milliseconds until the next blink step. A step that has just opened the eyes
    // (the handler's new phase is true) waits 3 to 8 s, one that closed them 0.5
    // to 1.3 s.
    static UINT BlinkDelay(bool eyesOpened);
    // Closes the note windows and saves every store before the window goes.
    BOOL DestroyWindow() override;

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
    void RunStartStep(int step);
    // The start-up's steps without waiting for the stored notes to open.
    void RunRemainingStartSteps();

    void RestoreFromTray();
    void OnRestoreDeleted();
    void OnKeepInFolder();
    void OnKeepLocally();
    // An empty note at the mouse, in front and ready for typing.
    void OnNewNote();
    // Every note in front of all windows, or back to rest when they are.
    void OnShowAllNotes();
    void RegisterGlobalKeys();
    LRESULT OnKeysRefused();
    // Watches the model's synced folder, or nothing when there is none.
    void WatchSyncFolder();

    LRESULT OnPaint();
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
    // High contrast turned on or off: every text is drawn again in its colours.
    void RedrawAll();
    LRESULT OnTimer(UINT_PTR id);
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnQueryEndSession(WPARAM wParam, LPARAM lParam);
    LRESULT OnEndSession(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy();
    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonDblClk(WPARAM wParam, LPARAM lParam);
    LRESULT OnRButtonDown(LPARAM lParam);
    LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnWeatherDone(WPARAM wParam, LPARAM lParam);
    LRESULT OnNotify(WPARAM wParam, LPARAM lParam);
    void CheckWeather(bool force);
    LRESULT OnPowerBroadcast(WPARAM wParam, LPARAM lParam);
    LRESULT OnTimeChange();
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    void ShowCommandMenu(POINT screenPoint);
    // What the model tells of the weather.
    void OnWeatherStatus(WeatherService::Status status, const std::string& detail) override;
    void OnWeatherChanged() override;
    // The notes changed: an open find window follows them.
    void OnEntryAdded(const CEntry&) override { RefreshFind(); }
    void OnEntryChanged(const CEntry&) override { RefreshFind(); }
    void OnEntryRemoved(const CEntry&) override { RefreshFind(); }
    void RefreshFind();
    void OpenFind();
    std::vector<CEntry> FindableEntries();

    SoundBoard m_sounds;
    // The client of the launch report and of the mail's pass-along notices.
    CHttpDownloader m_httpClient;
    CLaunchReport m_launchReport;
    CSendToFriend m_mail;
    // The weather's downloads, handed back to this window's thread.
    WindowHttpFetch m_weatherFetch;
    ZorlaModel m_model;
    PictureFace m_handler;
    MainViews m_views;
    MainKeyboard m_keyboard;
    HotSpotAccess m_access;
    // Made at a screen reader's first question; it may outlive the window.
    ComPtr<MainAccessible> m_accessible;
    CPopupMenu m_commandMenu;
    CSystemTray m_tray;
    DeskNotes m_deskNotes;
    HICON m_icon = nullptr;
    WindowIcons m_windowIcons;
    static const int kStartSteps = 5;
    bool m_startPosted = false;
    int m_nextStartStep = 0;
    bool m_started = false;
    std::function<void()> m_afterFirstPaint;
    std::function<std::string()> m_folderPicker;
    SyncWatch m_syncWatch;
    GlobalKeys m_globalKeys;
    FindNoteWindow m_findNote;
    std::vector<GlobalKeys::Refusal> m_refusedKeys;
    bool m_destroying = false;
};
