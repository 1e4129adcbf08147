// The Simple MAPI message and the mail thread, against the test double
// MAPI32.DLL: what reaches MAPISendMail, the failures of loading the mail
// system, the main window's state around the call and the thread's reports.
#include "MailOwnerWindow.h"
#include "MapiDouble.h"

#include "framework/Utf8.h"
#include "mail/CIMapiThread.h"
#include "mail/CMailSender.h"
#include "shared/AppTranslator.h"
#include "shared/Translator.h"
#include "shared/WebAddresses.h"
#include "support/MessageBoxAnswerer.h"
#include "support/MessagePump.h"
#include "widgets/CProgressWnd.h"

#include <gtest/gtest.h>

#include <cstdio>

#include <atomic>
#include <thread>

namespace {

using Steps = std::vector<std::pair<int, std::string>>;

bool IsTopMost(HWND window)
{
    return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// Runs Send on a thread of its own, as the mail thread does, while this thread
// keeps its windows answering.
ULONG SendOnOtherThread(CMailSender& sender)
{
    std::atomic<bool> done{false};
    ULONG result = 12345;
    std::thread mail([&] {
        result = sender.Send(0);
        done = true;
    });
    PumpMessagesUntil([&] { return done.load(); }, 30000);
    mail.join();
    return result;
}

std::string ItemText(HWND window, int id)
{
    return GetWindowTextString(GetDlgItem(window, id));
}

class CountedThread : public CIMapiThread {
public:
    explicit CountedThread(std::atomic<int>& deleted)
        : m_deleted(deleted)
    {}
    ~CountedThread() override { ++m_deleted; }

private:
    std::atomic<int>& m_deleted;
};

Steps RunThread(MailOwnerWindow& owner, const std::string& recipient, ULONG& result)
{
    std::atomic<int> deleted{0};
    auto* thread = new CountedThread(deleted);
    thread->Sender().AddRecipient(recipient);
    thread->Sender().SetParentWindow(owner.m_hWnd);
    thread->SetNotifyWindow(owner.m_hWnd);
    EXPECT_TRUE(thread->Start());
    EXPECT_TRUE(PumpMessagesUntil([&] { return !owner.results.empty() && deleted == 1; }, 30000));
    result = owner.results.empty() ? 12345 : owner.results.front();
    return owner.steps;
}

}  // namespace

TEST(MailSender, TheWholeMessageReachesMapiAndIsUsedUp)
{
    MapiDouble mapi;
    CMailSender sender;
    ASSERT_EQ(sender.Error(), CMailSender::NoError);
    EXPECT_TRUE(sender.AddRecipient("anna@example.com"));
    EXPECT_TRUE(sender.AddRecipient(" ben@example.org"));
    sender.SetOriginator(ZORLA_MAKER_MAIL);
    sender.SetSubject("Zorla 1.0");
    sender.SetText("Hi!\n");
    EXPECT_TRUE(sender.AddAttachment("C:\\Temp\\Zorla.zip", "Zorla.zip"));
    EXPECT_TRUE(sender.AddAttachment("C:\\Temp\\notes.txt", ""));
    EXPECT_EQ(sender.Send(0), 0u);
    EXPECT_EQ(sender.Send(0), 0u);

    const std::vector<MapiCall> calls = mapi.Calls();
    ASSERT_EQ(calls.size(), 2u);
    const MapiCall& call = calls[0];
    EXPECT_EQ(call.flags, static_cast<unsigned long>(MAPI_LOGON_UI)) << "log-on allowed, no compose dialog";
    EXPECT_EQ(call.subject, "Zorla 1.0");
    // One space per attachment, each attachment standing in place of one.
    EXPECT_EQ(call.note, "Hi!\n  ");
    EXPECT_EQ(call.originator.recipientClass, static_cast<unsigned>(MAPI_ORIG));
    EXPECT_EQ(call.originator.name, ZORLA_MAKER_MAIL);
    EXPECT_EQ(call.originator.address, kNull);
    ASSERT_EQ(call.recipients.size(), 2u);
    for (const MapiCall::Recipient& recipient : call.recipients) {
        EXPECT_EQ(recipient.recipientClass, static_cast<unsigned>(MAPI_TO));
        EXPECT_EQ(recipient.address, kNull) << "the mail client resolves the name";
    }
    EXPECT_EQ(call.recipients[0].name, "anna@example.com");
    EXPECT_EQ(call.recipients[1].name, " ben@example.org");
    ASSERT_EQ(call.files.size(), 2u);
    EXPECT_EQ(call.files[0].path, "C:\\Temp\\Zorla.zip");
    EXPECT_EQ(call.files[0].title, "Zorla.zip");
    EXPECT_EQ(call.files[0].position, 4u);
    EXPECT_EQ(call.files[1].title, kNull) << "an empty title is left out";
    EXPECT_EQ(call.files[1].position, 5u);

    // The second call finds the recipients and files used up, the text as set.
    EXPECT_TRUE(calls[1].recipients.empty());
    EXPECT_TRUE(calls[1].files.empty());
    EXPECT_EQ(calls[1].note, "Hi!\n");
}

TEST(MailSender, MapiResultsComeBackAsTheyAre)
{
    MapiDouble mapi;
    for (ULONG failure : {ULONG{MAPI_E_USER_ABORT}, ULONG{MAPI_E_FAILURE}, ULONG{MAPI_E_LOGON_FAILURE},
                          ULONG{MAPI_E_UNKNOWN_RECIPIENT}}) {
        mapi.FailWith(failure);
        CMailSender sender;
        sender.AddRecipient("anna@example.com");
        EXPECT_EQ(sender.Send(0), failure);
    }
    EXPECT_EQ(mapi.Calls().size(), 4u);
}

TEST(MailSender, AMailSystemThatDoesNotLoadIsToldAndKeptAsError1)
{
    MapiDouble mapi;
    mapi.RefuseToLoad();
    MessageBoxAnswerer boxes;
    CMailSender sender;
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Unable to load mail system support.");
    EXPECT_EQ(sender.Error(), CMailSender::NoMailLibrary);
    EXPECT_EQ(sender.Error(), CMailSender::NoError) << "reading the error resets it";
    EXPECT_NE(sender.Send(0), 0u);
    EXPECT_TRUE(mapi.Calls().empty());
}

// The wide call takes the archive's path as it is; a mail system with only the
// ANSI call opens it by a narrow name: the program's UTF-8 path of an archive in
// a folder of other scripts is no such name.
TEST(MailSender, AnAttachmentInAFolderOfOtherScriptsGoesByANameMapiCanOpen)
{
    TempFolder folder(kNonAnsiName);
    ASSERT_TRUE(TestFiles::Write(folder.File("Zorla.zip"), "zip"));
    MapiDouble mapi;
    for (const char* library : {static_cast<const char*>(nullptr), kAnsiOnlyMapi}) {
        CMailSender::SetLibraryForTest(library);
        CMailSender sender;
        CMailSender::SetLibraryForTest(nullptr);
        EXPECT_TRUE(sender.AddAttachment(folder.File("Zorla.zip"), "Zorla.zip"));
        EXPECT_EQ(sender.Send(0), 0u);
    }

    const std::vector<MapiCall> calls = mapi.Calls();
    ASSERT_EQ(calls.size(), 2u);
    for (const MapiCall& call : calls) {
        ASSERT_EQ(call.files.size(), 1u);
        // The double records the wide call's path in UTF-8, the ANSI call's as it came.
        const bool wide = call.function == "MAPISendMailW";
        std::FILE* file = wide ? _wfopen(Widen(call.files[0].path).c_str(), L"rb")
                               : std::fopen(call.files[0].path.c_str(), "rb");
        ASSERT_NE(file, nullptr) << call.files[0].path;
        char bytes[4] = "";
        EXPECT_EQ(std::fread(bytes, 1, 3, file), 3u);
        std::fclose(file);
        EXPECT_STREQ(bytes, "zip");
    }
    EXPECT_EQ(calls[0].files[0].path, folder.File("Zorla.zip")) << "whole, through the wide call";
}

TEST(MailSender, AMailSystemWithoutMAPISendMailIsToldAndKeptAsError2)
{
    MapiDouble mapi;
    // A library that is there but has no MAPISendMail.
    CMailSender::SetLibraryForTest("version.dll");
    MessageBoxAnswerer boxes;
    CMailSender sender;
    CMailSender::SetLibraryForTest(nullptr);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Mail system DLL is invalid.");
    EXPECT_EQ(sender.Error(), CMailSender::NoSendFunction);
    EXPECT_NE(sender.Send(0), 0u);
}

// The main window is disabled and steps back from top-most while the mail
// client runs, with the wait cursor on the mail thread; afterwards all is as
// before. The owned popup stands for the progress window.
TEST(MailSender, TheParentWindowIsDisabledAndNotTopMostOnlyDuringTheCall)
{
    MapiDouble mapi;
    MailOwnerWindow owner(WS_EX_TOPMOST);
    ShowWindow(owner.m_hWnd, SW_SHOWNOACTIVATE);
    const HWND popup = CreateWindowExA(0, "STATIC", "owned", WS_POPUP | WS_VISIBLE, 0, 0, 50, 20, owner.m_hWnd, nullptr,
                                       nullptr, nullptr);
    ASSERT_TRUE(IsTopMost(owner.m_hWnd));

    CMailSender sender;
    sender.SetParentWindow(owner.m_hWnd);
    sender.AddRecipient("anna@example.com");
    EXPECT_EQ(SendOnOtherThread(sender), 0u);

    const std::vector<MapiCall> calls = mapi.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].owner, reinterpret_cast<unsigned long long>(owner.m_hWnd));
    EXPECT_EQ(calls[0].ownerEnabled, 0);
    EXPECT_EQ(calls[0].ownerTopMost, 0);
    EXPECT_EQ(calls[0].cursor, "wait");
    EXPECT_TRUE(IsWindowEnabled(owner.m_hWnd));
    EXPECT_TRUE(IsTopMost(owner.m_hWnd));
    DestroyWindow(popup);
}

