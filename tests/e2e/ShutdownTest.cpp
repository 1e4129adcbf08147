// The real Zorla.exe ended in every way its user's session ends it: the Exit
// command, closing the window, and Windows ending the session (whichever of the
// program's modal loop and WM_ENDSESSION comes first). All must leave the same
// settings and data files behind.
#include "resource.h"
#include "support/MessagePump.h"
#include "support/RemoteData.h"
#include "support/TestFiles.h"
#include "support/TestRegistry.h"
#include "support/RunningZorla.h"
#include "support/ZorlaCopy.h"
#include "weather/WeatherFeeds.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>

namespace {

// Sorted in the city list: Berlin, Hamburg, München (the default city).
std::string ThreeCities()
{
    using namespace WeatherFeeds;
    return Document(Entry("Hamburg", "9") + Entry("M\xFCnchen", "12") + Entry("Berlin", "10"));
}

// Generous: saving an entry waits for the disk, which other builds may keep busy.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* answered = nullptr)
{
    DWORD_PTR result = 0;
    const bool sent = SendMessageTimeoutA(window, message, wParam, lParam, SMTO_BLOCK, 60000, &result) != 0;
    if (answered)
        *answered = sent;
    return static_cast<LRESULT>(result);
}

// A command of the command table, answered by the program.
bool Command(HWND main, UINT id)
{
    bool answered = false;
    Send(main, WM_COMMAND, id, 0, &answered);
    return answered;
}

bool Shown(HWND main, int id)
{
    return (GetWindowLongPtrA(GetDlgItem(main, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

SYSTEMTIME Tomorrow()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    FILETIME time{};
    SystemTimeToFileTime(&now, &time);
    ULARGE_INTEGER value{};
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    value.QuadPart += 24ull * 60 * 60 * 10000000;
    time.dwLowDateTime = value.LowPart;
    time.dwHighDateTime = value.HighPart;
    SYSTEMTIME tomorrow{};
    FileTimeToSystemTime(&time, &tomorrow);
    return tomorrow;
}

const int kSeedYear = 2001;

// Starts the copy with three stored cities and makes the changes a user would:
// another city, a note, a reminder, sounds on, internet allowed, a new place.
void StartAndChange(const ZorlaCopy& copy, std::unique_ptr<RunningZorla>& zorla, HWND& main)
{
    const std::string weather = copy.Folder().File("Zorla_Weather");
    ASSERT_TRUE(TestFiles::Write(weather, ThreeCities()));
    ASSERT_TRUE(TestFiles::SetWriteTime(weather, kSeedYear, 5, 17));
    TestRegistry::WriteString(copy.Name(), "CActionWeather", "szLastUpdate", ZorlaCopy::StampOfNow());

    zorla = std::make_unique<RunningZorla>(copy);
    main = zorla->Main();
    ASSERT_NE(main, nullptr);
    // The city list is made, and filled from the stored weather, right after the
    // first paint.
    HWND cities = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            cities = GetDlgItem(main, IDC_CITY_LIST);
            return cities && Send(cities, CB_GETCOUNT, 0, 0) == 3;
        },
        20000));

    ASSERT_TRUE(Command(main, ID_SHOW_WEATHER));
    ASSERT_EQ(Send(cities, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Hamburg")), 1);
    Send(main, WM_COMMAND, MAKEWPARAM(IDC_CITY_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(cities));

    HWND editor = GetDlgItem(main, IDC_EDITOR_TEXT);
    ASSERT_TRUE(Command(main, ID_SHOW_NOTE_EDITOR));
    Send(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Buy milk"));
    ASSERT_TRUE(Command(main, ID_SHOW_HOME));

    // The editor proposes the next full hour of today, which has passed during
    // the last hour of a day: tomorrow is always ahead.
    ASSERT_TRUE(Command(main, ID_SHOW_REMINDER_EDITOR));
    SYSTEMTIME day = Tomorrow();
    ASSERT_TRUE(SendWithRemoteData(GetDlgItem(main, IDC_DATE_PICKER), DTM_SETSYSTEMTIME, GDT_VALID, &day, sizeof day));
    Send(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Dentist"));
    ASSERT_TRUE(Command(main, ID_SHOW_HOME)) << "a box about a past reminder blocks the window";
    ASSERT_FALSE(Shown(main, IDC_EDITOR_TEXT));

    ASSERT_TRUE(Command(main, ID_PLAY_SOUNDS));
    ASSERT_TRUE(Command(main, ID_NO_INTERNET));
    SetWindowPos(main, nullptr, 210, 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Windows asks every program, then tells those that agreed that the session
// ends, and may end their processes as soon as that message returns: whatever
// is not saved by then is lost.
void EndSession(HWND main, TestProcess& process)
{
    bool answered = false;
    const LRESULT allowed = Send(main, WM_QUERYENDSESSION, 0, 0, &answered);
    ASSERT_TRUE(answered);
    EXPECT_TRUE(allowed);
    if (process.Running()) {
        Send(main, WM_ENDSESSION, TRUE, 0, &answered);
        if (answered)
            process.Kill();
    }
    ASSERT_TRUE(process.WaitExit(20000));
}

struct Answer {
    bool answered = false;
    LRESULT result = 0;
};

void CALLBACK TakeAnswer(HWND, UINT, ULONG_PTR context, LRESULT result)
{
    auto* answer = reinterpret_cast<Answer*>(context);
    answer->answered = true;
    answer->result = result;
}

// The same, with WM_ENDSESSION arriving before the program's modal loop has run
// again after agreeing: its thread is held while both messages are queued, and a
// thread takes sent messages before posted ones.
void EndSessionAtOnce(HWND main, TestProcess& process)
{
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(main, nullptr));
    ASSERT_NE(thread, nullptr);
    ASSERT_NE(SuspendThread(thread), static_cast<DWORD>(-1));
    Answer query, end;
    SendMessageCallbackA(main, WM_QUERYENDSESSION, 0, 0, TakeAnswer, reinterpret_cast<ULONG_PTR>(&query));
    SendMessageCallbackA(main, WM_ENDSESSION, TRUE, 0, TakeAnswer, reinterpret_cast<ULONG_PTR>(&end));
    ResumeThread(thread);
    CloseHandle(thread);
    ASSERT_TRUE(PumpMessagesUntil([&] { return end.answered; }, 20000));
    EXPECT_TRUE(query.answered);
    EXPECT_TRUE(query.result);
    process.Kill();
    ASSERT_TRUE(process.WaitExit(20000));
}

// What a run left behind; the entries' dates are left out, since notes carry
// the moment they were written.
struct Saved {
    DWORD sound = 9;
    DWORD noInternet = 9;
    DWORD x = 0;
    DWORD y = 0;
    std::string city;
    std::string notes;
    std::string timers;
    std::string weather;
    ULONGLONG weatherTime = 0;
};

Saved ReadSaved(const ZorlaCopy& copy)
{
    const std::regex date(" date=\"[^\"]*\"");
    Saved saved;
    TestRegistry::ReadDword(copy.Name(), "CZorlaDlg", "bSound", saved.sound);
    TestRegistry::ReadDword(copy.Name(), "CZorlaDlg", "bNoInetConnect", saved.noInternet);
    TestRegistry::ReadString(copy.Name(), "CZorlaDlg", "strCurWeatherComobSelectionID", saved.city);
    TestRegistry::ReadDword(copy.Name(), "CQuokkaDlg", "WndX", saved.x);
    TestRegistry::ReadDword(copy.Name(), "CQuokkaDlg", "WndY", saved.y);
    saved.notes = std::regex_replace(TestFiles::Bytes(copy.Folder().File("Zorla_Notes")), date, "");
    saved.timers = std::regex_replace(TestFiles::Bytes(copy.Folder().File("Zorla_Timer")), date, "");
    saved.weather = TestFiles::Bytes(copy.Folder().File("Zorla_Weather"));
    saved.weatherTime = TestFiles::WriteTime(copy.Folder().File("Zorla_Weather"));
    return saved;
}

// Later than the stored weather's own stamp: a file the program has written.
ULONGLONG AfterTheSeed()
{
    SYSTEMTIME moment{};
    moment.wYear = kSeedYear + 1;
    moment.wMonth = 1;
    moment.wDay = 1;
    FILETIME time{};
    SystemTimeToFileTime(&moment, &time);
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

void EndWithExit(HWND main, TestProcess& process)
{
    ASSERT_TRUE(ZorlaCopy::Exit(main, process));
}

// The system menu's Close, Alt+F4 and the taskbar's Close all send this.
void EndWithClose(HWND main, TestProcess& process)
{
    PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(process.WaitExit(20000));
}

void RunAndEnd(const ZorlaCopy& copy, void (*end)(HWND, TestProcess&))
{
    std::unique_ptr<RunningZorla> zorla;
    HWND main = nullptr;
    ASSERT_NO_FATAL_FAILURE(StartAndChange(copy, zorla, main));
    ASSERT_NO_FATAL_FAILURE(end(main, zorla->Process()));
}

void ExpectSameAs(const Saved& exited, const ZorlaCopy& copy)
{
    const Saved ended = ReadSaved(copy);
    EXPECT_EQ(ended.sound, exited.sound);
    EXPECT_EQ(ended.noInternet, exited.noInternet);
    EXPECT_EQ(ended.city, exited.city);
    EXPECT_EQ(ended.x, exited.x);
    EXPECT_EQ(ended.y, exited.y);
    EXPECT_EQ(ended.notes, exited.notes);
    EXPECT_EQ(ended.timers, exited.timers);
    EXPECT_EQ(ended.weather, exited.weather);
    EXPECT_GT(ended.weatherTime, AfterTheSeed()) << "the weather is saved on the way out";
}

}  // namespace

TEST(Shutdown, EndingTheSessionSavesWhatExitSaves)
{
    ZorlaCopy byExit("ZorlaByExit");
    ASSERT_NO_FATAL_FAILURE(RunAndEnd(byExit, EndWithExit));
    const Saved exited = ReadSaved(byExit);
    // The changes, not the defaults.
    EXPECT_EQ(exited.sound, 1u);
    EXPECT_EQ(exited.noInternet, 0u);
    EXPECT_EQ(exited.city, "Hamburg");
    EXPECT_EQ(exited.x, 210u);
    EXPECT_EQ(exited.y, 130u);
    EXPECT_NE(exited.notes.find("text=\"Buy milk\""), std::string::npos) << exited.notes;
    EXPECT_NE(exited.timers.find("text=\"Dentist\""), std::string::npos) << exited.timers;
    EXPECT_NE(exited.weather.find("<ENTRY>Hamburg<WEATHER>"), std::string::npos) << exited.weather;
    EXPECT_GT(exited.weatherTime, AfterTheSeed()) << "the weather is saved on the way out";

    {
        SCOPED_TRACE("the modal loop ends first");
        ZorlaCopy bySession("ZorlaBySession");
        ASSERT_NO_FATAL_FAILURE(RunAndEnd(bySession, EndSession));
        ExpectSameAs(exited, bySession);
    }
    {
        SCOPED_TRACE("WM_ENDSESSION comes first");
        ZorlaCopy atOnce("ZorlaAtOnce");
        ASSERT_NO_FATAL_FAILURE(RunAndEnd(atOnce, EndSessionAtOnce));
        ExpectSameAs(exited, atOnce);
    }
}

TEST(Shutdown, ClosingTheWindowSavesWhatExitSaves)
{
    ZorlaCopy byExit("ZorlaByExit");
    ASSERT_NO_FATAL_FAILURE(RunAndEnd(byExit, EndWithExit));
    ZorlaCopy byClose("ZorlaByClose");
    ASSERT_NO_FATAL_FAILURE(RunAndEnd(byClose, EndWithClose));
    const Saved exited = ReadSaved(byExit);
    ASSERT_EQ(exited.city, "Hamburg");
    ExpectSameAs(exited, byClose);
}
