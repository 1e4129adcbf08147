// The names an installation already holds: a user's registry values and data
// files as earlier versions wrote them are read, and written back, under the
// very same names, whatever the code calls things. The names are spelled out
// here on purpose, not taken from the program's constants.
#include "MainWindowFixture.h"

#include "support/MessagePump.h"
#include "support/ScopedTestClock.h"
#include "support/TestFiles.h"
#include "weather/WeatherFeeds.h"

namespace {

const char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n";

class StoredNames : public MainWindowFixture {};

TEST_F(StoredNames, AnOldInstallationIsReadAndWrittenUnderItsOwnNames)
{
    ScopedTestClock clock(2026, 12, 8, 9, 0, 0);
    TestRegistry::WriteDword(App(), "CQuokkaDlg", "TopMost", 0);
    TestRegistry::WriteDword(App(), "CQuokkaDlg", "WndX", 100);
    TestRegistry::WriteDword(App(), "CQuokkaDlg", "WndY", 60);
    TestRegistry::WriteDword(App(), "CZorlaDlg", "bSound", 1);
    TestRegistry::WriteDword(App(), "CZorlaDlg", "bNoInetConnect", 0);
    TestRegistry::WriteString(App(), "CZorlaDlg", "strCurWeatherComobSelectionID", "Bremen");
    TestRegistry::WriteString(App(), "CActionWeather", "szLastUpdate", "12/08/2026 08:55:00");
    TestFiles::Write(folder.File("Zorla_Notes"), std::string(kDeclaration) +
                                                     "<DATABASE><ENTRY _id_=\"1\" date=\"12/01/2026 10:00:00\" "
                                                     "text=\"Milk\" wndX=\"-1\" wndY=\"-1\"/></DATABASE>");
    TestFiles::Write(folder.File("Zorla_Timer"), std::string(kDeclaration) +
                                                     "<DATABASE><ENTRY _id_=\"1\" date=\"12/24/2026 18:00:00\" "
                                                     "notify=\"0\" text=\"Presents\" wndX=\"-1\" wndY=\"-1\"/></DATABASE>");
    TestFiles::Write(folder.File("Zorla_Deleted"), std::string(kDeclaration) +
                                                       "<DATABASE><ENTRY _id_=\"1\" date=\"11/30/2026 10:00:00\" "
                                                       "text=\"Old\" wndX=\"-1\" wndY=\"-1\"/></DATABASE>");
    TestFiles::Write(folder.File("Zorla_Weather"), WeatherFeeds::Good());

    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    RECT place{};
    GetWindowRect(window, &place);
    EXPECT_EQ(place.left, 100);
    EXPECT_EQ(place.top, 60);
    EXPECT_EQ(dlg->Switches().playSounds, 1);
    EXPECT_EQ(dlg->Switches().noInternet, 0);
    const std::vector<CEntry> stored = dlg->program.Model().StoredEntries();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].text, "Presents");
    EXPECT_EQ(stored[1].text, "Milk");
    EXPECT_TRUE(dlg->program.Model().CanRestore());
    ASSERT_TRUE(PumpMessagesUntil([&] { return Cities().size() == 5; }, 5000)) << "the stored weather";
    EXPECT_EQ(SelectedCity(), "Bremen");
    EXPECT_FALSE(dlg->program.Model().IsWeatherUpdateInProgress()) << "the stamp says the weather is fresh";

    Command(ID_TOP_MOST);
    Close();
    EXPECT_EQ(RegistryDword("CQuokkaDlg", "TopMost"), 1u);
    EXPECT_EQ(RegistryDword("CQuokkaDlg", "WndX"), 100u);
    EXPECT_EQ(RegistryDword("CZorlaDlg", "bSound"), 1u);
    EXPECT_EQ(RegistryDword("CZorlaDlg", "bNoInetConnect"), 0u);
    EXPECT_EQ(RegistryString("CZorlaDlg", "strCurWeatherComobSelectionID"), "Bremen");
    for (const char* file : {"Zorla_Notes", "Zorla_Timer", "Zorla_Deleted", "Zorla_Weather"})
        EXPECT_TRUE(TestFiles::Exists(folder.File(file))) << file;
    EXPECT_NE(TestFiles::Bytes(folder.File("Zorla_Timer")).find("text=\"Presents\""), std::string::npos);
}

}  // namespace
