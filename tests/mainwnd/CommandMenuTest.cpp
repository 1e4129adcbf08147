// The command menu: which rows show in which view, their check images, and a
// choice made with the keyboard reaching the command table.
#include "MainWindowFixture.h"

#include "framework/AfxFunctions.h"
#include "mainwnd/CommandMenu.h"
#include "shared/CAutostart.h"
#include "shared/AppTranslator.h"
#include "shared/Translator.h"
#include "shared/WebAddresses.h"
#include "support/MessagePump.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"
#include "support/WhileModal.h"

#include <cctype>

namespace {

std::vector<std::string> Texts(const std::vector<PopupMenuItem>& items)
{
    std::vector<std::string> texts;
    for (const PopupMenuItem& item : items)
        texts.push_back(item.Is(MIF_SEPARATOR) ? "-" : item.text);
    return texts;
}

int ImageOf(const std::vector<PopupMenuItem>& items, UINT id)
{
    for (const PopupMenuItem& item : items)
        if (item.commandId == id)
            return item.imageIndex;
    return -2;
}

// The letter after the "&", lower-cased; 0 for none.
char Mnemonic(const std::string& text)
{
    const size_t at = text.find('&');
    return at == std::string::npos || at + 1 >= text.size() ? 0 : static_cast<char>(std::tolower(text[at + 1]));
}

// A row's letter is its own in every view.
void ExpectMnemonicUnique(CommandMenuState state, char letter)
{
    for (MainView view : {MainView::Home, MainView::Weather, MainView::Notes}) {
        state.view = view;
        int uses = 0;
        for (const PopupMenuItem& item : CommandMenuItems(state))
            uses += !item.Is(MIF_SEPARATOR) && Mnemonic(item.text) == letter ? 1 : 0;
        EXPECT_EQ(1, uses) << letter << " in view " << MaskOf(view);
    }
}

bool IsGrey(const std::vector<PopupMenuItem>& items, UINT id)
{
    for (const PopupMenuItem& item : items)
        if (item.commandId == id)
            return item.Is(MIF_GRAYED);
    return false;
}

using MainWindowMenu = MainWindowFixture;

}  // namespace

TEST(CommandMenu, TheMiddleGroupFollowsTheViewAndTheChecksTheSwitches)
{
    CommandMenuState state;
    state.view = MainView::Home;
    state.noInternet = true;
    state.topMost = true;
    const std::vector<PopupMenuItem> home = CommandMenuItems(state);
    EXPECT_EQ(Texts(home),
              (std::vector<std::string>{"E&xit", "&Minimize", "-", "&Notes", "&Timer", "&German weather", "-",
                                        "New note", "Show all notes", "Find a note...", "-", "Zorla 1.0 on the web", "&Send me to a friend...", "&Bring back a deleted note",
                                        "Keep notes in a &folder...", "Keep notes on this computer &only",
                                        "-", "&Do not connect to the internet", "&Play sounds", "&Always on top",
                                        "&Run on system start up", "&Configure...", "-", "About Zorla 1.0..."}));
    // A fresh user: checks at "do not connect" and "always on top" only.
    EXPECT_EQ(3, ImageOf(home, ID_NO_INTERNET));
    EXPECT_EQ(-1, ImageOf(home, ID_PLAY_SOUNDS));
    EXPECT_EQ(3, ImageOf(home, ID_TOP_MOST));
    EXPECT_EQ(4, ImageOf(home, ID_APP_EXIT));
    EXPECT_EQ(1, ImageOf(home, ID_SEND_TO_FRIEND));
    EXPECT_EQ(-1, ImageOf(home, ID_AUTOSTART));
    const PopupMenuItem& about = home.back();
    EXPECT_EQ(about.commandId, static_cast<UINT>(ID_ABOUT));
    EXPECT_EQ(about.imageIndex, 0) << "the question mark";
    EXPECT_EQ(about.highlightColour, RGB(49, 114, 165));
    state.autostart = true;
    EXPECT_EQ(3, ImageOf(CommandMenuItems(state), ID_AUTOSTART));
    // Grey while the bin is empty.
    EXPECT_TRUE(IsGrey(home, ID_RESTORE_DELETED));
    state.canRestore = true;
    EXPECT_FALSE(IsGrey(CommandMenuItems(state), ID_RESTORE_DELETED));
    for (char letter : {'b', 'f', 'o', 'c'})
        ExpectMnemonicUnique(state, letter);
    // The notes stay on this computer until a folder is chosen.
    EXPECT_EQ(-1, ImageOf(home, ID_KEEP_IN_FOLDER));
    EXPECT_EQ(3, ImageOf(home, ID_KEEP_LOCALLY));
    state.syncFolder = true;
    EXPECT_EQ(3, ImageOf(CommandMenuItems(state), ID_KEEP_IN_FOLDER));
    EXPECT_EQ(-1, ImageOf(CommandMenuItems(state), ID_KEEP_LOCALLY));

    state.view = MainView::Weather;
    state.playSounds = true;
    state.topMost = false;
    const std::vector<PopupMenuItem> weather = CommandMenuItems(state);
    EXPECT_EQ(Texts(weather)[3], "&Update weather data");
    EXPECT_EQ(Texts(weather)[4], "M&enu");
    EXPECT_EQ(Texts(weather)[5], "-");
    EXPECT_EQ(3, ImageOf(weather, ID_PLAY_SOUNDS));
    EXPECT_EQ(-1, ImageOf(weather, ID_TOP_MOST));

    for (MainView editor : {MainView::Notes, MainView::Reminder}) {
        state.view = editor;
        const std::vector<std::string> texts = Texts(CommandMenuItems(state));
        EXPECT_EQ(texts[3], "M&enu") << editor;
        EXPECT_EQ(texts[4], "-") << editor;
    }

    // In the tray the same row brings the window back.
    EXPECT_EQ(6, ImageOf(weather, ID_TOGGLE_TRAY));
    state.windowVisible = false;
    EXPECT_EQ(Texts(CommandMenuItems(state))[1], "&Maximize");
}

