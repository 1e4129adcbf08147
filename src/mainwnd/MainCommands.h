#pragma once

#include "widgets/CPopupMenu.h"

#include <windows.h>

#include <functional>

class CDialog;
class CSystemTray;
class MainViews;
class MainWindowServices;
class ViewState;
struct MainSettings;

// The main window's commands: the window's own table (views, switches, tray,
// About, exit), the program's commands handed to the services, and the command
// menu that offers them all.
class MainCommands {
public:
    struct Parts {
        CDialog& window;
        const ViewState& views;
        MainViews& viewControls;
        CSystemTray& tray;
        MainSettings& switches;
        MainWindowServices& services;
        // Makes the window top-most or not, as the switch says.
        std::function<void()> applyTopMost;
        // Runs what of the start-up has not run yet: a command given in the
        // first moments after the first paint finds the stores loaded.
        std::function<void()> finishStart;
        // Writes the switches, as the window's end does too.
        std::function<void()> saveSwitches;
    };
    explicit MainCommands(Parts parts);

    // Runs a command; false for an id that is no command.
    bool Run(UINT id);
    // Built anew at each showing: the middle group follows the view, the check
    // images the switches. The choice arrives later as a posted command.
    void ShowMenu(POINT screenPoint);
    const CPopupMenu& Menu() const { return m_menu; }

private:
    void RestoreFromTray();

    Parts m_parts;
    CPopupMenu m_menu;
};
