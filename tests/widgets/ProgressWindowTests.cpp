#include "widgets/CProgressWnd.h"
#include "framework/CWinApp.h"
#include "support/TestRegistry.h"
#include "widgets/ProgressCaption.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

namespace {

class ProgressWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        app = AfxGetApp()->m_pszAppName;
        TestRegistry::DeleteApp(app);
        AfxGetApp()->SetRegistryKey("Velloran Software");
    }
    void TearDown() override { TestRegistry::DeleteApp(app); }

    void Store(int x, int y)
    {
        TestRegistry::WriteDword(app, "Settings", "X", static_cast<DWORD>(x));
        TestRegistry::WriteDword(app, "Settings", "Y", static_cast<DWORD>(y));
    }

    static RECT Rect(HWND window)
    {
        RECT rect{};
        ::GetWindowRect(window, &rect);
        return rect;
    }

    static bool Waiting(HWND window, UINT message)
    {
        MSG queued;
        return ::PeekMessageA(&queued, window, message, message, PM_NOREMOVE) != FALSE;
    }

    std::string app;
};

bool Overlap(const RECT& a, const RECT& b)
{
    RECT both{};
    return ::IntersectRect(&both, &a, &b) != FALSE;
}

}  // namespace

TEST(ProgressCaption, TitleThenPercentInBrackets)
{
    EXPECT_EQ(ProgressCaption("Send Quokka", 42), "Send Quokka [42%]");
    EXPECT_EQ(ProgressPercent(42, 0, 100), 42);
    EXPECT_EQ(ProgressPercent(50, 0, 0), 0);
    EXPECT_EQ(ProgressPercent(30000000, 0, 60000000), 50) << "no 32-bit overflow";
}

TEST_F(ProgressWindowTest, CaptionShowsThePercentAndChangesOnlyWithIt)
{
    CProgressWnd progress(nullptr, "Send Quokka");
    ASSERT_TRUE(progress.IsCreated());
    EXPECT_EQ(progress.GetWindowText(), "Send Quokka");
    EXPECT_TRUE(progress.IsWindowVisible());

    EXPECT_EQ(progress.SetPos(42), 0);
    EXPECT_EQ(progress.GetWindowText(), "Send Quokka [42%]");
    EXPECT_EQ(::SendMessageA(::GetDlgItem(progress, CProgressWnd::kBarId), PBM_GETPOS, 0, 0), 42);

    // Set by hand: a second position of the same percent must leave it alone.
    progress.SetWindowText("marker");
    EXPECT_EQ(progress.SetPos(42), 42);
    EXPECT_EQ(progress.GetWindowText(), "marker");
    progress.SetPos(43);
    EXPECT_EQ(progress.GetWindowText(), "Send Quokka [43%]");

    progress.Update("Packing 100% of Zorla.exe", 60);
    EXPECT_EQ(CWnd::FromHandle(::GetDlgItem(progress, CProgressWnd::kTextId))->GetWindowText(),
              "Packing 100% of Zorla.exe")
        << "the text is shown, not read as a format";
    EXPECT_EQ(progress.GetWindowText(), "Send Quokka [60%]");
}

TEST_F(ProgressWindowTest, EscapeCancelsAndStopsPumpingUntilShownAgain)
{
    CProgressWnd progress(nullptr, "Send Quokka");
    ASSERT_TRUE(progress.IsCreated());
    progress.Update("first", 10);
    ASSERT_FALSE(progress.Cancelled());

    // A key press the way the user makes it: translated into WM_CHAR while pumped.
    progress.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    progress.Update("second", 20);
    EXPECT_TRUE(progress.Cancelled());

    progress.PostMessage(WM_APP + 7);
    progress.Update("third", 30);
    EXPECT_TRUE(Waiting(progress, WM_APP + 7)) << "a cancelled window pumps no more";

    progress.Hide();
    EXPECT_FALSE(progress.IsWindowVisible());
    progress.Update("fourth", 40);
    EXPECT_TRUE(progress.IsWindowVisible());
    EXPECT_FALSE(progress.Cancelled());
    EXPECT_FALSE(Waiting(progress, WM_APP + 7));

    progress.PostMessage(WM_CHAR, 'x', 0);
    progress.Update("fifth", 50);
    EXPECT_FALSE(progress.Cancelled()) << "only Escape cancels";
}