TEST(GermanCommandMenu, RowsAreGermanAndTheTitleIsFilledInAfterTranslation)
{
    FillTranslationTable(GetTranslator());
    CommandMenuState state;
    const std::vector<std::string> texts = Texts(CommandMenuItems(state));
    EXPECT_EQ(texts.back(), ("Info über Zorla 1.0..."));
    EXPECT_EQ(texts[0], "&Beenden");
    EXPECT_EQ(texts[1], "&Minimieren");
    EXPECT_EQ(texts[5], "&Biergartenwetter");
    EXPECT_EQ(texts[11], "Zorla 1.0 im Netz");
    EXPECT_EQ(texts[12], "&Sende mich an einen Freund...");
    EXPECT_EQ(texts[13], ("&Gelöschte Notiz zurückholen"));
    EXPECT_EQ(texts[14], "Notizen in einem O&rdner aufbewahren...");
    EXPECT_EQ(texts[15], "Notizen nur auf diesem &Computer");
    EXPECT_EQ(texts[18], ("&Klänge abspielen"));
    state.newNoteKey = "Win+Umschalt+N";
    const std::vector<std::string> withKeys = Texts(CommandMenuItems(state));
    EXPECT_EQ((std::vector<std::string>{"Neue Notiz\tWin+Umschalt+N", "Alle Notizen zeigen", "Notiz suchen..."}),
              std::vector<std::string>(withKeys.begin() + 7, withKeys.begin() + 10))
        << "a row shows its key when it has one";
    EXPECT_EQ(texts[21], "&Optionen...");
    for (char letter : {'g', 'r', 'c', 'o'})
        ExpectMnemonicUnique(state, letter);
}

TEST_F(MainWindowMenu, ARightClickOpensTheMenuAndAKeyChoosesTheCommand)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    Command(ID_SHOW_NOTE_EDITOR);
    ASSERT_FALSE(dlg->program.Sounds().IsOn());
    SendMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(60, 250));
    HWND menu = dlg->CommandMenu().GetSafeHwnd();
    ASSERT_TRUE(menu && IsWindowVisible(menu));
    EXPECT_EQ(Texts(dlg->CommandMenu().Items())[3], "M&enu") << "the note editor's middle group";

    // "&Play sounds" by its mnemonic; the command comes once the menu is gone.
    SendMessageA(menu, WM_CHAR, 'p', 0);
    EXPECT_TRUE(PumpMessagesUntil([&] { return dlg->program.Sounds().IsOn(); }, 3000));
    EXPECT_FALSE(IsWindow(menu));
}

