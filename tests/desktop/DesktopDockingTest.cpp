#include "desktop/CDesktopHost.h"

#include "framework/AfxFunctions.h"
#include "framework/CWinApp.h"

#include "support/MessagePump.h"
#include "support/ShellDesktop.h"

#include "resource.h"

#include <gtest/gtest.h>

namespace {

const LONG kRestingStyle = static_cast<LONG>(0x94800000);  // popup, visible, clip siblings, border
const LONG kRestingExStyle = 0x80;                         // tool window

// A note window as the desktop host expects one: it takes its place from the
// host while it initialises, and lets the host keep it at the bottom.
class TestNote : public CDialog {
public:
    explicit TestNote(CDesktopHost& host)
        : m_host(host)
    {}

    bool initialised = false;
    HWND referenceAtInit = nullptr;
    // Given to the host while the window initialises, when set.
    bool placeWhenShown = false;
    POINT place{0, 0};
    SIZE size{0, 0};

protected:
    BOOL OnInitDialog() override
    {
        initialised = true;
        referenceAtInit = m_host.PositionReference();
        if (placeWhenShown)
            m_host.PlaceWhenShown(place, size);
        return CDialog::OnInitDialog();
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_WINDOWPOSCHANGING: m_host.KeepAtBottom(reinterpret_cast<WINDOWPOS*>(lParam)); break;
        case WM_WINDOWPOSCHANGED: m_host.ReturnToBottom(m_hWnd, *reinterpret_cast<WINDOWPOS*>(lParam)); break;
        default: break;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }

private:
    CDesktopHost& m_host;
};

// The program's main window is top-most by default; it is the main window of
// this test's application for the test's length.
class TopMostMainWindow {
public:
    TopMostMainWindow()
        : m_window(::CreateWindowExA(WS_EX_TOPMOST, "STATIC", "main", WS_POPUP | WS_VISIBLE, 600, 400, 80, 80, nullptr,
                                     nullptr, nullptr, nullptr))
        , m_wnd(m_window)
    {
        AfxGetApp()->m_pMainWnd = &m_wnd;
    }
    ~TopMostMainWindow()
    {
        AfxGetApp()->m_pMainWnd = nullptr;
        ::DestroyWindow(m_window);
    }
    CWnd& Wnd() { return m_wnd; }

private:
    HWND m_window;
    CWnd m_wnd;
};

HWND ParentOf(HWND window)
{
    // GetParent answers the owner while WS_POPUP is set.
    return ::GetAncestor(window, GA_PARENT);
}

POINT ScreenTopLeft(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return {rect.left, rect.top};
}

bool IsTopMost(HWND window)
{
    return (::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// True when lower comes after upper in the z-order of top-level windows.
bool IsBelow(HWND lower, HWND upper)
{
    for (HWND window = ::GetWindow(upper, GW_HWNDNEXT); window; window = ::GetWindow(window, GW_HWNDNEXT)) {
        if (window == lower)
            return true;
    }
    return false;
}

TEST(DesktopDocking, DockedNoteIsAChildOfTheViewWithExactlyTheRestingStyles)
{
    ShellDesktop desktop(ShellDesktop::Classic);
    TopMostMainWindow mainWindow;
    CDesktopHost host;
    TestNote note(host);
    ASSERT_TRUE(host.DockIntoDesktop(note, IDD_NOTE, &mainWindow.Wnd()));

    EXPECT_TRUE(note.initialised);
    EXPECT_EQ(note.referenceAtInit, desktop.View());
    EXPECT_EQ(host.PositionReference(), desktop.View());
    EXPECT_EQ(ParentOf(note), desktop.View());
    EXPECT_EQ(::GetWindowLongA(note, GWL_STYLE), kRestingStyle);
    EXPECT_EQ(::GetWindowLongA(note, GWL_EXSTYLE), kRestingExStyle);
    EXPECT_TRUE(::IsWindowVisible(note));
    EXPECT_FALSE(host.IsBottomMost());
    EXPECT_FALSE(host.IsUndocked());
}

TEST(DesktopDocking, APlaceGivenAtInitialisationIsTakenInTheViewAsTheWindowShows)
{
    ShellDesktop desktop(ShellDesktop::Classic);
    TopMostMainWindow mainWindow;
    CDesktopHost host;
    TestNote note(host);
    note.placeWhenShown = true;
    note.place = POINT{30, 40};
    note.size = SIZE{120, 90};
    ASSERT_TRUE(host.DockIntoDesktop(note, IDD_NOTE, &mainWindow.Wnd()));

    ASSERT_TRUE(::IsWindowVisible(note));
    RECT rect{};
    ::GetWindowRect(note, &rect);
    ::MapWindowPoints(HWND_DESKTOP, desktop.View(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(30, rect.left);
    EXPECT_EQ(40, rect.top);
    EXPECT_EQ(120, rect.right - rect.left);
    EXPECT_EQ(90, rect.bottom - rect.top);
}

TEST(DesktopDocking, DockedInAWorkerWindowsView)
{
    ShellDesktop desktop(ShellDesktop::WorkerW);
    CDesktopHost host;
    TestNote note(host);
    ASSERT_TRUE(host.DockIntoDesktop(note, IDD_NOTE, nullptr));
    EXPECT_EQ(note.referenceAtInit, desktop.View());
    EXPECT_EQ(ParentOf(note), desktop.View());
}

TEST(DesktopDocking, UndockedNoteIsTopMostAtTheSamePlaceAndRedocksAtTheGivenPlace)
{
    ShellDesktop desktop(ShellDesktop::Classic);
    TopMostMainWindow mainWindow;
    CDesktopHost host;
    TestNote note(host);
    ASSERT_TRUE(host.DockIntoDesktop(note, IDD_NOTE, &mainWindow.Wnd()));
    ::SetWindowPos(note, nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const POINT docked = ScreenTopLeft(note);
    ASSERT_EQ(docked.x, 30 + ShellDesktop::kViewOffset.x);
    ASSERT_EQ(docked.y, 40 + ShellDesktop::kViewOffset.y);

    host.Undock(note);
    EXPECT_TRUE(host.IsUndocked());
    EXPECT_EQ(ParentOf(note), ::GetDesktopWindow());
    EXPECT_TRUE(IsTopMost(note));
    const POINT undocked = ScreenTopLeft(note);
    EXPECT_EQ(undocked.x, docked.x);
    EXPECT_EQ(undocked.y, docked.y);

    host.Redock(note, POINT{120, 90});
    EXPECT_FALSE(host.IsUndocked());
    EXPECT_EQ(ParentOf(note), desktop.View());
    EXPECT_EQ(::GetWindowLongA(note, GWL_STYLE), kRestingStyle);
    EXPECT_EQ(::GetWindowLongA(note, GWL_EXSTYLE), kRestingExStyle);
    const POINT redocked = ScreenTopLeft(note);
    EXPECT_EQ(redocked.x, 120);
    EXPECT_EQ(redocked.y, 90);
}

TEST(DesktopDocking, WithoutAnIconWindowDockingCreatesNothing)
{
    CDesktopHost host;
    TestNote note(host);
    EXPECT_FALSE(host.DockIntoDesktop(note, IDD_NOTE, nullptr));
    EXPECT_FALSE(note.initialised);
    EXPECT_EQ(note.GetSafeHwnd(), nullptr);
}

TEST(DesktopDocking, PlacingWithAnIconWindowDocks)
{
    ShellDesktop desktop(ShellDesktop::Classic);
    CDesktopHost host;
    TestNote note(host);
    ASSERT_TRUE(host.PlaceOnDesktop(note, IDD_NOTE, nullptr));
    EXPECT_FALSE(host.IsBottomMost());
    EXPECT_EQ(ParentOf(note), desktop.View());
}

TEST(DesktopDocking, PlacingFailsWhenTheWindowCannotBeMade)
{
    CDesktopHost host;
    TestNote note(host);
    EXPECT_FALSE(host.PlaceOnDesktop(note, 54321, nullptr));
    ShellDesktop desktop(ShellDesktop::Classic);
    EXPECT_FALSE(host.PlaceOnDesktop(note, 54321, nullptr));
    EXPECT_EQ(note.GetSafeHwnd(), nullptr);
}

// Wine's desktop has no "Progman": the note becomes a tool window of its own at
// the bottom of the z-order.
class DesktopBottomMostNote : public testing::Test {
protected:
    void SetUp() override
    {
        m_other = ::CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 300, 300, 100, 100, nullptr, nullptr,
                                    nullptr, nullptr);
        // Under Wine the activations of the windows made so far reorder them
        // once their messages arrive.
        PumpPendingMessages();
        ASSERT_TRUE(host.PlaceOnDesktop(note, IDD_NOTE, &mainWindow.Wnd()));
        PumpPendingMessages();
        ::SetWindowPos(note, nullptr, 320, 320, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void TearDown() override
    {
        note.DestroyWindow();
        ::DestroyWindow(m_other);
    }

    TopMostMainWindow mainWindow;
    CDesktopHost host;
    TestNote note{host};
    HWND m_other = nullptr;
};

TEST_F(DesktopBottomMostNote, IsAnUnownedToolWindowShownBeneathTheOthers)
{
    EXPECT_TRUE(host.IsBottomMost());
    EXPECT_TRUE(note.initialised);
    EXPECT_EQ(note.referenceAtInit, nullptr);
    EXPECT_EQ(host.PositionReference(), nullptr);
    EXPECT_EQ(ParentOf(note), ::GetDesktopWindow());
    EXPECT_EQ(::GetWindow(note, GW_OWNER), nullptr);
    EXPECT_EQ(::GetWindowLongA(note, GWL_STYLE), kRestingStyle);
    EXPECT_EQ(::GetWindowLongA(note, GWL_EXSTYLE), kRestingExStyle);
    EXPECT_TRUE(::IsWindowVisible(note));
    EXPECT_TRUE(IsBelow(note, m_other));
    EXPECT_TRUE(IsBelow(note, mainWindow.Wnd()));
}

TEST_F(DesktopBottomMostNote, StaysBeneathWhenRaisedOrActivatedButMoves)
{
    ::SetForegroundWindow(note);
    ::SetActiveWindow(note);
    PumpPendingMessages();
    EXPECT_TRUE(IsBelow(note, m_other)) << "activated";
    // Wine raises a window that SetWindowPos activates without asking it first.
    ::SetWindowPos(note, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_TRUE(IsBelow(note, m_other)) << "raised";
    ::SetWindowPos(note, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(IsBelow(note, m_other)) << "raised and activated";
    EXPECT_FALSE(IsTopMost(note));

    ::SetWindowPos(note, nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const POINT moved = ScreenTopLeft(note);
    EXPECT_EQ(moved.x, 200);
    EXPECT_EQ(moved.y, 150);
    EXPECT_TRUE(IsBelow(note, m_other));
}

TEST_F(DesktopBottomMostNote, UndocksToTheFrontAndRedocksToTheBottom)
{
    host.Undock(note);
    EXPECT_TRUE(host.IsUndocked());
    EXPECT_TRUE(IsTopMost(note));
    EXPECT_TRUE(IsBelow(m_other, note));
    const POINT undocked = ScreenTopLeft(note);
    EXPECT_EQ(undocked.x, 320);
    EXPECT_EQ(undocked.y, 320);

    host.Redock(note, POINT{100, 110});
    EXPECT_FALSE(host.IsUndocked());
    EXPECT_FALSE(IsTopMost(note));
    EXPECT_TRUE(IsBelow(note, m_other));
    EXPECT_EQ(ParentOf(note), ::GetDesktopWindow());
    const POINT redocked = ScreenTopLeft(note);
    EXPECT_EQ(redocked.x, 100);
    EXPECT_EQ(redocked.y, 110);
    ::SetWindowPos(note, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_TRUE(IsBelow(note, m_other));
}

}  // namespace
