// The tray icon and the main window's trips into the notification area and
// back. The shell's calls are watched on their way to Wine's own tray.
#include "MainWindowFixture.h"

#include "framework/Utf8.h"
#include "image/DisplayScale.h"
#include "mainwnd/CSystemTray.h"
#include "mainwnd/TrayWindow.h"
#include "shared/PrivateMessages.h"
#include "support/MessagePump.h"

#include <cstring>

namespace {

struct ShellCall {
    DWORD message;
    UINT id;
    UINT flags;
    HWND window;
    UINT callback;
    std::string tip;
    DWORD size;
    BOOL result;
    HICON icon;
};

// Every call that reaches the shell, with its answer; `failAdds` makes the
// adds fail as they do while there is no taskbar.
struct ShellWatch {
    static inline std::vector<ShellCall> calls;
    static inline bool failAdds = false;

    ShellWatch()
    {
        calls.clear();
        failAdds = false;
        previous = SetNotifyIconCall(&Record);
    }
    ~ShellWatch() { SetNotifyIconCall(previous); }

    static BOOL Record(DWORD message, NOTIFYICONDATAW* data)
    {
        const BOOL result = message == NIM_ADD && failAdds ? FALSE : Shell_NotifyIconW(message, data);
        calls.push_back(ShellCall{message, data->uID, data->uFlags, data->hWnd, data->uCallbackMessage,
                                  Narrow(data->szTip), data->cbSize, result, data->hIcon});
        return result;
    }
    static int Count(DWORD message)
    {
        int count = 0;
        for (const ShellCall& call : calls)
            count += call.message == message;
        return count;
    }

    NotifyIconCall previous;
};

using TrayWindowTest = MainWindowFixture;

}  // namespace

TEST(TrayRectangle, FollowsTheClockAndTheTaskbarEdge)
{
    // A vertical taskbar on the right with the clock at its top: the area
    // below the clock.
    const RECT notifyArea{1220, 600, 1280, 800};
    const RECT clockAtTop{1220, 600, 1280, 640};
    const RECT below = TrayRectBesideClock(notifyArea, clockAtTop);
    EXPECT_EQ(640, below.top);
    EXPECT_EQ(1280, below.right);
    // A horizontal taskbar: the part left of the clock.
    const RECT left = TrayRectBesideClock(RECT{1100, 770, 1280, 800}, RECT{1220, 772, 1278, 798});
    EXPECT_EQ(1220, left.right);
    EXPECT_EQ(770, left.top);

    RECT tray{};
    ASSERT_TRUE(TrayRectOnTaskbar(ABE_BOTTOM, RECT{0, 770, 1280, 800}, &tray));
    EXPECT_TRUE(EqualRect(&tray, std::data({RECT{1180, 770, 1264, 800}})));
    ASSERT_TRUE(TrayRectOnTaskbar(ABE_RIGHT, RECT{1220, 0, 1280, 800}, &tray));
    EXPECT_TRUE(EqualRect(&tray, std::data({RECT{1220, 700, 1280, 784}})));
    EXPECT_FALSE(TrayRectOnTaskbar(7, RECT{0, 0, 10, 10}, &tray));

    const RECT corner = TrayRectInWorkArea(RECT{0, 0, 1024, 740});
    EXPECT_TRUE(EqualRect(&corner, std::data({RECT{874, 710, 1024, 740}})));
    // Wherever it comes from under Wine, the target is a real rectangle.
    const RECT target = TrayRectangle();
    EXPECT_LT(target.left, target.right);
    EXPECT_LT(target.top, target.bottom);
}

TEST(SystemTray, TheTooltipIsCutTo63Characters)
{
    const std::string longTitle(80, 'z');
    EXPECT_EQ(63u, CutTooltip(longTitle.c_str()).size());
    EXPECT_EQ("Zorla 1.0", CutTooltip("Zorla 1.0"));
    EXPECT_EQ("", CutTooltip(nullptr));
    // Characters, not bytes: 63 Cyrillic letters take 126 bytes; a character
    // beyond the first plane is kept whole or left out.
    std::string cyrillic;
    for (int i = 0; i < 70; ++i)
        cyrillic += "\xD0\x96";
    EXPECT_EQ(126u, CutTooltip(cyrillic.c_str()).size());
    const std::string emoji = std::string(62, 'z') + "\xF0\x9F\x98\x80";
    EXPECT_EQ(std::string(62, 'z'), CutTooltip(emoji.c_str()));

    ShellWatch watch;
    CSystemTray tray;
    ASSERT_TRUE(tray.Create(nullptr, WM_TRAY_NOTIFY, longTitle.c_str(), IDR_MAINFRAME, 7, false));
    ASSERT_EQ(1u, watch.calls.size());
    EXPECT_EQ(longTitle.substr(0, 63), watch.calls[0].tip);
    EXPECT_EQ(tray.GetSafeHwnd(), watch.calls[0].window) << "without a window of the caller's, its own hears";
    EXPECT_EQ(static_cast<DWORD>(NOTIFYICONDATAW_V1_SIZE), watch.calls[0].size);
}