TEST_F(MainWindowMenu, RunOnSystemStartUpMakesAndRemovesTheShortcutAndTheMenuChecksIt)
{
    // The shell link is a COM object: OLE is up as the application starts it,
    // not by chance through an activation.
    ASSERT_TRUE(AfxOleInit());
    struct OleUp {
        ~OleUp() { AfxOleTerm(FALSE); }
    } oleUp;
    ASSERT_NO_FATAL_FAILURE(Open());
    const CAutostart autostart(window);
    ASSERT_FALSE(autostart.AutostartShortcutExists());
    Command(ID_AUTOSTART);
    const bool made = autostart.AutostartShortcutExists();
    SendMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(60, 250));
    const int image = ImageOf(dlg->CommandMenu().Items(), ID_AUTOSTART);
    SendMessageA(dlg->CommandMenu().GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    Command(ID_AUTOSTART);
    const bool removed = !autostart.AutostartShortcutExists();
    // Whatever happened above, no shortcut of the tests stays behind.
    autostart.RemoveAutostartShortcut();
    EXPECT_TRUE(made);
    EXPECT_EQ(3, image) << "checked while the shortcut exists";
    EXPECT_TRUE(removed);
}

TEST_F(MainWindowMenu, TheLastRowOpensTheAboutBoxOverTheWindowUntilItIsClosed)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    SendMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(60, 250));
    HWND menu = dlg->CommandMenu().GetSafeHwnd();
    ASSERT_TRUE(menu && IsWindowVisible(menu));
    bool windowDisabled = false;
    SIZE boxSize{};
    std::string agency;
    WhileModal whileOpen([&] { return FindOwnedDialog(window); },
                         [&](HWND box) {
                             windowDisabled = !IsWindowEnabled(window);
                             RECT client{};
                             GetClientRect(box, &client);
                             boxSize = SIZE{client.right, client.bottom};
                             agency = GetWindowTextString(GetDlgItem(box, IDC_ABOUT_AGENCY_LINK));
                             PostMessageA(box, WM_CLOSE, 0, 0);
                         });
    // Up from no row wraps round to the last one.
    SendMessageA(menu, WM_KEYDOWN, VK_UP, 0);
    SendMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(PumpMessagesUntil([&] { return whileOpen.Ran() && !FindOwnedDialog(window); }, 5000));
    EXPECT_FALSE(whileOpen.GaveUp());
    EXPECT_TRUE(windowDisabled) << "the box is modal";
    EXPECT_EQ(boxSize.cx, 300);
    EXPECT_EQ(boxSize.cy, 350);
    EXPECT_EQ(agency, ZORLA_AGENCY_HOST);
    EXPECT_TRUE(IsWindowEnabled(window));
    EXPECT_TRUE(IsWindowVisible(window));
}

// The folder chosen in the picker is where this computer's file goes from then
// on, and is remembered for the next start; the second row ends it.
TEST_F(MainWindowMenu, KeepNotesInAFolderWritesThisComputersFileThereUntilTheNotesStayHere)
{
    TempFolder shared;
    ASSERT_NO_FATAL_FAILURE(Open());
    dlg->program.SetFolderPicker([&] { return shared.Path(); });
    dlg->program.Model().AddNote("on every computer");
    Command(ID_KEEP_IN_FOLDER);
    EXPECT_EQ(RegistryString("Storage", "Folder"), shared.Path());
    std::string own;
    for (const FileSystem::Facts& file : TestPlatform::Files().List(shared.Path()))
        own += file.name;
    EXPECT_EQ(own.rfind("Zorla_", 0), 0u) << own;
    EXPECT_NE(TestFiles::Bytes(shared.File(own)).find("on every computer"), std::string::npos);

    Command(ID_KEEP_LOCALLY);
    EXPECT_EQ(RegistryString("Storage", "Folder"), "");
    EXPECT_TRUE(dlg->program.Model().SyncFolderPath().empty());
    dlg->program.Model().AddNote("here only");
    EXPECT_EQ(TestFiles::Bytes(shared.File(own)).find("here only"), std::string::npos);
}
