#include "widgets/CHyperLink.h"
#include "widgets/CHyperLinkThread.h"

#include "framework/CWinApp.h"
#include "resource.h"
#include "support/BoxRecorder.h"
#include "support/RecordingOpener.h"
#include "WidgetDialog.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

const std::string kTarget = "http://www.zorla-brand.example/";

TEST(CHyperLinkThread, RegisteredBrowserCommandIsCutBeforeItsPlaceholder)
{
    EXPECT_EQ(CHyperLinkThread::FallbackCommandLine("\"C:\\Web\\browser.exe\" -nohome \"%1\"", kTarget),
              "\"C:\\Web\\browser.exe\" -nohome  " + kTarget);
    EXPECT_EQ(CHyperLinkThread::FallbackCommandLine("C:\\Web\\browser.exe %1 -new", kTarget),
              "C:\\Web\\browser.exe  " + kTarget);
    EXPECT_EQ(CHyperLinkThread::FallbackCommandLine("C:\\Web\\browser.exe", kTarget),
              "C:\\Web\\browser.exe " + kTarget);
    // The quoted placeholder wins over an earlier bare one.
    EXPECT_EQ(CHyperLinkThread::FallbackCommandLine("b.exe %1x \"%1\"", "t"), "b.exe %1x  t");
}

TEST(CHyperLinkThread, LongCommandLinesAreWholeOrRefused)
{
    const std::string longTarget = "http://www.zorla-brand.example/" + std::string(600, 'a');
    EXPECT_EQ(CHyperLinkThread::FallbackCommandLine("b.exe \"%1\"", longTarget), "b.exe  " + longTarget);

    const std::string absurd(40000, 'a');
    EXPECT_EQ(CHyperLinkThread::FallbackCommandLine("b.exe \"%1\"", absurd), "");

    RecordingOpener opener;
    opener.htmCommand = "b.exe \"%1\"";
    CHyperLinkThread::Open(absurd, "", opener);
    const std::vector<std::string> calls = opener.Calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[1], "htm");
    EXPECT_EQ(calls[2], "error Can't open link:\n\nThe specified file was not found.")
        << "nothing is run; the shell's error is reported";
}

TEST(CHyperLinkThread, ErrorTextsNameTheCode)
{
    EXPECT_EQ(CHyperLinkThread::ErrorText(42), "Can't open link:\n\nUnknown Error (42) occurred.");
    EXPECT_EQ(CHyperLinkThread::ErrorText(33), "Can't open link:\n\nUnknown Error (33) occurred.");
    EXPECT_EQ(CHyperLinkThread::ErrorText(0),
              "Can't open link:\n\nThe operating system is out\nof memory or resources.");
    EXPECT_EQ(CHyperLinkThread::ErrorText(26), "Can't open link:\n\nA sharing violation occurred. ");
    EXPECT_EQ(CHyperLinkThread::ErrorText(31),
              "Can't open link:\n\nThere is no application associated\nwith the given filename extension.");
    EXPECT_EQ(CHyperLinkThread::ErrorText(32), "Can't open link:\n\nThe specified dynamic-link library was not found.");
}

TEST(CHyperLinkThread, ShellFirstThenTheRegisteredBrowserThenTheError)
{
    {
        RecordingOpener opener;
        opener.shellResult = 42;
        CHyperLinkThread::Open(kTarget, "", opener);
        EXPECT_EQ(opener.Calls(), (std::vector<std::string>{"shell " + kTarget + "|"}));
    }
    {
        RecordingOpener opener;
        opener.htmCommand = "\"C:\\Web\\browser.exe\" \"%1\"";
        opener.runResult = 33;
        CHyperLinkThread::Open(kTarget, "", opener);
        EXPECT_EQ(opener.Calls(), (std::vector<std::string>{"shell " + kTarget + "|", "htm",
                                                            "run \"C:\\Web\\browser.exe\"  " + kTarget}));
    }
    {
        RecordingOpener opener;
        opener.shellResult = 31;
        CHyperLinkThread::Open(kTarget, "", opener);
        EXPECT_EQ(opener.Calls(), (std::vector<std::string>{"shell " + kTarget + "|", "htm",
                                                            "error " + CHyperLinkThread::ErrorText(31)}))
            << "no registered browser: the shell's error";
    }
    {
        RecordingOpener opener;
        opener.htmCommand = "browser.exe";
        opener.runResult = 3;
        CHyperLinkThread::Open(kTarget, "C:\\Web\\other.exe", opener);
        EXPECT_EQ(opener.Calls(),
                  (std::vector<std::string>{"shell C:\\Web\\other.exe|" + kTarget, "htm", "run browser.exe " + kTarget,
                                            "error " + CHyperLinkThread::ErrorText(3)}))
            << "the browser's error replaces the shell's";
    }
}

