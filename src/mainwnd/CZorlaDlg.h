#pragma once

#include "mainwnd/CMainDlgBase.h"
#include "mainwnd/CSystemTray.h"
#include "mainwnd/HotSpotAccess.h"
#include "mainwnd/PictureTextAccess.h"
#include "mainwnd/MainCommands.h"
#include "mainwnd/MainAccessible.h"
#include "mainwnd/MainKeyboard.h"
#include "mainwnd/MainViews.h"
#include "mainwnd/MainWindowServices.h"
#include "mainwnd/PictureFace.h"
#include "mainwnd/StartSteps.h"
#include "mainwnd/ViewState.h"
#include "image/WindowIcons.h"
#include "model/ModelListener.h"
#include "model/ZorlaModel.h"
#include "shared/AppTranslator.h"
#include "widgets/CPopupMenu.h"

#include <functional>
#include <string>

// The main window: a borderless picture on dialog template 102 with four views.
// When its modal run ends, the program ends. It shows, asks the program's
// services (MainWindowServices) and listens to their model; the services live
// and run apart from it.
class CZorlaDlg : public CMainDlgBase, public CAppTranslator, private ModelListener {
public:
    static constexpr UINT kTrayIconId = 100;

    // Builds nothing the first paint does not need: of the pictures only the
    // home view's; the stores are loaded after the first paint. The services
    // must outlive the window.
    explicit CZorlaDlg(MainWindowServices& services, CWnd* parent = nullptr);
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

    PictureFace& Face() { return m_face; }
    MainSettings& Switches() { return m_settings; }
    const CPopupMenu& CommandMenu() const { return m_commands.Menu(); }
    const CSystemTray& Tray() const { return m_tray; }
    const MainKeyboard& Keyboard() const { return m_keyboard; }

    void GoHome() { m_views.GoHome(); }
    void GoWeather() { m_views.GoWeather(); }
    void OpenEditor(MainView view) { m_views.OpenEditor(view); }
    void ShowWeatherText(const std::string& text, HDC dc = nullptr) { m_views.ShowWeatherText(text, dc); }
    void RefreshCityList() { m_views.RefreshCityList(); }

    // Runs a command of the command table; false for an id it does not know.
    bool RunCommand(UINT id);
    // What a click on hot spot id does.
    void OnHotSpot(int id);

    // The status line of the weather view; a transient text goes after a few seconds.
    void ShowStatus(const std::string& text, bool transient);

    // Milliseconds until the next blink step. A step that has just opened the eyes
    // (the handler's new phase is true) waits 3 to 8 s, one that closed them 0.5
    // to 1.3 s.
    static UINT BlinkDelay(bool eyesOpened);

protected:
    // Files the open editor's note, keeps the draft, and lets the services
    // close the note windows and write every store.
    void BeforeDestroy() override;
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* message) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Enter and Escape belong to the focused control; they never close the window.
    void OnOK() override {}
    void OnCancel() override {}

private:
    // The steps of the start-up after the first paint, in their order.
    std::vector<StartSteps::Step> StartUp();

    LRESULT OnPaint();
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
    // High contrast turned on or off: every text is drawn again in its colours.
    void RedrawAll();
    LRESULT OnTimer(UINT_PTR id);
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy();
    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonDblClk(WPARAM wParam, LPARAM lParam);
    LRESULT OnRButtonDown(LPARAM lParam);
    LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    // What the model tells of the weather.
    void OnWeatherStatus(WeatherService::Status status, const std::string& detail) override;
    void OnWeatherChanged() override;
    void OnWeatherReport(const WeatherReport& report) override;

    MainWindowServices& m_services;
    ZorlaModel& m_model;
    ViewState m_viewState;
    PictureFace m_face;
    MainViews m_views;
    MainKeyboard m_keyboard;
    HotSpotAccess m_access;
    PictureTextAccess m_texts;
    // Made at a screen reader's first question; it may outlive the window.
    ComPtr<MainAccessible> m_accessible;
    CSystemTray m_tray;
    MainCommands m_commands;
    StartSteps m_startSteps;
    HICON m_icon = nullptr;
    WindowIcons m_windowIcons;
    bool m_started = false;
    std::function<void()> m_afterFirstPaint;
};
