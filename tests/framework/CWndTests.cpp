#include "framework/CWnd.h"
#include "framework/ExceptionReport.h"
#include "framework/Handles.h"
#include "resource.h"

#include "support/MessagePump.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

// A top-level test window of a plain class; tests attach objects to it.
HWND CreateTopLevel()
{
    return ::CreateWindowExA(0, "STATIC", "parent", WS_POPUP | WS_VISIBLE, 10, 10, 200, 100, nullptr, nullptr, nullptr,
                             nullptr);
}

HWND CreateEdit(HWND parent, int id)
{
    return ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, (id - 100) * 25, 150, 20, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

class ParentWnd : public CWnd {
public:
    HBRUSH brush = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    int colorRequests = 0;
    int commands = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_CTLCOLOREDIT: ++colorRequests; return reinterpret_cast<LRESULT>(brush);
        case WM_COMMAND: ++commands; return 0;
        default: return CWnd::WindowProc(message, wParam, lParam);
        }
    }
};

class ChildEdit : public CWnd {
public:
    bool handleColor = true;
    bool handleCommands = false;
    GdiBrush brush{::CreateSolidBrush(RGB(1, 2, 3))};
    int colorNotifies = 0;
    int commandNotifies = 0;
    int setTexts = 0;
    int destroyedAfterDetach = 0;

protected:
    BOOL OnChildNotify(UINT message, WPARAM, LPARAM, LRESULT* result) override
    {
        if (message == WM_CTLCOLOREDIT) {
            ++colorNotifies;
            if (!handleColor)
                return FALSE;
            *result = reinterpret_cast<LRESULT>(brush.get());
            return TRUE;
        }
        if (message == WM_COMMAND) {
            ++commandNotifies;
            *result = 0;
            return handleCommands;
        }
        return FALSE;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SETTEXT) {
            ++setTexts;
            // A nested message for the same window must not change what Default replays.
            SendMessage(WM_GETTEXTLENGTH);
            return Default();
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    void PostNcDestroy() override
    {
        if (!m_hWnd)
            ++destroyedAfterDetach;
    }
};

class CWndTest : public testing::Test {
protected:
    void SetUp() override
    {
        window = CreateTopLevel();
        ASSERT_TRUE(window);
        edit = CreateEdit(window, 100);
        other = CreateEdit(window, 101);
        ASSERT_TRUE(parent.SubclassWindow(window));
    }
    void TearDown() override
    {
        if (::IsWindow(window))
            ::DestroyWindow(window);
    }

    HWND window = nullptr;
    HWND edit = nullptr;
    HWND other = nullptr;
    ParentWnd parent;
};

TEST_F(CWndTest, ChildAnswersItsColorRequestForTheParent)
{
    ChildEdit child;
    ASSERT_TRUE(child.SubclassDlgItem(100, &parent));
    ClientDCScope dc(edit);
    const LRESULT answer =
        ::SendMessageA(window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.dc()), reinterpret_cast<LPARAM>(edit));
    EXPECT_EQ(answer, reinterpret_cast<LRESULT>(child.brush.get()));
    EXPECT_EQ(child.colorNotifies, 1);
    EXPECT_EQ(parent.colorRequests, 0);

    // A control nobody subclassed gets the parent's own answer.
    const LRESULT plain =
        ::SendMessageA(window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.dc()), reinterpret_cast<LPARAM>(other));
    EXPECT_EQ(plain, reinterpret_cast<LRESULT>(parent.brush));
    EXPECT_EQ(parent.colorRequests, 1);

    // A child that declines leaves the answer to the parent.
    child.handleColor = false;
    const LRESULT declined =
        ::SendMessageA(window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.dc()), reinterpret_cast<LPARAM>(edit));
    EXPECT_EQ(declined, reinterpret_cast<LRESULT>(parent.brush));
    EXPECT_EQ(parent.colorRequests, 2);
}

TEST_F(CWndTest, PaintingTheEditAsksTheChildThroughItsParent)
{
    ChildEdit child;
    ASSERT_TRUE(child.SubclassWindow(edit));
    ::InvalidateRect(edit, nullptr, TRUE);
    ::UpdateWindow(edit);
    EXPECT_TRUE(PumpMessagesUntil([&] { return child.colorNotifies > 0; }));
    // The edit painted its background with the brush the child gave its parent.
    ClientDCScope dc(edit);
    EXPECT_EQ(::GetPixel(dc.dc(), 140, 10), RGB(1, 2, 3));
}