TEST_F(ProgressWindowTest, CancelButtonCancelsAndEveryControlHasARoomOfItsOwn)
{
    CProgressWnd progress(nullptr, "Send Quokka", true, true);
    ASSERT_TRUE(progress.IsCreated());
    HWND text = ::GetDlgItem(progress, CProgressWnd::kTextId);
    HWND bar = ::GetDlgItem(progress, CProgressWnd::kBarId);
    HWND button = ::GetDlgItem(progress, CProgressWnd::kCancelId);
    ASSERT_TRUE(text && bar && button);
    EXPECT_EQ(CWnd::FromHandle(button)->GetWindowText(), " Cancel ");
    EXPECT_TRUE(::GetWindowLongA(bar, GWL_STYLE) & PBS_SMOOTH);

    RECT client{};
    progress.GetClientRect(&client);
    ::MapWindowPoints(progress, nullptr, reinterpret_cast<POINT*>(&client), 2);
    for (HWND child : {text, bar, button}) {
        const RECT place = Rect(child);
        EXPECT_GT(place.right - place.left, 0);
        EXPECT_GT(place.bottom - place.top, 0);
        RECT inside{};
        ::IntersectRect(&inside, &place, &client);
        EXPECT_TRUE(::EqualRect(&inside, &place))
            << "control " << ::GetDlgCtrlID(child) << " reaches out of the window";
    }
    EXPECT_FALSE(Overlap(Rect(text), Rect(bar)));
    EXPECT_FALSE(Overlap(Rect(text), Rect(button)));
    EXPECT_FALSE(Overlap(Rect(bar), Rect(button)));
    EXPECT_NE(::SendMessageA(text, WM_GETFONT, 0, 0), 0) << "the text has the message font";

    ::SendMessageA(button, BM_CLICK, 0, 0);
    EXPECT_TRUE(progress.Cancelled());
}

TEST_F(ProgressWindowTest, StoredPositionIsUsedWhenOnTheScreenAndWrittenOnClosing)
{
    const int screenX = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenY = ::GetSystemMetrics(SM_CYSCREEN);
    RECT centred{};
    {
        CProgressWnd progress(nullptr, "Send Quokka");
        centred = Rect(progress);
        RECT area{};
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
        EXPECT_NEAR((centred.left + centred.right) / 2, (area.left + area.right) / 2, 1) << "no setting: centred";
        EXPECT_NEAR((centred.top + centred.bottom) / 2, (area.top + area.bottom) / 2, 1);
        progress.SetWindowPos(nullptr, 70, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    DWORD x = 0, y = 0;
    ASSERT_TRUE(TestRegistry::ReadDword(app, "Settings", "X", x));
    ASSERT_TRUE(TestRegistry::ReadDword(app, "Settings", "Y", y));
    EXPECT_EQ(x, 70u);
    EXPECT_EQ(y, 80u);

    {
        CProgressWnd progress(nullptr, "Send Quokka");
        EXPECT_EQ(Rect(progress).left, 70);
        EXPECT_EQ(Rect(progress).top, 80);
        EXPECT_EQ(Rect(progress).right - 70, centred.right - centred.left) << "the size stays";
    }
    for (POINT stored : {POINT{-1, 80}, POINT{70, -1}, POINT{screenX, 80}, POINT{70, screenY}}) {
        Store(stored.x, stored.y);
        CProgressWnd progress(nullptr, "Send Quokka");
        const RECT place = Rect(progress);
        EXPECT_TRUE(::EqualRect(&centred, &place)) << stored.x << ", " << stored.y << " is centred";
    }
}
