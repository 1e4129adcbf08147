// The main window's command table and the ways into it: its switches, the
// system menu's About item and the box it opens, a double click, and what the
// system keeps doing with its own system-menu commands.
#include "MainWindowFixture.h"

#include "mainwnd/HotSpotId.h"

#include "shared/WebAddresses.h"
#include "support/RecordingOpener.h"
#include "support/WhileModal.h"

namespace {

using MainWindowCommands = MainWindowFixture;

bool TopMost(HWND window)
{
    return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

}  // namespace

TEST_F(MainWindowCommands, SoundAndInternetSwitchesReachTheirReadersAndAreWrittenWhenTheWindowGoes)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_FALSE(dlg->program.Sounds().IsOn());
    ASSERT_TRUE(dlg->Switches().noInternet);

    Command(ID_PLAY_SOUNDS);
    EXPECT_TRUE(dlg->program.Sounds().IsOn());
    Command(ID_NO_INTERNET);
    EXPECT_FALSE(dlg->Switches().noInternet);
    Command(ID_PLAY_SOUNDS);
    EXPECT_FALSE(dlg->program.Sounds().IsOn());
    Command(ID_PLAY_SOUNDS);
    EXPECT_TRUE(dlg->program.Sounds().IsOn());

    Close();
    EXPECT_EQ(RegistryDword("CZorlaDlg", "bSound"), 1u);
    EXPECT_EQ(RegistryDword("CZorlaDlg", "bNoInetConnect"), 0u);
}

TEST_F(MainWindowCommands, TopMostSwitchChangesTheWindowAndIsWrittenAtOnce)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_TRUE(TopMost(window)) << "top-most by default";
    // The timer editor's date pickers own hidden popups, which keep Wine from
    // changing the top-most state unless they are let go for the moment.
    Command(ID_SHOW_REMINDER_EDITOR);

    Command(ID_TOP_MOST);
    EXPECT_FALSE(TopMost(window));
    EXPECT_EQ(RegistryDword("CQuokkaDlg", "TopMost"), 0u);
    Command(ID_TOP_MOST);
    EXPECT_TRUE(TopMost(window));
    EXPECT_EQ(RegistryDword("CQuokkaDlg", "TopMost"), 1u);
    Command(ID_TOP_MOST);
    Close();

    // The next start keeps it.
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_FALSE(TopMost(window));
}

TEST_F(MainWindowCommands, TheSystemMenusAboutItemOpensTheAboutBoxAndADoubleClickFollowsTheLink)
{
    RecordingOpener opener;
    opener.shellResult = 42;
    InstalledOpener installed(opener);
    ASSERT_NO_FATAL_FAILURE(Open());
    char text[64] = "";
    ASSERT_GT(GetMenuStringA(GetSystemMenu(window, FALSE), IDM_SYSTEM_ABOUT, text, sizeof text, MF_BYCOMMAND), 0);
    EXPECT_STREQ(text, "About Zorla 1.0...");

    // The system menu uses the low four bits of its items itself.
    for (WPARAM item : {WPARAM{IDM_SYSTEM_ABOUT}, WPARAM{IDM_SYSTEM_ABOUT | 0x3}}) {
        bool agencyLink = false;
        WhileModal whileOpen([&] { return FindOwnedDialog(window); },
                             [&](HWND box) {
                                 agencyLink = GetDlgItem(box, IDC_ABOUT_AGENCY_LINK) != nullptr;
                                 PostMessageA(box, WM_CLOSE, 0, 0);
                             });
        EXPECT_EQ(SendMessageA(window, WM_SYSCOMMAND, item, 0), 0);
        EXPECT_TRUE(whileOpen.Ran()) << item;
        EXPECT_FALSE(whileOpen.GaveUp()) << item;
        EXPECT_TRUE(agencyLink) << "the About box, for " << item;
        EXPECT_FALSE(FindOwnedDialog(window));
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_FALSE(IsIconic(window));
    }
    EXPECT_TRUE(opener.Calls().empty()) << "closing the box follows no link";
    SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(60, 250));
    EXPECT_TRUE(opener.WaitForCalls(1)) << "the double click follows the link";
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(dlg->Face().GetView(), MainView::Home);
}

TEST_F(MainWindowCommands, MinimisedWindowSavesThePlaceItHadBefore)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    SetWindowPos(window, nullptr, 150, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(IsIconic(window)) << "the system's own commands still reach the system";
    Close();
    EXPECT_EQ(RegistryDword("CQuokkaDlg", "WndX"), 150u);
    EXPECT_EQ(RegistryDword("CQuokkaDlg", "WndY"), 90u);
}

TEST_F(MainWindowCommands, TheLinkItsCommandTheLogoAndADoubleClickOpenTheBrandsSite)
{
    RecordingOpener opener;
    opener.shellResult = 42;
    InstalledOpener installed(opener);
    ASSERT_NO_FATAL_FAILURE(Open());
    HWND link = Item(IDC_WEBLINK);
    EXPECT_TRUE(IsWindowVisible(link));
    EXPECT_EQ(ZORLA_BRAND_HOST, GetWindowTextString(link));
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(link, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_TRUE(font.lfUnderline);
    // On the plate of the picture, keeping its right edge as it fits its text.
    RECT place{};
    GetWindowRect(link, &place);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(410, place.right);
    EXPECT_GE(place.left, 262);
    EXPECT_GE(place.top, 414);
    EXPECT_LE(place.bottom, 431);

    Command(ID_WEB_LINK);
    ASSERT_TRUE(opener.WaitForCalls(1));
    dlg->OnHotSpot(HotSpotBrandLogo);
    ASSERT_TRUE(opener.WaitForCalls(2));
    SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(60, 250));
    ASSERT_TRUE(opener.WaitForCalls(3));
    for (const std::string& call : opener.Calls())
        EXPECT_EQ("shell " ZORLA_BRAND_URL "|", call);
}
