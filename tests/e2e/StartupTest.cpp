// The real Zorla.exe in its own processes: single instance, launch counter,
// settings and position written on the way out.
#include "resource.h"
#include "support/CreatedWindows.h"
#include "support/MessageBoxWatcher.h"
#include "support/TestFiles.h"
#include "support/RunningZorla.h"
#include "support/TestRegistry.h"
#include "support/ZorlaCopy.h"
#include "weather/WeatherFeeds.h"

#include <gtest/gtest.h>

namespace {

DWORD LaunchCount(const ZorlaCopy& copy)
{
    DWORD count = 0;
    TestRegistry::ReadDword(copy.Name(), "CZorlaApp", "LC", count);
    return count;
}

// Starts a second process while a first one runs and returns what it showed.
SeenBox RefusedSecondStart(const ZorlaCopy& copy)
{
    RunningZorla first(copy);
    HWND main = first.Main();
    EXPECT_NE(main, nullptr);
    auto second = copy.Start();
    MessageBoxWatcher watcher(second->Id(), IDOK, 20000);
    SeenBox box = watcher.Result();
    DWORD code = 1;
    EXPECT_TRUE(second->WaitExit(20000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(WaitForProcessWindow(second->Id(), kMainTitle, 0), nullptr);
    EXPECT_TRUE(first.Exit());
    return box;
}

}  // namespace

TEST(Startup, SecondInstanceIsRefusedWithItsMessageAndIsNotCounted)
{
    ZorlaCopy copy("ZorlaSecond");
    const SeenBox box = RefusedSecondStart(copy);
    ASSERT_TRUE(box.seen);
    EXPECT_EQ(box.caption, "Warning");
    EXPECT_EQ(box.text, "Zorla 1.0 already running on this machine.");
    // Icons are private to their process under Wine: only their presence shows here.
    EXPECT_NE(box.icon, nullptr);
    EXPECT_EQ(LaunchCount(copy), 1u);
}

// A refused start must not load the running instance's files: loading alone sets
// an unparsable file aside, and a second main window would save over the first's.
TEST(Startup, RefusedSecondInstanceTouchesNoDataFileAndMakesNoWindow)
{
    ZorlaCopy copy("ZorlaUntouched");
    const std::string notes = copy.Folder().File("Zorla_Notes");
    const std::string weather = copy.Folder().File("Zorla_Weather");
    const std::string feed = WeatherFeeds::Document(WeatherFeeds::Entry("Bonn", "8"));
    ASSERT_TRUE(TestFiles::Write(weather, feed));
    TestRegistry::WriteString(copy.Name(), "CActionWeather", "szLastUpdate", ZorlaCopy::StampOfNow());
    RunningZorla first(copy);
    HWND main = first.Main();
    ASSERT_NE(main, nullptr);
    // Whatever happens to the files once the running instance has read them is
    // the second start's doing.
    ASSERT_TRUE(ZorlaCopy::WaitUntilCitiesShown(main, 1));

    const std::string garbage = "<DATABASE><ENTRY _id_=\"1\" text=\"cut off";
    ASSERT_TRUE(TestFiles::Write(notes, garbage));
    ASSERT_TRUE(TestFiles::SetWriteTime(weather, 2001, 5, 17));
    const ULONGLONG weatherTime = TestFiles::WriteTime(weather);

    CreatedWindowsLog windows;
    ASSERT_TRUE(windows.Running());
    auto second = copy.Start();
    ASSERT_NE(second, nullptr);
    MessageBoxWatcher watcher(second->Id(), IDOK, 20000);
    const SeenBox box = watcher.Result();
    ASSERT_TRUE(box.seen);
    EXPECT_EQ(box.text, "Zorla 1.0 already running on this machine.");
    ASSERT_TRUE(second->WaitExit(20000));

    EXPECT_EQ(TestFiles::Bytes(notes), garbage);
    EXPECT_FALSE(TestFiles::Exists(notes + ".bad"));
    EXPECT_FALSE(TestFiles::Exists(weather + ".tmp"));
    EXPECT_EQ(TestFiles::Bytes(weather), feed);
    EXPECT_EQ(TestFiles::WriteTime(weather), weatherTime);

    // Its own top-level windows: the box, and the input-method window the system
    // gives every thread that makes windows. A main window would be a second dialog.
    int dialogs = 0;
    // On a loaded machine a short-lived window may be gone before its class
    // is read: it has no name then, and was not a window that stayed.
    for (const CreatedWindow& created : windows.Of(second->Id())) {
        if (!created.topLevel || created.className == "IME" || created.className.empty())
            continue;
        EXPECT_EQ(created.className, "#32770");
        ++dialogs;
    }
    EXPECT_EQ(dialogs, 1) << "the box only";

    EXPECT_TRUE(first.Exit());
}

TEST(GermanStartup, SecondInstanceMessageIsGerman)
{
    ZorlaCopy copy("ZorlaZweite");
    const SeenBox box = RefusedSecondStart(copy);
    ASSERT_TRUE(box.seen);
    EXPECT_EQ(box.caption, "Warnung");
    EXPECT_EQ(box.text, "Zorla 1.0 wird bereits ausgeführt");
}

TEST(Startup, TenStartsCountTen)
{
    ZorlaCopy copy("ZorlaTen");
    for (int i = 0; i < 10; ++i) {
        RunningZorla zorla(copy);
        ASSERT_NE(zorla.Main(), nullptr) << "start " << i + 1;
        ASSERT_TRUE(zorla.Exit());
    }
    EXPECT_EQ(LaunchCount(copy), 10u);
}

TEST(Startup, CopiesUnderOtherNamesRunSideBySide)
{
    ZorlaCopy one("ZorlaOne");
    ZorlaCopy two("ZorlaTwo");
    RunningZorla first(one);
    RunningZorla second(two);
    ASSERT_NE(first.Main(), nullptr);
    ASSERT_NE(second.Main(), nullptr);
    EXPECT_EQ(LaunchCount(one), 1u);
    EXPECT_EQ(LaunchCount(two), 1u);
    EXPECT_TRUE(first.Exit());
    EXPECT_TRUE(second.Exit());
}

TEST(Startup, FreshUserGetsTheDefaultsAndExitWritesSettingsAndPosition)
{
    ZorlaCopy copy("ZorlaFresh");
    RunningZorla zorla(copy);
    HWND main = zorla.Main();
    ASSERT_NE(main, nullptr);

    RECT rect{};
    GetWindowRect(main, &rect);
    EXPECT_EQ(rect.left, GetSystemMetrics(SM_CXFULLSCREEN) - 440 - 20);
    EXPECT_EQ(rect.top, GetSystemMetrics(SM_CYFULLSCREEN) - 444 - 50);
    EXPECT_EQ(rect.right - rect.left, 440);
    EXPECT_EQ(rect.bottom - rect.top, 444);
    EXPECT_TRUE(GetWindowLongPtrA(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongPtrA(main, GWL_STYLE) & WS_SYSMENU);

    SetWindowPos(main, nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(zorla.Exit());

    DWORD x = 0, y = 0, sound = 9, noInternet = 9;
    std::string city;
    ASSERT_TRUE(TestRegistry::ReadDword(copy.Name(), "CQuokkaDlg", "WndX", x));
    ASSERT_TRUE(TestRegistry::ReadDword(copy.Name(), "CQuokkaDlg", "WndY", y));
    EXPECT_EQ(x, 123u);
    EXPECT_EQ(y, 77u);
    ASSERT_TRUE(TestRegistry::ReadDword(copy.Name(), "CZorlaDlg", "bSound", sound));
    ASSERT_TRUE(TestRegistry::ReadDword(copy.Name(), "CZorlaDlg", "bNoInetConnect", noInternet));
    ASSERT_TRUE(TestRegistry::ReadString(copy.Name(), "CZorlaDlg", "strCurWeatherComobSelectionID", city));
    EXPECT_EQ(sound, 0u);
    EXPECT_EQ(noInternet, 1u);
    EXPECT_EQ(city, "München");
}

TEST(Startup, StoredSettingsAreReadAndFlagsWrittenBackAsZeroOrOne)
{
    ZorlaCopy copy("ZorlaStored");
    TestRegistry::WriteDword(copy.Name(), "CZorlaDlg", "bSound", 7);
    TestRegistry::WriteDword(copy.Name(), "CZorlaDlg", "bNoInetConnect", 0);
    TestRegistry::WriteDword(copy.Name(), "CQuokkaDlg", "TopMost", 0);
    TestRegistry::WriteDword(copy.Name(), "CQuokkaDlg", "WndX", static_cast<DWORD>(-300));
    TestRegistry::WriteDword(copy.Name(), "CQuokkaDlg", "WndY", 40);
    RunningZorla zorla(copy);
    HWND main = zorla.Main();
    ASSERT_NE(main, nullptr);
    RECT rect{};
    GetWindowRect(main, &rect);
    EXPECT_EQ(rect.left, -300);
    EXPECT_EQ(rect.top, 40);
    EXPECT_FALSE(GetWindowLongPtrA(main, GWL_EXSTYLE) & WS_EX_TOPMOST);
    ASSERT_TRUE(zorla.Exit());
    DWORD sound = 0, noInternet = 9;
    TestRegistry::ReadDword(copy.Name(), "CZorlaDlg", "bSound", sound);
    TestRegistry::ReadDword(copy.Name(), "CZorlaDlg", "bNoInetConnect", noInternet);
    EXPECT_EQ(sound, 1u);
    EXPECT_EQ(noInternet, 0u);
}

TEST(Startup, EnterAndEscapeNeverCloseTheMainWindow)
{
    ZorlaCopy copy("ZorlaKeys");
    RunningZorla zorla(copy);
    HWND main = zorla.Main();
    ASSERT_NE(main, nullptr);
    for (WPARAM key : {VK_ESCAPE, VK_RETURN}) {
        PostMessageA(main, WM_KEYDOWN, key, 0);
        PostMessageA(main, WM_KEYUP, key, 0);
        PostMessageA(main, WM_COMMAND, key == VK_ESCAPE ? IDCANCEL : IDOK, 0);
    }
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored);
    EXPECT_FALSE(zorla.Process().WaitExit(500));
    EXPECT_TRUE(IsWindow(main));
    EXPECT_TRUE(zorla.Exit());
}

// Temporaries of a save or of the mail's archive cut off by a kill go at the
// next start; nothing else in either folder does.
TEST(Startup, StartRemovesItsOwnLeftoversOnly)
{
    ZorlaCopy copy("ZorlaLeftovers");
    TempFolder temp;
    char savedTmp[MAX_PATH] = "";
    const bool hadTmp = GetEnvironmentVariableA("TMP", savedTmp, sizeof savedTmp) != 0;
    // The copy inherits the temporary folder from this process.
    ASSERT_TRUE(SetEnvironmentVariableA("TMP", temp.Path().c_str()));

    const std::string saved = copy.Folder().File("Zorla_Notes.tmp");
    const std::string packed = temp.File("ZorlaLeftovers.zip.0A1B2C3D.tmp");
    const std::string setAside = copy.Folder().File("Zorla_Notes.bad");
    const std::string foreign = temp.File("zrl1A2B.tmp");
    const std::string otherProgram = temp.File("Zorla.zip.0A1B2C3D.tmp");
    for (const std::string& file : {saved, packed, setAside, foreign, otherProgram})
        ASSERT_TRUE(TestFiles::Write(file, "left"));

    RunningZorla zorla(copy);
    HWND main = zorla.Main();
    SetEnvironmentVariableA("TMP", hadTmp ? savedTmp : nullptr);
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(TestFiles::Exists(saved));
    EXPECT_FALSE(TestFiles::Exists(packed));
    EXPECT_TRUE(TestFiles::Exists(setAside));
    EXPECT_TRUE(TestFiles::Exists(foreign));
    EXPECT_TRUE(TestFiles::Exists(otherProgram));
    EXPECT_TRUE(zorla.Exit());
}
