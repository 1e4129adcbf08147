#include "mainwnd/CommandMenu.h"

#include "framework/Utf8.h"
#include "mainwnd/PictureFace.h"
#include "resource.h"
#include "shared/AppFont.h"
#include "base/ProgramTitle.h"
#include "shared/Translator.h"
#include "widgets/CPopupMenu.h"
#include "widgets/ProgramMenuStyle.h"

#include <cstdio>

namespace {

// The highlight of most rows; 0 is the menu's own.
const COLORREF kBlue = RGB(49, 114, 165);
// Cells of the image strip.
const int kQuestion = 0;
const int kEnvelope = 1;
const int kCheck = 3;
const int kPower = 4;
const int kWeb = 2;
const int kCrossButton = 6;

PopupMenuItem Row(const char* english, UINT id, int image, COLORREF highlight)
{
    PopupMenuItem item;
    item.text = Translate(english);
    item.commandId = id;
    item.imageIndex = image;
    item.highlightColour = highlight;
    return item;
}

PopupMenuItem Separator()
{
    PopupMenuItem item;
    item.flags = MIF_SEPARATOR;
    return item;
}

// "%s on the web" and the like: translated first, then filled in.
// A row and, right-aligned after a tab, the key that runs it from anywhere.
PopupMenuItem WithKey(PopupMenuItem item, const std::string& key)
{
    if (!key.empty())
        item.text += "\t" + key;
    return item;
}

std::string WithTitle(const char* english)
{
    char text[256];
    std::snprintf(text, sizeof text, Translate(english).c_str(), ProgramTitle);
    return text;
}

}  // namespace

std::vector<PopupMenuItem> CommandMenuItems(const CommandMenuState& state)
{
    std::vector<PopupMenuItem> items;
    items.push_back(Row("E&xit", ID_APP_EXIT, kPower, kBlue));
    items.push_back(Row(state.windowVisible ? "&Minimize" : "&Maximize", ID_TOGGLE_TRAY, kCrossButton, kBlue));
    items.push_back(Separator());
    if (state.view == MainView::Home) {
        items.push_back(Row("&Notes", ID_SHOW_NOTE_EDITOR, -1, kBlue));
        items.push_back(Row("&Timer", ID_SHOW_REMINDER_EDITOR, -1, kBlue));
        items.push_back(Row("&German weather", ID_SHOW_WEATHER, -1, kBlue));
    } else {
        if (state.view == MainView::Weather)
            items.push_back(Row("&Update weather data", ID_UPDATE_WEATHER, -1, kBlue));
        items.push_back(Row("M&enu", ID_SHOW_HOME, -1, kBlue));
    }
    items.push_back(Separator());
    items.push_back(WithKey(Row("New note", ID_NEW_NOTE, -1, kBlue), state.newNoteKey));
    items.push_back(WithKey(Row("Show all notes", ID_SHOW_ALL_NOTES, -1, kBlue), state.showAllKey));
    items.push_back(WithKey(Row("Find a note...", ID_FIND_NOTE, -1, kBlue), state.findKey));
    items.push_back(Separator());
    PopupMenuItem web = Row("%s on the web", ID_WEB_LINK, kWeb, kBlue);
    web.text = WithTitle("%s on the web");
    items.push_back(web);
    items.push_back(Row("&Send me to a friend...", ID_SEND_TO_FRIEND, kEnvelope, kBlue));
    PopupMenuItem restore = Row("&Bring back a deleted note", ID_RESTORE_DELETED, -1, kBlue);
    if (!state.canRestore)
        restore.flags |= MIF_GRAYED;
    items.push_back(restore);
    items.push_back(Row("Keep notes in a &folder...", ID_KEEP_IN_FOLDER, state.syncFolder ? kCheck : -1, kBlue));
    items.push_back(Row("Keep notes on this computer &only", ID_KEEP_LOCALLY, state.syncFolder ? -1 : kCheck, kBlue));
    items.push_back(Separator());
    items.push_back(Row("&Do not connect to the internet", ID_NO_INTERNET, state.noInternet ? kCheck : -1, 0));
    items.push_back(Row("&Play sounds", ID_PLAY_SOUNDS, state.playSounds ? kCheck : -1, 0));
    items.push_back(Row("&Always on top", ID_TOP_MOST, state.topMost ? kCheck : -1, kBlue));
    items.push_back(Row("&Run on system start up", ID_AUTOSTART, state.autostart ? kCheck : -1, kBlue));
    items.push_back(Row("&Configure...", ID_CONFIGURE, -1, kBlue));
    items.push_back(Separator());
    PopupMenuItem about = Row("About %s...", ID_ABOUT, kQuestion, kBlue);
    about.text = WithTitle("About %s...");
    items.push_back(about);
    return items;
}

void FillCommandMenu(CPopupMenu& menu, const CommandMenuState& state)
{
    FillInProgramStyle(menu, CommandMenuItems(state));
}

void AddAboutToSystemMenu(HWND window)
{
    HMENU menu = ::GetSystemMenu(window, FALSE);
    if (!menu)
        return;
    char text[256];
    std::snprintf(text, sizeof text, Translate("About %s...").c_str(), ProgramTitle);
    if (text[0] == '\0')
        return;
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, IDM_SYSTEM_ABOUT, Widen(text).c_str());
}
