// The command "Send me to a friend..." from the dialog to the mail thread's
// end: the message that goes, the pass-along notices, every way to the
// "mailto:" link, Cancel and a second command while a mail is under way.
#include "MailOwnerWindow.h"
#include "ProcessThreads.h"
#include "MapiDouble.h"
#include "SendDialogDriver.h"

#include "framework/CWinApp.h"
#include "mail/CSendToFriend.h"
#include "mail/ZipSingleEntryFile.h"
#include "mail/MapiAvailability.h"
#include "mail/CMailSender.h"
#include "net/CHttpDownloader.h"
#include "shared/AppTranslator.h"
#include "shared/Translator.h"
#include "shared/WebAddresses.h"
#include "support/BoxRecorder.h"
#include "support/HttpTestServer.h"
#include "support/MessageBoxAnswerer.h"
#include "support/MessagePump.h"
#include "support/RecordingOpener.h"
#include "support/TestRegistry.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

const char kAgent[] = "User-Agent: Velloran Software/1.0 (" ZORLA_MAKER_HOST ")";
const char kMailtoCall[] = "mail mailto:?subject=Zorla%201.0";

// Changes an environment variable for the length of a test.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value)
        : m_name(name)
    {
        char old[1024] = "";
        const DWORD length = GetEnvironmentVariableA(name, old, sizeof old);
        m_had = length > 0 && length < sizeof old;
        m_old = old;
        SetEnvironmentVariableA(name, value);
    }
    ~ScopedVariable() { SetEnvironmentVariableA(m_name.c_str(), m_had ? m_old.c_str() : nullptr); }

private:
    std::string m_name;
    std::string m_old;
    bool m_had = false;
};

// WIN.INI's [MAIL] MAPI for the length of a test; the prefix's own comes back.
class ScopedMapiProfile {
public:
    explicit ScopedMapiProfile(const char* value)
    {
        char old[64] = "";
        m_had = GetProfileStringA("MAIL", "MAPI", "", old, sizeof old) > 0;
        m_old = old;
        WriteProfileStringA("MAIL", "MAPI", value);
        ForgetMapiAvailability();
    }
    ~ScopedMapiProfile()
    {
        WriteProfileStringA("MAIL", "MAPI", m_had ? m_old.c_str() : nullptr);
        ForgetMapiAvailability();
    }

private:
    std::string m_old;
    bool m_had = false;
};

class SendToFriend : public testing::Test {
protected:
    void SetUp() override
    {
        TestRegistry::DeleteApp(App());
        AfxGetApp()->SetRegistryKey("Velloran Software");
        ForgetMapiAvailability();
        owner.Forward(&mail);
        opener.shellResult = 42;
    }
    void TearDown() override { TestRegistry::DeleteApp(App()); }
    static std::string App() { return AfxGetApp()->m_pszAppName; }

    // The command, then the mail thread's work until the command is idle again.
    void RunCommand(bool noInternet = false)
    {
        mail.OnSendToFriend(noInternet);
        EXPECT_TRUE(PumpMessagesUntil([&] { return !mail.IsUnderWay(); }, 30000));
    }

    // The client runs its requests in order: once this one has called back,
    // every notice started before it has been answered.
    std::vector<std::string> NoticesSent()
    {
        std::atomic<bool> done{false};
        client.StartDownload(
            "http://127.0.0.1/marker",
            [](const std::string&, BYTE, void* context) { *static_cast<std::atomic<bool>*>(context) = true; }, &done);
        EXPECT_TRUE(WaitUntil([&] { return done.load(); }, 30000));
        std::vector<std::string> targets;
        for (const HttpRequestSeen& request : server.Requests())
            if (request.Target() != "/marker")
                targets.push_back(request.Target());
        return targets;
    }

    MapiDouble mapi;
    RecordingOpener opener;
    InstalledOpener installed{opener};
    HttpTestServer server;
    CHttpDownloader client{kAgent};
    MailOwnerWindow owner;
    CSendToFriend mail{owner, client, "http://127.0.0.1/"};
};

using Steps = std::vector<std::pair<int, std::string>>;

}  // namespace

