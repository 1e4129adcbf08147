// The real Zorla.exe driven with mouse and keyboard messages from outside.
#include "resource.h"
#include "shared/PrivateMessages.h"
#include "support/TestRegistry.h"
#include "support/Text1252.h"
#include "support/RunningZorla.h"
#include "support/ZorlaCopy.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

// Sent, not posted: the call returns once the window has handled the message
// (a sent message would overtake posted ones, so waiting after a post proves nothing).
void Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_BLOCK, 5000, &ignored);
}

void Click(HWND window, int x, int y)
{
    Send(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    Send(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// GetWindowTextLength of another process's window reads its caption, not an
// edit's text: ask the control itself.
int TextLength(HWND control)
{
    DWORD_PTR length = 0;
    SendMessageTimeoutA(control, WM_GETTEXTLENGTH, 0, 0, SMTO_BLOCK, 5000, &length);
    return static_cast<int>(length);
}

// Keys go through the program's own message loop, as typed keys do; true once
// the control holds expected characters.
bool Type(HWND control, const std::string& text, int expected)
{
    for (unsigned char c : text)
        PostMessageA(control, WM_CHAR, c, 1);
    return WaitUntil([&] { return TextLength(control) == expected; }, 5000);
}

bool Shown(HWND window, int id)
{
    return (GetWindowLongPtrA(GetDlgItem(window, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Points on the pictures: the three items of the menu card and the figure.
const POINT kNotesItem{236, 160};
const POINT kTimerItem{230, 228};
const POINT kWeatherItem{270, 300};
const POINT kFigure{60, 250};

}  // namespace

TEST(Views, CardItemsOpenTheirViewsAndTheFigureGoesHome)
{
    ZorlaCopy copy("ZorlaViews");
    RunningZorla zorla(copy);
    HWND main = zorla.Main();
    ASSERT_NE(main, nullptr);

    Click(main, kWeatherItem.x, kWeatherItem.y);
    EXPECT_TRUE(Shown(main, IDC_CITY_LIST));
    Click(main, kFigure.x, kFigure.y);
    EXPECT_FALSE(Shown(main, IDC_CITY_LIST));
    Click(main, kTimerItem.x, kTimerItem.y);
    EXPECT_TRUE(Shown(main, IDC_TIME_PICKER));
    EXPECT_TRUE(Shown(main, IDC_EDITOR_TEXT));

    // The timer editor takes 50 characters at most.
    HWND editor = GetDlgItem(main, IDC_EDITOR_TEXT);
    EXPECT_TRUE(Type(editor, std::string(60, 'a'), 50));
    EXPECT_TRUE(Type(editor, "b", 50));
    EXPECT_TRUE(zorla.Exit());
}

// The typed note is filed, shows as a window of its own on the desktop, is
// moved there, and the file keeps both its text and its new place.
TEST(Views, TypedNoteAppearsOnTheDesktopAndKeepsThePlaceItWasMovedTo)
{
    ZorlaCopy copy("ZorlaTyped");
    RunningZorla zorla(copy);
    HWND main = zorla.Main();
    ASSERT_NE(main, nullptr);
    Click(main, kNotesItem.x, kNotesItem.y);
    HWND editor = GetDlgItem(main, IDC_EDITOR_TEXT);
    EXPECT_TRUE(Type(editor, Cp1252("Grüße"), 5));
    // Enter, posted as a key goes through the main window's message loop, makes a
    // new line in the editor and never closes the window.
    PostMessageA(editor, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(editor, WM_KEYUP, VK_RETURN, 1);
    EXPECT_TRUE(WaitUntil([&] { return TextLength(editor) == 7; }, 5000));
    EXPECT_TRUE(Type(editor, "Anna", 11));
    Click(main, kFigure.x, kFigure.y);

    HWND note = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (note = FindWindowA("#32770", "Zorla 1.0NID:1")) != nullptr; }, 5000));
    EXPECT_TRUE(IsWindowVisible(note));
    char text[64] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(GetDlgItem(note, IDC_NOTE_TEXT), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_BLOCK, 5000, &ignored);
    EXPECT_EQ(Cp1252("Grüße\r\nAnna"), text);

    // Moved as a drag on its picture would.
    SetWindowPos(note, nullptr, 321, 123, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(zorla.Exit());
    const std::string file = FileText(copy.Folder().File("Zorla_Notes"));
    EXPECT_NE(file.find(Cp1252("text=\"Grüße_BR_Anna\" wndX=\"321\" wndY=\"123\"")), std::string::npos) << file;
}

TEST(Views, PlaySoundsChosenFromTheMenuWithTheKeyboardIsWrittenAtExit)
{
    ZorlaCopy copy("ZorlaMenuKeys");
    RunningZorla zorla(copy);
    HWND main = zorla.Main();
    ASSERT_NE(main, nullptr);
    Send(main, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(kFigure.x, kFigure.y));
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (menu = FindWindowA("vlsMenuClass", nullptr)) != nullptr; }, 5000));
    PostMessageA(menu, WM_CHAR, 'p', 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(menu); }, 5000));
    // The command is posted once the menu is gone: let the program take it.
    Send(main, WM_NULL, 0, 0);
    EXPECT_TRUE(zorla.Exit());
    DWORD sound = 0;
    TestRegistry::ReadDword(copy.Name(), "CZorlaDlg", "bSound", sound);
    EXPECT_EQ(sound, 1u);
}

// The close button sends the window to the tray, the icon's double click brings
// it back; the second start finds the first one running all the while.
TEST(Views, TheCloseButtonSendsTheWindowToTheTrayAndTheIconBringsItBack)
{
    ZorlaCopy copy("ZorlaTrayTrip");
    RunningZorla zorla(copy);
    HWND main = zorla.Main();
    ASSERT_NE(main, nullptr);
    RECT before{};
    GetWindowRect(main, &before);
    Click(main, 410, 270);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }, 5000));
    HWND owner = GetWindow(main, GW_OWNER);
    EXPECT_NE(owner, nullptr) << "owned while in the tray: no taskbar button";
    EXPECT_FALSE(IsWindowVisible(owner));

    // The icon's double click, as the shell reports it.
    Send(main, WM_TRAY_NOTIFY, 100, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 5000));
    EXPECT_EQ(GetWindow(main, GW_OWNER), nullptr);
    RECT after{};
    GetWindowRect(main, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_TRUE(zorla.Exit());
}
