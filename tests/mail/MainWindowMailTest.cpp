// The mail from the real main window: its command and the envelope, the
// window's state around the mail client, the mail thread's end message, and
// a main window that closes while a mail is under way.
#include "MapiDouble.h"
#include "ProcessThreads.h"
#include "SendDialogDriver.h"

#include "mail/CIMapiThread.h"
#include "mail/MapiAvailability.h"
#include "mainwnd/HotSpotId.h"
#include "mainwnd/MainWindowFixture.h"
#include "shared/PrivateMessages.h"
#include "support/MessagePump.h"
#include "support/RecordingOpener.h"

namespace {

const char kMailtoCall[] = "mail mailto:?subject=Zorla%201.0";

bool TopMost(HWND window)
{
    return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

class MainWindowMail : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        ForgetMapiAvailability();
        opener.shellResult = 42;
    }
    void TearDown() override
    {
        AfxGetApp()->m_pMainWnd = nullptr;
        MainWindowFixture::TearDown();
    }

    MapiDouble mapi;
    RecordingOpener opener;
    InstalledOpener installed{opener};
};

}  // namespace

TEST_F(MainWindowMail, TheSendCommandAndTheEnvelopeOpenTheDialogOverTheMainWindow)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    HWND dialogOwner = nullptr;
    SendDialogDriver driver([&](HWND dialog) {
        dialogOwner = GetWindow(dialog, GW_OWNER);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_EQ(Command(ID_SEND_TO_FRIEND), 0);
    EXPECT_EQ(driver.Shown(), 1);
    EXPECT_EQ(dialogOwner, window);
    dlg->OnHotSpot(HotSpotEnvelope);
    EXPECT_EQ(driver.Shown(), 2);
    EXPECT_FALSE(dlg->program.Mail().IsUnderWay());
    EXPECT_TRUE(opener.Calls().empty());
    EXPECT_TRUE(IsWindowEnabled(window));
}

// The program's own setting: the main window is top-most, and it owns the
// progress window.
TEST_F(MainWindowMail, TheTopMostMainWindowStepsBackAndIsDisabledOnlyWhileTheMailClientRuns)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    AfxGetApp()->m_pMainWnd = dlg.get();
    ASSERT_TRUE(TopMost(window));
    SendDialogDriver driver(SendDialogDriver::Send("anna@example.com"));
    Command(ID_SEND_TO_FRIEND);
    EXPECT_TRUE(PumpMessagesUntil([&] { return !dlg->program.Mail().IsUnderWay(); }, 30000));

    const std::vector<MapiCall> calls = mapi.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].owner, reinterpret_cast<unsigned long long>(window));
    EXPECT_EQ(calls[0].ownerEnabled, 0);
    EXPECT_EQ(calls[0].ownerTopMost, 0);
    EXPECT_EQ(calls[0].subject, "Zorla 1.0");
    EXPECT_TRUE(TopMost(window));
    EXPECT_TRUE(IsWindowEnabled(window));
    EXPECT_TRUE(opener.Calls().empty());
}

TEST_F(MainWindowMail, TheMailThreadsEndMessageOpensTheLinkOnlyForAFailure)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(SendMessageA(dlg->program.GetSafeHwnd(), WM_MAIL_DONE, 0, 0), 0);
    EXPECT_TRUE(opener.Calls().empty());
    EXPECT_EQ(SendMessageA(dlg->program.GetSafeHwnd(), WM_MAIL_DONE, MAPI_E_USER_ABORT, 0), 0);
    EXPECT_EQ(opener.Calls(), std::vector<std::string>{kMailtoCall});
}

// The mail thread reports to a window that is gone: nothing of the main
// window is touched, and the thread still ends.
TEST_F(MainWindowMail, AMainWindowThatClosesDuringTheMailTakesItsProgressWindowAlong)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    mapi.Hold();
    SendDialogDriver driver(SendDialogDriver::Send("anna@example.com"));
    Command(ID_SEND_TO_FRIEND);
    ASSERT_TRUE(dlg->program.Mail().IsUnderWay());
    ASSERT_NE(dlg->program.Mail().ProgressWindow(), nullptr);
    const HWND progress = dlg->program.Mail().ProgressWindow()->m_hWnd;
    EXPECT_TRUE(PumpMessagesUntil([&] { return mapi.Calls().size() == 1; }, 30000));

    Close();
    EXPECT_FALSE(IsWindow(progress));
    const size_t threads = ThreadsOfThisProcess();
    mapi.Release();
    EXPECT_TRUE(WaitUntil([&] { return ThreadsOfThisProcess() < threads; }, 30000)) << "the mail thread ends";
    EXPECT_TRUE(opener.Calls().empty());
}