SIZE IconSize(HICON icon)
{
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info))
        return SIZE{0, 0};
    GdiBitmap mask(info.hbmMask), colour(info.hbmColor);
    BITMAP bitmap{};
    ::GetObjectA(colour.get(), sizeof bitmap, &bitmap);
    return SIZE{bitmap.bmWidth, bitmap.bmHeight};
}

// Loaded at the default size, the icon would be a 32-pixel one the shell
// shrinks; a new scale must reach the icon already shown.
TEST(SystemTray, TheShellGetsTheIconAtTheSmallIconSizeOfTheScale)
{
    ShellWatch watch;
    CSystemTray tray;
    ASSERT_TRUE(tray.Create(nullptr, WM_TRAY_NOTIFY, "Zorla 1.0", IDR_MAINFRAME, 100, false));
    const struct {
        int dpi;
        int pixels;
    } rows[] = {{96, 16}, {144, 24}, {120, 20}, {192, 32}};
    for (const auto& row : rows) {
        ASSERT_TRUE(tray.Rescale(DisplayScale(row.dpi)));
        ASSERT_FALSE(watch.calls.empty());
        const ShellCall& last = watch.calls.back();
        EXPECT_EQ(last.icon, tray.IconData().hIcon) << row.dpi;
        EXPECT_TRUE(last.message == NIM_MODIFY || row.dpi == 96) << row.dpi;
        const SIZE size = IconSize(tray.IconData().hIcon);
        EXPECT_EQ(size.cx, row.pixels) << row.dpi;
        EXPECT_EQ(size.cy, row.pixels) << row.dpi;
    }
}

TEST(SystemTray, ShowAndHideAddAndDeleteTheIconOnce)
{
    ShellWatch watch;
    {
        CSystemTray tray;
        ASSERT_TRUE(tray.Create(nullptr, WM_TRAY_NOTIFY, "Zorla 1.0", IDR_MAINFRAME, 100, true));
        EXPECT_TRUE(watch.calls.empty()) << "created hidden: nothing in the tray yet";
        EXPECT_TRUE(tray.IsHidden());
        EXPECT_TRUE(tray.IsRemoved());

        EXPECT_TRUE(tray.ShowIcon());
        EXPECT_TRUE(tray.ShowIcon());
        ASSERT_EQ(1, ShellWatch::Count(NIM_ADD));
        EXPECT_TRUE(watch.calls[0].result) << "Wine's tray takes the icon";
        EXPECT_EQ(100u, watch.calls[0].id);
        EXPECT_EQ(static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP), watch.calls[0].flags);
        EXPECT_EQ(WM_TRAY_NOTIFY, watch.calls[0].callback);

        EXPECT_TRUE(tray.HideIcon());
        EXPECT_TRUE(tray.HideIcon());
        EXPECT_EQ(1, ShellWatch::Count(NIM_DELETE));
        EXPECT_EQ(0u, watch.calls.back().flags);
        EXPECT_TRUE(watch.calls.back().result);

        tray.ShowIcon();
    }
    EXPECT_EQ(2, ShellWatch::Count(NIM_DELETE)) << "the icon goes with its object";
}

TEST(SystemTray, TheHiddenOwnerGoesWithTheTrayAndLeavesTheWindowAlive)
{
    ShellWatch watch;
    HWND window = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, window);
    HWND parent = nullptr;
    {
        CSystemTray tray;
        ASSERT_TRUE(tray.Create(window, WM_TRAY_NOTIFY, "Zorla 1.0", IDR_MAINFRAME, 100, true));
        EXPECT_EQ(nullptr, tray.ExistingParentWindow());
        ToggleTray(tray, window);
        parent = tray.ExistingParentWindow();
        ASSERT_NE(nullptr, parent);
        EXPECT_EQ(parent, GetWindow(window, GW_OWNER));
        ToggleTray(tray, window);
        ToggleTray(tray, window);
        EXPECT_EQ(parent, tray.ExistingParentWindow()) << "one owner for every trip";
    }
    EXPECT_FALSE(IsWindow(parent)) << "destroyed with the tray";
    EXPECT_TRUE(IsWindow(window)) << "the window that was in the tray is not taken along";
    EXPECT_EQ(nullptr, GetWindow(window, GW_OWNER));
    DestroyWindow(window);
}

