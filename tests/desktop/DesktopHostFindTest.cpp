#include "desktop/CDesktopHost.h"

#include "support/ShellDesktop.h"

#include <gtest/gtest.h>

namespace {

// The shell's web view setting switched on (Wine has no such setting).
class WebViewHost : public CDesktopHost {
protected:
    bool ReadWebViewFlag() const override { return true; }
};

TEST(DesktopHostView, ClassicViewIsKeptWithoutSearchingAgain)
{
    ShellDesktop desktop(ShellDesktop::Classic);
    EXPECT_EQ(CDesktopHost::GetHostView(), desktop.View());

    // A fresh search would now end at "Progman": its first child is no view.
    HWND cover = desktop.Add("XOverlayPanel", desktop.Progman());
    ::SetWindowPos(cover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(CDesktopHost::GetHostView(), desktop.View());
    CDesktopHost::ResetCache();
    EXPECT_EQ(CDesktopHost::GetHostView(), desktop.Progman());
}

TEST(DesktopHostView, ViewInAWorkerWindowIsSearchedForEachTime)
{
    ShellDesktop desktop(ShellDesktop::WorkerW);
    EXPECT_EQ(CDesktopHost::GetHostView(), desktop.View());

    // A second worker in front, while the first one's view still exists.
    HWND worker = desktop.Add("WorkerW");
    HWND view = desktop.Add("SHELLDLL_DefView", worker);
    EXPECT_EQ(CDesktopHost::GetHostView(), view);

    ::DestroyWindow(worker);
    EXPECT_EQ(CDesktopHost::GetHostView(), desktop.View());
}

TEST(DesktopHostView, TopLevelWindowsFromWorkerOnCountOnlyByTheirFirstChild)
{
    ShellDesktop desktop(ShellDesktop::ForeignTopLevel);
    // The overlay in front is looked at, but its view is not its first child.
    EXPECT_EQ(CDesktopHost::GetHostView(), desktop.View());

    // A class before "Worker" is never looked at, whatever it holds.
    HWND before = desktop.Add("Shell_Overlay");
    desktop.Add("SHELLDLL_DefView", before);
    EXPECT_EQ(CDesktopHost::GetHostView(), desktop.View());

    HWND after = desktop.Add("XDesktopOverlay");
    HWND view = desktop.Add("SHELLDLL_DefView", after);
    EXPECT_EQ(CDesktopHost::GetHostView(), view);
}

TEST(DesktopHostView, WithoutAViewIsProgmanOrNothing)
{
    {
        ShellDesktop desktop(ShellDesktop::WorkerW);
        ::DestroyWindow(desktop.Worker());
        EXPECT_EQ(CDesktopHost::GetHostView(), desktop.Progman());
    }
    EXPECT_EQ(CDesktopHost::GetHostView(), nullptr);
}

TEST(DesktopHostFind, FindsTheIconListUnderProgmanOrUnderTheView)
{
    {
        ShellDesktop desktop(ShellDesktop::Classic);
        CDesktopHost host;
        EXPECT_EQ(host.Find(), 0);
        EXPECT_FALSE(host.IsWebViewDesktop());
        EXPECT_EQ(host.Target(), desktop.IconList());
        EXPECT_FALSE(host.IsUnderView());
    }
    {
        ShellDesktop desktop(ShellDesktop::WorkerW);
        CDesktopHost host;
        EXPECT_EQ(host.Find(), 0);
        EXPECT_EQ(host.Target(), desktop.IconList());
        EXPECT_TRUE(host.IsUnderView());
    }
}

TEST(DesktopHostFind, WebViewLooksForTheBrowserFirstAndElseForTheIconList)
{
    {
        ShellDesktop desktop(ShellDesktop::WebView);
        WebViewHost webHost;
        EXPECT_EQ(webHost.Find(), 0);
        EXPECT_TRUE(webHost.IsWebViewDesktop());
        EXPECT_EQ(webHost.Target(), desktop.Browser());

        CDesktopHost plainHost;
        EXPECT_EQ(plainHost.Find(), 0);
        EXPECT_EQ(plainHost.Target(), desktop.IconList());
    }
    {
        ShellDesktop desktop(ShellDesktop::WebViewWithoutBrowser);
        WebViewHost webHost;
        EXPECT_EQ(webHost.Find(), 0);
        EXPECT_EQ(webHost.Target(), desktop.IconList());
    }
    {
        // Under the view the repeat with the other mode decides as well.
        ShellDesktop desktop(ShellDesktop::WorkerW);
        WebViewHost webHost;
        EXPECT_EQ(webHost.Find(), 0);
        EXPECT_EQ(webHost.Target(), desktop.IconList());
        EXPECT_TRUE(webHost.IsUnderView());
    }
}

TEST(DesktopHostFind, FailuresTellWhatIsMissing)
{
    CDesktopHost host;
    EXPECT_EQ(host.Find(), -1) << "no Progman";
    EXPECT_EQ(host.Target(), nullptr);
    {
        ShellDesktop desktop(ShellDesktop::WorkerW);
        ::DestroyWindow(desktop.Worker());
        EXPECT_EQ(host.Find(), -2) << "Progman, but no view anywhere";
    }
    {
        ShellDesktop desktop(ShellDesktop::Classic);
        ::DestroyWindow(desktop.IconList());
        EXPECT_EQ(host.Find(), -3) << "a view without icons";
        WebViewHost webHost;
        EXPECT_EQ(webHost.Find(), -3);
    }
    {
        ShellDesktop desktop(ShellDesktop::WorkerW);
        ASSERT_EQ(host.Find(), 0);
        ::DestroyWindow(desktop.IconList());
        EXPECT_EQ(host.Find(), -3) << "a worker's view without icons";
        EXPECT_EQ(host.Target(), nullptr);
    }
}

// Notes opened in one go share the first search; an icon window gone in the
// meantime is searched for again, and so is everything once the batch ends.
TEST(DesktopHostFind, ABatchSharesItsFirstSearchUntilItsIconWindowGoes)
{
    ShellDesktop desktop(ShellDesktop::WorkerW);
    const auto addIconList = [&desktop] {
        return desktop.Add("SysListView32", desktop.Add("SHELLDLL_DefView", desktop.Add("WorkerW")));
    };
    {
        CDesktopHost::SharedSearch oneLook;
        CDesktopHost first;
        ASSERT_EQ(first.Find(), 0);
        const HWND inFront = addIconList();
        CDesktopHost second;
        EXPECT_EQ(second.Find(), 0);
        EXPECT_EQ(second.Target(), desktop.IconList()) << "answered from the first search";
        EXPECT_TRUE(second.IsUnderView());

        ::DestroyWindow(desktop.IconList());
        CDesktopHost third;
        EXPECT_EQ(third.Find(), 0);
        EXPECT_EQ(third.Target(), inFront) << "the shared icon window went: searched again";
    }
    const HWND newest = addIconList();
    CDesktopHost afterBatch;
    EXPECT_EQ(afterBatch.Find(), 0);
    EXPECT_EQ(afterBatch.Target(), newest);
}

}  // namespace