TEST_F(CWndTest, ControlNotificationsGoToTheChildFirst)
{
    ChildEdit child;
    ASSERT_TRUE(child.SubclassWindow(edit));
    ::SetWindowTextA(edit, "changed");  // EN_CHANGE to the parent
    EXPECT_GE(child.commandNotifies, 1);
    EXPECT_GE(parent.commands, 1) << "declined notifications reach the parent";

    child.handleCommands = true;
    const int before = parent.commands;
    ::SetWindowTextA(edit, "changed again");
    EXPECT_EQ(parent.commands, before);

    // A command whose lParam is no control's handle stays with the parent.
    int payload = 0;
    ::SendMessageA(window, WM_COMMAND, ID_SHOW_HOME, reinterpret_cast<LPARAM>(&payload));
    EXPECT_EQ(parent.commands, before + 1);
}

TEST_F(CWndTest, DefaultReplaysTheCurrentMessageAfterNestedOnes)
{
    ChildEdit child;
    ASSERT_TRUE(child.SubclassWindow(edit));
    ::SetWindowTextA(edit, "hello");
    EXPECT_EQ(child.setTexts, 1);
    EXPECT_EQ(child.GetWindowText(), "hello");
}

TEST_F(CWndTest, UnsubclassingRestoresTheOriginalProcedure)
{
    const LONG_PTR original = ::GetWindowLongPtrA(edit, GWLP_WNDPROC);
    ChildEdit child;
    ASSERT_TRUE(child.SubclassWindow(edit));
    EXPECT_NE(::GetWindowLongPtrA(edit, GWLP_WNDPROC), original);
    EXPECT_EQ(CWnd::FromHandlePermanent(edit), &child);

    ChildEdit second;
    EXPECT_FALSE(second.SubclassWindow(edit)) << "one object per window";

    EXPECT_EQ(child.UnsubclassWindow(), edit);
    EXPECT_EQ(::GetWindowLongPtrA(edit, GWLP_WNDPROC), original);
    EXPECT_EQ(CWnd::FromHandlePermanent(edit), nullptr);
    EXPECT_EQ(child.m_hWnd, nullptr);
    ::SetWindowTextA(edit, "after");
    EXPECT_EQ(child.setTexts, 0);
}

TEST_F(CWndTest, AnObjectEndingBeforeItsWindowLeavesItWorking)
{
    const LONG_PTR original = ::GetWindowLongPtrA(edit, GWLP_WNDPROC);
    {
        ChildEdit child;
        ASSERT_TRUE(child.SubclassWindow(edit));
    }
    EXPECT_EQ(::GetWindowLongPtrA(edit, GWLP_WNDPROC), original);
    ::SetWindowTextA(edit, "still fine");
    char text[32] = {};
    ::GetWindowTextA(edit, text, sizeof(text));
    EXPECT_STREQ(text, "still fine");
}

TEST_F(CWndTest, DestroyingTheWindowDetachesTheObjectBeforePostNcDestroy)
{
    ChildEdit child;
    ASSERT_TRUE(child.SubclassWindow(edit));
    ::DestroyWindow(edit);
    EXPECT_EQ(child.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(edit), nullptr);
    EXPECT_EQ(child.destroyedAfterDetach, 1);
    // The object can be attached to another window afterwards.
    EXPECT_TRUE(child.SubclassWindow(other));
}

TEST_F(CWndTest, FromHandleGivesTheObjectOrAPlainView)
{
    ChildEdit child;
    ASSERT_TRUE(child.SubclassWindow(edit));
    EXPECT_EQ(parent.GetDlgItem(100), &child);
    CWnd* view = parent.GetDlgItem(101);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetSafeHwnd(), other);
    EXPECT_EQ(CWnd::FromHandlePermanent(other), nullptr);
    EXPECT_EQ(parent.GetDlgItem(101), view);
    EXPECT_EQ(parent.GetDlgItem(999), nullptr);

    view->SetWindowText("via view");
    EXPECT_EQ(view->GetWindowText(), "via view");
    view->ShowWindow(SW_HIDE);
    EXPECT_FALSE(::IsWindowVisible(other));
}

class ThrowingWnd : public CWnd {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP)
            throw std::runtime_error("handler failed");
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

std::string g_reportedFile;
int g_reports = 0;

void RecordReport(const char* file, int)
{
    g_reportedFile = file;
    ++g_reports;
}

TEST_F(CWndTest, ExceptionsStopAtTheWindowProcedureAndAreReported)
{
    ThrowingWnd thrower;
    ASSERT_TRUE(thrower.SubclassWindow(edit));
    g_reports = 0;
    AfxSetExceptionReporter(&RecordReport);
    EXPECT_EQ(::SendMessageA(edit, WM_APP, 0, 0), 0);
    AfxSetExceptionReporter(nullptr);
    EXPECT_EQ(g_reports, 1);
    EXPECT_NE(g_reportedFile.find("CWnd.cpp"), std::string::npos);
    // The window keeps working.
    ::SetWindowTextA(edit, "ok");
    EXPECT_EQ(thrower.GetWindowText(), "ok");
}

}  // namespace
