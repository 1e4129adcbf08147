#include "mainwnd/MainCommands.h"

#include "framework/CDialog.h"
#include "mainwnd/CSystemTray.h"
#include "mainwnd/CommandMenu.h"
#include "mainwnd/MainViews.h"
#include "mainwnd/MainWindowServices.h"
#include "mainwnd/TrayWindow.h"
#include "mainwnd/ViewState.h"
#include "model/ZorlaModel.h"
#include "resource.h"
#include "shared/CAutostart.h"
#include "shared/MainSettings.h"
#include "widgets/CAboutDlg.h"

MainCommands::MainCommands(Parts parts)
    : m_parts(std::move(parts))
{}

void MainCommands::RestoreFromTray()
{
    ::RestoreFromTray(m_parts.tray, m_parts.window.m_hWnd);
}

// The view commands bring the window back from the tray first: they are
// chosen to be seen. Every switch is written at once, so the options window
// and a killed program find it as it was set. The autostart's check mark is whether the
// shortcut exists, so a failure shows there.
bool MainCommands::Run(UINT id)
{
    struct Command {
        UINT id;
        void (*run)(MainCommands& commands, Parts& parts);
    };
    // clang-format off
    static const Command kCommands[] = {
        {ID_APP_EXIT,             [](MainCommands&, Parts& p) { p.window.EndDialog(IDCANCEL); }},
        {ID_SHOW_HOME,            [](MainCommands& c, Parts& p) { c.RestoreFromTray(); p.viewControls.GoHome(); }},
        {ID_SHOW_WEATHER,         [](MainCommands& c, Parts& p) { c.RestoreFromTray(); p.viewControls.GoWeather(); }},
        {ID_SHOW_NOTE_EDITOR,     [](MainCommands& c, Parts& p) {
            c.RestoreFromTray(); p.viewControls.OpenEditor(MainView::Notes); }},
        {ID_SHOW_REMINDER_EDITOR, [](MainCommands& c, Parts& p) {
            c.RestoreFromTray(); p.viewControls.OpenEditor(MainView::Reminder); }},
        {ID_PLAY_SOUNDS,          [](MainCommands&, Parts& p) {
            p.switches.playSounds = !p.switches.playSounds; p.saveSwitches(); }},
        {ID_NO_INTERNET,          [](MainCommands&, Parts& p) {
            p.switches.noInternet = !p.switches.noInternet; p.saveSwitches(); }},
        {ID_TOP_MOST,             [](MainCommands&, Parts& p) { p.switches.topMost = !p.switches.topMost; p.applyTopMost(); }},
        {ID_WEB_LINK,             [](MainCommands&, Parts& p) { p.viewControls.FollowWebLink(); }},
        {ID_ABOUT,                [](MainCommands&, Parts& p) { CAboutDlg(&p.window).DoModal(); }},
        {ID_AUTOSTART,            [](MainCommands&, Parts& p) { CAutostart(p.window.m_hWnd).ToggleAutostart(); }},
        {ID_TOGGLE_TRAY,          [](MainCommands&, Parts& p) { ToggleTray(p.tray, p.window.m_hWnd); }},
    };
    // clang-format on
    m_parts.finishStart();
    for (const Command& command : kCommands) {
        if (command.id == id) {
            command.run(*this, m_parts);
            return true;
        }
    }
    return m_parts.services.RunCommand(id);
}

void MainCommands::ShowMenu(POINT screenPoint)
{
    ::ReleaseCapture();
    HWND window = m_parts.window.m_hWnd;
    const ZorlaModel& model = m_parts.services.Model();
    CommandMenuState state;
    state.view = m_parts.views.Current();
    state.windowVisible = ::IsWindowVisible(window) != FALSE;
    state.noInternet = m_parts.switches.noInternet != 0;
    state.playSounds = m_parts.switches.playSounds != 0;
    state.topMost = m_parts.switches.topMost != 0;
    state.autostart = CAutostart(window).AutostartShortcutExists();
    state.canRestore = model.CanRestore();
    state.syncFolder = !model.SyncFolderPath().empty();
    state.newNoteKey = m_parts.services.ShownKey(ID_NEW_NOTE);
    state.showAllKey = m_parts.services.ShownKey(ID_SHOW_ALL_NOTES);
    state.findKey = m_parts.services.ShownKey(ID_FIND_NOTE);
    FillCommandMenu(m_menu, state);
    m_menu.Track(screenPoint, window);
}