TEST(SystemTray, ANewTaskbarGetsTheIconBackWhenItShouldShow)
{
    ShellWatch watch;
    CSystemTray tray;
    ASSERT_TRUE(tray.Create(nullptr, WM_TRAY_NOTIFY, "Zorla 1.0", IDR_MAINFRAME, 100, true));
    const UINT taskbarCreated = CSystemTray::TaskbarCreatedMessage();
    ASSERT_NE(0u, taskbarCreated);

    // Not in the tray: a new taskbar changes nothing.
    SendMessageA(tray.GetSafeHwnd(), taskbarCreated, 0, 0);
    EXPECT_TRUE(watch.calls.empty());

    // In the tray when the taskbar restarts: the new one starts empty.
    tray.ShowIcon();
    NOTIFYICONDATAW gone = tray.IconData();
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &gone)) << "the old taskbar took the icon with it";
    SendMessageA(tray.GetSafeHwnd(), taskbarCreated, 0, 0);
    EXPECT_EQ(2, ShellWatch::Count(NIM_ADD));
    EXPECT_TRUE(watch.calls.back().result);
    EXPECT_FALSE(tray.IsHidden());
    // A taskbar that kept the icon: the add is refused, the icon stays ours.
    SendMessageA(tray.GetSafeHwnd(), taskbarCreated, 0, 0);
    EXPECT_EQ(static_cast<DWORD>(NIM_MODIFY), watch.calls.back().message);
    EXPECT_FALSE(tray.IsHidden());
    EXPECT_TRUE(tray.HideIcon());
    EXPECT_TRUE(watch.calls.back().result) << "and goes when the window comes back";

    // No taskbar yet: the add fails and waits for the taskbar or a new work
    // area.
    watch.failAdds = true;
    EXPECT_FALSE(tray.ShowIcon());
    EXPECT_TRUE(tray.IsReAddPending());
    SendMessageA(tray.GetSafeHwnd(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    EXPECT_TRUE(tray.IsReAddPending()) << "still no taskbar";
    watch.failAdds = false;
    SendMessageA(tray.GetSafeHwnd(), WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    EXPECT_FALSE(tray.IsReAddPending());
    EXPECT_FALSE(tray.IsHidden());
    EXPECT_TRUE(watch.calls.back().result);

    // Removing the icon forgets a pending add.
    tray.HideIcon();
    watch.failAdds = true;
    tray.ShowIcon();
    tray.RemoveIcon();
    const size_t before = watch.calls.size();
    watch.failAdds = false;
    SendMessageA(tray.GetSafeHwnd(), taskbarCreated, 0, 0);
    EXPECT_EQ(before, watch.calls.size());
}

TEST_F(TrayWindowTest, TheWindowGoesToTheTrayWithOneIconAndComesBack)
{
    ShellWatch watch;
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_TRUE(watch.calls.empty()) << "right after start-up the tray holds no icon";
    RECT before{};
    GetWindowRect(window, &before);

    Command(ID_TOGGLE_TRAY);
    ASSERT_EQ(1u, watch.calls.size());
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), watch.calls[0].message);
    EXPECT_EQ("Zorla 1.0", watch.calls[0].tip);
    EXPECT_EQ(window, watch.calls[0].window);
    EXPECT_EQ(CZorlaDlg::kTrayIconId, watch.calls[0].id);
    EXPECT_EQ(WM_TRAY_NOTIFY, watch.calls[0].callback);
    EXPECT_FALSE(IsWindowVisible(window));
    HWND parent = dlg->Tray().ExistingParentWindow();
    ASSERT_NE(nullptr, parent);
    EXPECT_EQ(parent, GetWindow(window, GW_OWNER)) << "owned: no taskbar button";
    EXPECT_FALSE(IsWindowVisible(parent));

    // A double click on the icon brings it back, where it was.
    SendMessageA(window, WM_TRAY_NOTIFY, CZorlaDlg::kTrayIconId, WM_LBUTTONDBLCLK);
    ASSERT_EQ(2u, watch.calls.size());
    EXPECT_EQ(static_cast<DWORD>(NIM_DELETE), watch.calls[1].message);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(nullptr, GetWindow(window, GW_OWNER));
    RECT after{};
    GetWindowRect(window, &after);
    EXPECT_TRUE(EqualRect(&before, &after));

    // Other mouse messages of the icon do nothing; every one is answered 1.
    EXPECT_EQ(1, SendMessageA(window, WM_TRAY_NOTIFY, CZorlaDlg::kTrayIconId, WM_MOUSEMOVE));
    EXPECT_EQ(2u, watch.calls.size());
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(TrayWindowTest, WithoutAnIconTheWindowStaysOnTheDesktop)
{
    ShellWatch watch;
    ASSERT_NO_FATAL_FAILURE(Open());
    watch.failAdds = true;
    Command(ID_TOGGLE_TRAY);
    EXPECT_TRUE(IsWindowVisible(window)) << "hidden without an icon it could not be reached again";
    EXPECT_FALSE(dlg->Tray().IsReAddPending());
    watch.failAdds = false;
    SendMessageA(dlg->Tray().GetSafeHwnd(), CSystemTray::TaskbarCreatedMessage(), 0, 0);
    EXPECT_EQ(1, ShellWatch::Count(NIM_ADD)) << "a new taskbar does not pull a window on the desktop into the tray";
}

TEST_F(TrayWindowTest, AViewCommandFromTheTrayMenuShowsTheWindowAndTheView)
{
    ShellWatch watch;
    ASSERT_NO_FATAL_FAILURE(Open());
    Command(ID_TOGGLE_TRAY);
    ASSERT_FALSE(IsWindowVisible(window));

    SetCursorPos(300, 200);
    SendMessageA(window, WM_TRAY_NOTIFY, CZorlaDlg::kTrayIconId, WM_RBUTTONDOWN);
    HWND menu = dlg->CommandMenu().GetSafeHwnd();
    ASSERT_TRUE(menu && IsWindowVisible(menu));
    RECT menuRect{};
    GetWindowRect(menu, &menuRect);
    EXPECT_EQ(300, menuRect.left) << "at the pointer";
    EXPECT_EQ(200, menuRect.top);
    ASSERT_GE(dlg->CommandMenu().Items().size(), 4u);
    EXPECT_EQ("&Maximize", dlg->CommandMenu().Items()[1].text);

    SendMessageA(menu, WM_CHAR, 'n', 0);
    EXPECT_TRUE(PumpMessagesUntil([&] { return IsWindowVisible(window) != FALSE; }, 3000));
    EXPECT_EQ(MainView::Notes, dlg->Face().GetView()) << "shown and in the note editor in one step";
    EXPECT_EQ(1, ShellWatch::Count(NIM_DELETE));
}

// The real right button: pressed on the icon, it opens the menu; released over
// an item, it chooses nothing.
TEST_F(TrayWindowTest, ReleasingTheButtonThatOpenedTheMenuChoosesNothing)
{
    ShellWatch watch;
    ASSERT_NO_FATAL_FAILURE(Open());
    const int soundsBefore = dlg->Switches().playSounds;
    Command(ID_TOGGLE_TRAY);

    SetCursorPos(200, 150);
    INPUT press{};
    press.type = INPUT_MOUSE;
    press.mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    SendInput(1, &press, sizeof press);
    PumpMessagesUntil([] { return (GetKeyState(VK_RBUTTON) & 0x8000) != 0; }, 2000);
    SendMessageA(window, WM_TRAY_NOTIFY, CZorlaDlg::kTrayIconId, WM_RBUTTONDOWN);
    HWND menu = dlg->CommandMenu().GetSafeHwnd();
    ASSERT_TRUE(menu && IsWindowVisible(menu));

    // Over "&Play sounds" (by its row) and let go.
    int middle = -1;
    for (const PopupMenuItem& item : dlg->CommandMenu().Items())
        if (item.commandId == ID_PLAY_SOUNDS)
            middle = item.top + item.height / 2;
    ASSERT_GT(middle, 0);
    POINT over{dlg->CommandMenu().Width() / 2, middle};
    ClientToScreen(menu, &over);
    SetCursorPos(over.x, over.y);
    INPUT release{};
    release.type = INPUT_MOUSE;
    release.mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    SendInput(1, &release, sizeof release);
    PumpMessagesUntil([] { return false; }, 500);

    EXPECT_TRUE(IsWindow(menu) && IsWindowVisible(menu)) << "the menu stays open";
    EXPECT_EQ(soundsBefore, dlg->Switches().playSounds);
    EXPECT_FALSE(IsWindowVisible(window));
    SendMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
}

TEST_F(TrayWindowTest, WithoutWindowAnimationTheTripIsTheSame)
{
    ANIMATIONINFO saved{sizeof saved, 0};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETANIMATION, sizeof saved, &saved, 0));
    for (int animate : {0, 1}) {
        ANIMATIONINFO setting{sizeof setting, animate};
        ASSERT_TRUE(SystemParametersInfoA(SPI_SETANIMATION, sizeof setting, &setting, 0));
        // Wine keeps no animation setting and always answers "off".
        if (!animate) {
            EXPECT_FALSE(WindowAnimationEnabled());
        }
        ASSERT_NO_FATAL_FAILURE(Open());
        Command(ID_TOGGLE_TRAY);
        EXPECT_FALSE(IsWindowVisible(window)) << animate;
        Command(ID_TOGGLE_TRAY);
        EXPECT_TRUE(IsWindowVisible(window)) << animate;
        Close();
    }
    SystemParametersInfoA(SPI_SETANIMATION, sizeof saved, &saved, 0);
}
