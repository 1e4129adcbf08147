// The real Zorla.exe with a reminder that is due when it starts.
#include "resource.h"
#include "support/TestFiles.h"
#include "support/WindowState.h"
#include "support/RunningZorla.h"
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
    RunningZorla zorla(copy);
    HWND main = zorla.Main();
    ASSERT_NE(main, nullptr);

    HWND reminder = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (reminder = FindWindowA("#32770", "Zorla 1.0TID:1")) != nullptr && TopMost(reminder); }, 5000))
        << "due at once, in front of every window";
    const RECT first = ScreenRect(reminder);
    EXPECT_TRUE(WaitUntil([&] { return ScreenRect(reminder).left != first.left; }, 3000)) << "it shakes";

    PostMessageA(reminder, WM_COMMAND, MAKEWPARAM(IDC_NOTE_CLOSE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(reminder, IDC_NOTE_CLOSE)));
    HWND due = WaitForProcessDialog(zorla.Process().Id(), IDC_DUE_CHOICES, 5000);
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
    EXPECT_TRUE(zorla.Exit());
}

namespace {

// The environment that starts the program on 1 February of next year at
// 10:00, days after its local time.
std::string OnFirstOfFebruary(int days, int& year)
{
    const auto minutes = [](const SYSTEMTIME& time) {
        FILETIME file{};
        SystemTimeToFileTime(&time, &file);
        return static_cast<long long>(((0ULL + file.dwHighDateTime) << 32 | file.dwLowDateTime) / 600000000ULL);
    };
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const SYSTEMTIME first{static_cast<WORD>(now.wYear + 1), 2, 0, 1, 10, 0, 0, 0};
    year = first.wYear;
    return "ZORLA_CLOCK_SHIFT_MINUTES=" + std::to_string(minutes(first) - minutes(now) + days * 24 * 60);
}

HWND WaitForAlert(const char* key)
{
    HWND reminder = nullptr;
    WaitUntil([&] { return (reminder = FindWindowA("#32770", key)) != nullptr && TopMost(reminder); }, 5000);
    return reminder && TopMost(reminder) ? reminder : nullptr;
}

// The close button, the due dialog's "&Delete", then "This &occurrence"; true
// once the reminder rests again and its file holds stored.
bool EndThisOccurrence(const ZorlaCopy& copy, HWND reminder, const TestProcess& process, const std::string& stored)
{
    PostMessageA(reminder, WM_COMMAND, MAKEWPARAM(IDC_NOTE_CLOSE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(reminder, IDC_NOTE_CLOSE)));
    HWND due = WaitForProcessDialog(process.Id(), IDC_DUE_CHOICES, 5000);
    PostMessageA(due, WM_COMMAND, MAKEWPARAM(IDC_DUE_DELETE, BN_CLICKED), 0);
    HWND question = WaitForProcessDialog(process.Id(), IDC_SERIES_OCCURRENCE, 5000);
    PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDC_SERIES_OCCURRENCE, BN_CLICKED), 0);
    const std::string file = copy.Folder().File("Zorla_Timer");
    return due && question && WaitUntil([&] { return !TopMost(reminder); }, 5000) &&
           WaitUntil([&] { return TestFiles::Bytes(file).find(stored) != std::string::npos; }, 5000);
}

}  // namespace

// On 1 February, a daily reminder missed for three days and a monthly one of
// 31 January. Catches alerts per missed day, a dismissal that deletes or moves
// by a day only, a 31st that skips February, a clock seam left unread.
TEST(Reminders, RepeatingRemindersEndedForNowRestUntilTheirNextOccurrenceAndAlertThen)
{
    ZorlaCopy copy("ZorlaRepeat");
    int year = 0;
    const std::string first = OnFirstOfFebruary(0, year);
    const std::string y = std::to_string(year);
    TestFiles::Write(
        copy.Folder().File("Zorla_Timer"),
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<DATABASE><ENTRY _id_=\"1\" date=\"01/29/" + y +
            " 10:00:00\" notify=\"0\" repeat=\"day\" text=\"Tee\" wndX=\"200\" wndY=\"150\"/><ENTRY "
            "_id_=\"2\" date=\"01/31/" +
            y + " 09:00:00\" notify=\"0\" repeat=\"month\" text=\"Miete\" wndX=\"400\" wndY=\"150\"/></DATABASE>");
    RunningZorla zorla(copy, {first});
    HWND main = zorla.Main();
    HWND daily = WaitForAlert("Zorla 1.0TID:1");
    HWND monthly = WaitForAlert("Zorla 1.0TID:2");
    ASSERT_TRUE(daily && monthly);
    ASSERT_TRUE(EndThisOccurrence(copy, daily, zorla.Process(),
                                  "date=\"02/02/" + y + " 10:00:00\" notify=\"0\" repeat=\"day\""));
    EXPECT_TRUE(EndThisOccurrence(copy, monthly, zorla.Process(),
                                  std::string("date=\"02/") + (year % 4 == 0 ? "29" : "28") + "/" + y +
                                      " 09:00:00\" notify=\"0\" repeat=\"month\" repeatDay=\"31\""));
    char label[64] = "";
    GetWindowTextA(GetDlgItem(daily, IDC_NOTE_DATE), label, sizeof label);
    EXPECT_EQ("02.02." + y.substr(2) + " 10:00 \xB7 daily", std::string(label));
    EXPECT_FALSE(WaitUntil([&] { return TopMost(daily) || TopMost(monthly); }, 2000)) << "no second alert";
    ASSERT_TRUE(zorla.Exit());

    main = zorla.Restart({OnFirstOfFebruary(1, year)});
    EXPECT_NE(WaitForAlert("Zorla 1.0TID:1"), nullptr) << "due again the day after";
    EXPECT_TRUE(zorla.Exit());
}
