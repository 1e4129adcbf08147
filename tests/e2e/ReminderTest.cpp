// The real Zorla.exe with a reminder that is due when it starts.
#include "resource.h"
#include "support/TestFiles.h"
#include "support/WindowState.h"
#include "support/ZorlaCopy.h"

#include <gtest/gtest.h>


TEST(Reminders, AReminderDueAtTheStartAlertsAndRemindAgainDocksItWithItsNewTime)
{
    ZorlaCopy copy("ZorlaReminder");
    const std::string date = ZorlaCopy::MinuteOfNow();
    TestFiles::Write(copy.Folder().File("Zorla_Timer"),
                     std::string("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<DATABASE><ENTRY _id_=\"1\" "
                                 "date=\"") +
                         date + "\" notify=\"0\" text=\"Tee\" wndX=\"200\" wndY=\"150\"/></DATABASE>");
    std::unique_ptr<TestProcess> process;
    HWND main = copy.StartAndWait(process);
    ASSERT_NE(main, nullptr);

    HWND reminder = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (reminder = FindWindowA("#32770", "Zorla 1.0TID:1")) != nullptr && TopMost(reminder); }, 5000))
        << "due at once, in front of every window";
    const RECT first = ScreenRect(reminder);
    EXPECT_TRUE(WaitUntil([&] { return ScreenRect(reminder).left != first.left; }, 3000)) << "it shakes";

    PostMessageA(reminder, WM_COMMAND, MAKEWPARAM(IDC_NOTE_CLOSE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(reminder, IDC_NOTE_CLOSE)));
    HWND due = WaitForProcessDialog(process->Id(), IDC_DUE_CHOICES, 5000);
    ASSERT_NE(due, nullptr);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(GetDlgItem(due, IDC_DUE_CHOICES), CB_SETCURSEL, 0, 0, SMTO_BLOCK, 5000, &ignored);
    PostMessageA(due, WM_COMMAND, MAKEWPARAM(IDC_DUE_REMIND, BN_CLICKED), 0);

    EXPECT_TRUE(WaitUntil([&] { return !TopMost(reminder); }, 5000)) << "back on the desktop";
    // Five minutes after the current minute: notify 5, or 6 when the minute
    // turned meanwhile.
    const std::string file = copy.Folder().File("Zorla_Timer");
    EXPECT_TRUE(WaitUntil(
        [&] {
            const std::string bytes = TestFiles::Bytes(file);
            return bytes.find("notify=\"5\"") != std::string::npos || bytes.find("notify=\"6\"") != std::string::npos;
        },
        5000))
        << TestFiles::Bytes(file);
    EXPECT_TRUE(ZorlaCopy::Exit(main, *process));
}