TEST_F(SendToFriend, TheMailCarriesThePackedProgramToEachRecipientAndTheBrandHearsOncePerRecipient)
{
    ASSERT_TRUE(server.Start(ServeBody("thanks")));
    SendDialogDriver driver(SendDialogDriver::Send("anna@example.com; ben@example.org,carl@example.net", "Try it!"));
    RunCommand();
    EXPECT_EQ(driver.Shown(), 1);
    EXPECT_FALSE(driver.GaveUp());

    const std::vector<MapiCall> calls = mapi.Calls();
    ASSERT_EQ(calls.size(), 1u);
    const MapiCall& call = calls[0];
    ASSERT_EQ(call.recipients.size(), 3u);
    EXPECT_EQ(call.recipients[0].name, "anna@example.com");
    EXPECT_EQ(call.recipients[1].name, " ben@example.org");
    EXPECT_EQ(call.recipients[2].name, "carl@example.net");
    EXPECT_EQ(call.subject, "Zorla 1.0");
    EXPECT_EQ(call.originator.name, ZORLA_MAKER_MAIL);
    const std::string text = "Try it!" + MailFooter();
    EXPECT_EQ(call.note, text + " ");
    ASSERT_EQ(call.files.size(), 1u);
    EXPECT_EQ(call.files[0].title, "mail_tests.zip") << "the archive, named after the program";
    const std::string suffix = "\\mail_tests.zip";
    EXPECT_EQ(call.files[0].path.substr(call.files[0].path.size() - suffix.size()), suffix);
    EXPECT_TRUE(TestFiles::Exists(call.files[0].path));
    // The attachment is this very program, packed.
    ZipSingleEntry packed;
    ASSERT_TRUE(ReadZipSingleEntry(call.files[0].path, packed));
    EXPECT_EQ(packed.name, "mail_tests.exe");
    char program[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    EXPECT_EQ(packed.uncompressedSize, TestFiles::Bytes(program).size());
    EXPECT_EQ(call.files[0].position, text.size());
    EXPECT_EQ(call.owner, reinterpret_cast<unsigned long long>(owner.m_hWnd));

    EXPECT_EQ(owner.steps, (Steps{{80, "Start sending mail..."}, {100, "Done !"}}));
    EXPECT_EQ(owner.results, std::vector<ULONG>{0});
    EXPECT_TRUE(opener.Calls().empty()) << "a sent mail needs no link";
    EXPECT_EQ(mail.ProgressWindow(), nullptr);
    EXPECT_EQ(NoticesSent(), (std::vector<std::string>{"/?PA=1", "/?PA=1", "/?PA=1"}));
}

TEST_F(SendToFriend, WithoutInternetNoNoticeGoesButTheMailDoes)
{
    ASSERT_TRUE(server.Start(ServeBody("thanks")));
    SendDialogDriver driver(SendDialogDriver::Send("anna@example.com;ben@example.org"));
    RunCommand(true);
    ASSERT_EQ(mapi.Calls().size(), 1u);
    EXPECT_EQ(mapi.Calls()[0].recipients.size(), 2u);
    EXPECT_TRUE(NoticesSent().empty());
}

TEST_F(SendToFriend, AFailingMailClientStillShowsDoneThenOpensTheMailtoLink)
{
    for (ULONG failure : {ULONG{MAPI_E_USER_ABORT}, ULONG{MAPI_E_FAILURE}, ULONG{MAPI_E_LOGON_FAILURE}}) {
        mapi.FailWith(failure);
        owner.steps.clear();
        SendDialogDriver driver(SendDialogDriver::Send("anna@example.com"));
        RunCommand(true);
        EXPECT_EQ(owner.steps.back(), (std::pair<int, std::string>{100, "Done !"})) << failure;
        EXPECT_EQ(owner.results.back(), failure);
        EXPECT_EQ(mail.ProgressWindow(), nullptr) << failure;
    }
    EXPECT_EQ(mapi.Calls().size(), 3u);
    EXPECT_EQ(opener.Calls(), (std::vector<std::string>{kMailtoCall, kMailtoCall, kMailtoCall}));
}

TEST_F(SendToFriend, AMailtoLinkThatDoesNotOpenEndsInAWarningOwnedByTheMainWindow)
{
    mapi.FailWith(MAPI_E_FAILURE);
    opener.shellResult = 2;
    BoxRecorder boxes;
    SendDialogDriver driver(SendDialogDriver::Send("anna@example.com"));
    RunCommand(true);
    const std::vector<SeenBox> seen = boxes.Stop();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "You do not have an e-mail client or the client is not configured properly. :(");
    EXPECT_EQ(seen[0].caption, "Warning");
    EXPECT_EQ(seen[0].owner, owner.m_hWnd);
    EXPECT_TRUE(SameIconPicture(seen[0].icon, SystemIcon(IDI_WARNING)));
    EXPECT_EQ(opener.Calls(), std::vector<std::string>{kMailtoCall});
}

TEST_F(SendToFriend, CancelLeavesNoThreadNoProgressWindowAndNoLink)
{
    SendDialogDriver driver(SendDialogDriver::Cancel());
    // The first dialog may start threads of the system's own that stay.
    mail.OnSendToFriend(true);
    PumpPendingMessages();
    const size_t threads = ThreadsOfThisProcess();
    mail.OnSendToFriend(true);
    PumpPendingMessages();
    EXPECT_EQ(driver.Shown(), 2);
    EXPECT_EQ(ThreadsOfThisProcess(), threads) << "no thread is left waiting to start";
    EXPECT_FALSE(mail.IsUnderWay());
    EXPECT_EQ(mail.ProgressWindow(), nullptr);
    EXPECT_TRUE(opener.Calls().empty());
    EXPECT_TRUE(mapi.Calls().empty());
}

