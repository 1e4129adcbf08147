#pragma once

#include "mainwnd/MainView.h"
#include "widgets/PopupMenuItem.h"

#include <string>
#include <vector>

class CPopupMenu;

// What the command menu shows depends on: the view and the three switches.
struct CommandMenuState {
    MainView view = MainView::Home;
    bool noInternet = false;
    bool playSounds = false;
    bool topMost = false;
    bool autostart = false;  // the start-up shortcut exists
    bool windowVisible = true;  // false while the window is in the tray
    bool canRestore = false;    // a deleted note or reminder can be brought back
    bool syncFolder = false;    // the notes are kept in a synced folder too
    // The keys that run the notes' rows from anywhere, shown beside them;
    // empty where a row has none.
    std::string newNoteKey;
    std::string showAllKey;
    std::string findKey;
};

// The command menu's rows, in order, translated into the interface language:
// the middle group follows the view, the check images follow the switches.
std::vector<PopupMenuItem> CommandMenuItems(const CommandMenuState& state);
// Appends "About Zorla..." to the window's system menu.
void AddAboutToSystemMenu(HWND window);
// Builds the menu anew in the program's colours and font with those rows.
void FillCommandMenu(CPopupMenu& menu, const CommandMenuState& state);