TEST(MailSender, ANotTopMostParentStaysSo)
{
    MapiDouble mapi;
    MailOwnerWindow owner;
    CMailSender sender;
    sender.SetParentWindow(owner.m_hWnd);
    EXPECT_EQ(SendOnOtherThread(sender), 0u);
    ASSERT_EQ(mapi.Calls().size(), 1u);
    EXPECT_EQ(mapi.Calls()[0].ownerTopMost, 0);
    EXPECT_FALSE(IsTopMost(owner.m_hWnd));
    EXPECT_TRUE(IsWindowEnabled(owner.m_hWnd));
}

TEST(MailSender, TheProgressWindowShowsPreparingThenAttaching)
{
    MapiDouble mapi;
    CProgressWnd progress(nullptr, "Send Quokka");
    CMailSender sender;
    sender.SetProgressWindow(&progress);
    EXPECT_EQ(ItemText(progress.m_hWnd, CProgressWnd::kTextId), "Prepare to send mail...");
    EXPECT_EQ(progress.GetWindowText(), "Send Quokka [10%]");
    sender.AddAttachment("C:\\Temp\\Zorla.zip", "Zorla.zip");
    EXPECT_EQ(ItemText(progress.m_hWnd, CProgressWnd::kTextId), "Start attaching program...");
    EXPECT_EQ(progress.GetWindowText(), "Send Quokka [60%]");
}