TEST_F(SendToFriend, TheCommandDoesNothingWhileAMailIsUnderWay)
{
    mapi.Hold();
    SendDialogDriver driver(SendDialogDriver::Send("anna@example.com"));
    mail.OnSendToFriend(true);
    ASSERT_TRUE(mail.IsUnderWay());
    EXPECT_TRUE(PumpMessagesUntil([&] { return !owner.steps.empty(); }, 30000));
    ASSERT_NE(mail.ProgressWindow(), nullptr);
    EXPECT_TRUE(mail.ProgressWindow()->IsWindowVisible());
    EXPECT_EQ(mail.ProgressWindow()->GetWindowText(), "Send Quokka [80%]");

    mail.OnSendToFriend(true);
    EXPECT_EQ(driver.Shown(), 1) << "no second dialog";
    mapi.Release();
    EXPECT_TRUE(PumpMessagesUntil([&] { return !mail.IsUnderWay(); }, 30000));
    EXPECT_EQ(mapi.Calls().size(), 1u);

    // Idle again: the next command opens the dialog.
    RunCommand(true);
    EXPECT_EQ(driver.Shown(), 2);
}

TEST_F(SendToFriend, WithoutAMailClientTheMailtoLinkOpensWithoutADialog)
{
    ScopedMapiProfile noMapi("0");
    MessageBoxAnswerer boxes;
    SendDialogDriver driver(SendDialogDriver::Send("anna@example.com"));
    RunCommand(true);
    EXPECT_EQ(driver.Shown(), 0);
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(opener.Calls(), std::vector<std::string>{kMailtoCall});
    EXPECT_TRUE(mapi.Calls().empty());
}

TEST_F(SendToFriend, AMailSystemThatDoesNotLoadIsToldThenTheMailtoLinkOpens)
{
    mapi.RefuseToLoad();
    MessageBoxAnswerer boxes;
    SendDialogDriver driver(SendDialogDriver::Send("anna@example.com"));
    RunCommand(true);
    EXPECT_EQ(driver.Shown(), 0);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Unable to load mail system support.");
    EXPECT_EQ(opener.Calls(), std::vector<std::string>{kMailtoCall});
}

TEST_F(SendToFriend, AMailSystemWithoutMAPISendMailIsToldThenTheMailtoLinkOpens)
{
    CMailSender::SetLibraryForTest("version.dll");
    MessageBoxAnswerer boxes;
    SendDialogDriver driver(SendDialogDriver::Send("anna@example.com"));
    RunCommand(true);
    CMailSender::SetLibraryForTest(nullptr);
    EXPECT_EQ(driver.Shown(), 0);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Mail system DLL is invalid.");
    EXPECT_EQ(opener.Calls(), std::vector<std::string>{kMailtoCall});
}

// No archive can be written where the temporary folder should be: no mail
// goes without its attachment, the link opens instead.
TEST_F(SendToFriend, AProgramThatCannotBePackedSendsNoMailButOpensTheMailtoLink)
{
    TempFolder folder;
    const std::string missing = folder.File("gone") + "\\";
    ScopedVariable tmp("TMP", missing.c_str());
    ScopedVariable temp("TEMP", missing.c_str());
    SendDialogDriver driver(SendDialogDriver::Send("anna@example.com"));
    RunCommand(true);
    EXPECT_EQ(driver.Shown(), 1);
    EXPECT_TRUE(mapi.Calls().empty());
    EXPECT_EQ(opener.Calls(), std::vector<std::string>{kMailtoCall});
    EXPECT_EQ(mail.ProgressWindow(), nullptr);
    EXPECT_FALSE(mail.IsUnderWay());
}

using GermanSendToFriend = SendToFriend;

TEST_F(GermanSendToFriend, TheMailEndsWithTheGermanFooterAndTheProgressIsGerman)
{
    FillTranslationTable(GetTranslator());
    mapi.Hold();
    SendDialogDriver driver(SendDialogDriver::Send("anna@example.com", "Hallo"));
    mail.OnSendToFriend(true);
    EXPECT_TRUE(PumpMessagesUntil([&] { return !owner.steps.empty(); }, 30000));
    ASSERT_NE(mail.ProgressWindow(), nullptr);
    EXPECT_EQ(mail.ProgressWindow()->GetWindowText(), "Verschicke Quokka [80%]");
    mapi.Release();
    EXPECT_TRUE(PumpMessagesUntil([&] { return !mail.IsUnderWay(); }, 30000));
    ASSERT_EQ(mapi.Calls().size(), 1u);
    const std::string ending =
        "\n\nFalls sie den Anhang nicht öffnen können, besuchen sie unsere Webseite und laden Zorla von dort. ";
    const std::string note = mapi.Calls()[0].note;
    ASSERT_GT(note.size(), ending.size());
    EXPECT_EQ(note.substr(note.size() - ending.size()), ending);
    const std::string beginning = "Hallo\n\n\n---------------\nDies ist ein Klimbim";
    EXPECT_EQ(note.substr(0, beginning.size()), beginning);
}