// The box comes from the link's own thread with no owner: the window that holds
// the link stays enabled and answers while the box is up.
TEST(CHyperLinkThread, ErrorBoxLeavesTheWindowUsable)
{
    RecordingOpener opener;
    opener.shellResult = 0;
    opener.showBoxes = true;
    InstalledOpener installed(opener);

    TestDialogTemplate dialogTemplate(WS_POPUP | WS_CAPTION, 200, 60, "Links");
    dialogTemplate.AddControl(TestDialogTemplate::Static, IDC_WEBLINK, SS_LEFT, 10, 10, 150, 12,
                              "www.zorla-brand.example");
    WidgetDialog dialog(dialogTemplate);
    CHyperLink link;
    ASSERT_TRUE(link.SubclassDlgItem(IDC_WEBLINK, &dialog));
    AfxGetApp()->m_pMainWnd = &dialog;

    std::atomic<bool> enabledMeanwhile{false};
    std::atomic<bool> answeredMeanwhile{false};
    BoxRecorder recorder([&](const SeenBox&) {
        enabledMeanwhile = ::IsWindowEnabled(dialog) != FALSE;
        DWORD_PTR hit = 0;
        answeredMeanwhile = ::SendMessageTimeoutA(link, WM_NCHITTEST, 0, 0, SMTO_NORMAL, 5000, &hit) && hit == HTCLIENT;
    });
    link.SetFocus();
    ::SendMessageA(link, WM_KEYDOWN, VK_SPACE, 1);
    const bool finished = opener.WaitForCalls(3);
    AfxGetApp()->m_pMainWnd = nullptr;
    const std::vector<SeenBox> boxes = recorder.Stop();

    ASSERT_TRUE(finished);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Can't open link:\n\nThe operating system is out\nof memory or resources.");
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_TRUE(SameIconPicture(boxes[0].icon, SystemIcon(IDI_EXCLAMATION)));
    EXPECT_TRUE(enabledMeanwhile);
    EXPECT_TRUE(answeredMeanwhile);
}

// The system's shell and command line with a file and a browser that do not
// exist: both fail, start nothing, and the real box says why.
TEST(CHyperLinkThread, SystemFailuresEndInTheirBox)
{
    class MissingBrowser : public LinkOpener {
    public:
        INT_PTR shellResult = -1;
        UINT runResult = 0;
        INT_PTR ShellOpen(const std::string& file, const std::string& parameters) override
        {
            return shellResult = System().ShellOpen(file, parameters);
        }
        INT_PTR OpenMailLink(const std::string&) override { return 0; }
        std::string ReadHtmCommand() override { return "\"C:\\zorla-no-such-folder\\browser.exe\" \"%1\""; }
        UINT RunCommandLine(const std::string& commandLine) override
        {
            return runResult = System().RunCommandLine(commandLine);
        }
        void ShowError(const std::string& text) override { System().ShowError(text); }
    } opener;

    BoxRecorder recorder;
    CHyperLinkThread::Open("C:\\zorla-no-such-folder\\no-such-page", "", opener);
    const std::vector<SeenBox> boxes = recorder.Stop();

    EXPECT_GE(opener.shellResult, 0);
    EXPECT_LE(opener.shellResult, 32);
    EXPECT_TRUE(opener.runResult == 2 || opener.runResult == 3) << opener.runResult;
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, CHyperLinkThread::ErrorText(opener.runResult));
}

}  // namespace