TEST(GermanMailSender, TheProgressStepsAreGerman)
{
    FillTranslationTable(GetTranslator());
    MapiDouble mapi;
    CProgressWnd progress(nullptr, "Verschicke Quokka");
    CMailSender sender;
    sender.SetProgressWindow(&progress);
    EXPECT_EQ(ItemText(progress.m_hWnd, CProgressWnd::kTextId), "Initialisiere E-Mail Versandt...");
    sender.AddAttachment("C:\\Temp\\Zorla.zip", "Zorla.zip");
    EXPECT_EQ(ItemText(progress.m_hWnd, CProgressWnd::kTextId), ("Hänge Programm an..."));
}

TEST(MailThread, ReportsItsStepsThenTheResultAndDeletesItself)
{
    MapiDouble mapi;
    mapi.FailWith(MAPI_E_USER_ABORT);
    MailOwnerWindow owner;
    ULONG result = 0;
    const Steps steps = RunThread(owner, "anna@example.com", result);
    EXPECT_EQ(steps, (Steps{{80, "Start sending mail..."}, {100, "Done !"}})) << "Done ! whatever the result";
    EXPECT_EQ(result, static_cast<ULONG>(MAPI_E_USER_ABORT));
    ASSERT_EQ(mapi.Calls().size(), 1u);
    EXPECT_EQ(mapi.Calls()[0].recipients.size(), 1u);
}

TEST(GermanMailThread, ReportsItsStepsInGerman)
{
    FillTranslationTable(GetTranslator());
    MapiDouble mapi;
    MailOwnerWindow owner;
    ULONG result = 12345;
    const Steps steps = RunThread(owner, "anna@example.com", result);
    EXPECT_EQ(steps, (Steps{{80, "Beginne mit E-Mailversand…"}, {100, "Fertig !"}}));
    EXPECT_EQ(result, 0u);
}
