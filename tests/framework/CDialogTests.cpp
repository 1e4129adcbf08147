#include "framework/CDataExchange.h"
#include "framework/CDialog.h"
#include "framework/CWinApp.h"

#include "framework/Utf8.h"
#include "resource.h"

#include "support/MessageBoxAnswerer.h"
#include "support/MessagePump.h"
#include "TestDialogTemplate.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

enum : WORD { kName = 100, kCount = 101, kCity = 102, kCheck = 103 };

TestDialogTemplate MakeTemplate(DWORD style = WS_POPUP | WS_CAPTION | DS_MODALFRAME)
{
    TestDialogTemplate dialog(style, 200, 120, "Test dialog");
    dialog.AddControl(TestDialogTemplate::Edit, kName, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 5, 5, 100, 12);
    dialog.AddControl(TestDialogTemplate::Edit, kCount, WS_BORDER | WS_TABSTOP, 5, 20, 100, 12);
    dialog.AddControl(TestDialogTemplate::ComboBox, kCity, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 5, 35, 100, 80);
    dialog.AddControl(TestDialogTemplate::Button, kCheck, BS_AUTOCHECKBOX | WS_TABSTOP, 5, 50, 100, 12, "Check");
    dialog.AddControl(TestDialogTemplate::Button, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 5, 95, 50, 14, "OK");
    dialog.AddControl(TestDialogTemplate::Button, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 60, 95, 50, 14, "Cancel");
    return dialog;
}

std::string ItemText(HWND dialog, int id)
{
    return GetWindowTextString(::GetDlgItem(dialog, id));
}

class DataDialog : public CDialog {
public:
    std::string name = "Anna";
    int count = 42;
    std::string city = "mün";  // a prefix in other letter case
    int checked = 1;

    std::function<void(DataDialog&)> afterInit;
    std::function<bool(MSG*)> preTranslate;
    int destroyCalls = 0;
    bool windowAliveInDestroy = false;
    int postNcDestroys = 0;

    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Text(dx, kName, name);
        DDX_Text(dx, kCount, count);
        DDX_CBString(dx, kCity, city);
        DDX_Check(dx, kCheck, checked);
    }

    BOOL OnInitDialog() override
    {
        for (const char* item : {"Berlin", "München", "Münster"})
            ::SendDlgItemMessageW(m_hWnd, kCity, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
        CDialog::OnInitDialog();
        if (afterInit)
            afterInit(*this);
        return TRUE;
    }

    BOOL DestroyWindow() override
    {
        ++destroyCalls;
        windowAliveInDestroy = ::IsWindow(m_hWnd) && ::IsWindowVisible(m_hWnd);
        return CDialog::DestroyWindow();
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_APP) {
            EndDialog(static_cast<int>(wParam));
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }

    BOOL PreTranslateMessage(MSG* message) override
    {
        if (preTranslate && preTranslate(message))
            return TRUE;
        return CDialog::PreTranslateMessage(message);
    }

    void PostNcDestroy() override { ++postNcDestroys; }
};

class CDialogTest : public testing::Test {
protected:
    TestDialogTemplate dialogTemplate = MakeTemplate();
};

TEST_F(CDialogTest, DataGoesIntoTheControlsAndComesBackOnOK)
{
    DataDialog dialog;
    dialog.InitModalIndirect(dialogTemplate.get());
    std::string shownName, shownCount, shownCity;
    LRESULT shownCheck = -1;
    dialog.afterInit = [&](DataDialog& d) {
        HWND w = d.m_hWnd;
        shownName = ItemText(w, kName);
        shownCount = ItemText(w, kCount);
        shownCity = ItemText(w, kCity);
        shownCheck = ::SendDlgItemMessageA(w, kCheck, BM_GETCHECK, 0, 0);

        ::SetDlgItemTextA(w, kName, "Berta");
        ::SetDlgItemTextA(w, kCount, " -7 ");
        ::SendDlgItemMessageA(w, kCity, CB_SETCURSEL, 2, 0);
        ::SendDlgItemMessageA(w, kCheck, BM_SETCHECK, BST_UNCHECKED, 0);
        d.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);

    EXPECT_EQ(shownName, "Anna");
    EXPECT_EQ(shownCount, "42");
    EXPECT_EQ(shownCity, "München");
    EXPECT_EQ(shownCheck, BST_CHECKED);

    EXPECT_EQ(dialog.name, "Berta");
    EXPECT_EQ(dialog.count, -7);
    EXPECT_EQ(dialog.city, "Münster");
    EXPECT_EQ(dialog.checked, 0);
}

TEST_F(CDialogTest, CancelKeepsTheMembers)
{
    DataDialog dialog;
    dialog.InitModalIndirect(dialogTemplate.get());
    dialog.afterInit = [](DataDialog& d) {
        ::SetDlgItemTextA(d.m_hWnd, kName, "Berta");
        d.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.name, "Anna");
}

TEST_F(CDialogTest, ComboListWithoutSelectionSavesEmpty)
{
    DataDialog dialog;
    dialog.city = "Hamburg";  // in no item
    dialog.InitModalIndirect(dialogTemplate.get());
    LRESULT selection = 0;
    dialog.afterInit = [&](DataDialog& d) {
        selection = ::SendDlgItemMessageA(d.m_hWnd, kCity, CB_GETCURSEL, 0, 0);
        d.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(selection, CB_ERR);
    EXPECT_EQ(dialog.city, "");
}

class StubbornDialog : public DataDialog {
public:
    bool stillOpen = false;
    bool focusOnCount = false;

    void OnOK() override
    {
        CDialog::OnOK();
        if (stillOpen)
            return;
        stillOpen = ::IsWindow(m_hWnd) != FALSE;
        focusOnCount = ::GetFocus() == ::GetDlgItem(m_hWnd, kCount);
        EndDialog(77);
    }
};

TEST_F(CDialogTest, ANumberThatDoesNotParseKeepsTheDialogOpen)
{
    StubbornDialog dialog;
    dialog.InitModalIndirect(dialogTemplate.get());
    dialog.afterInit = [](DataDialog& d) {
        ::SetDlgItemTextA(d.m_hWnd, kName, "Berta");
        ::SetDlgItemTextA(d.m_hWnd, kCount, "12abc");
        d.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    };
    MessageBoxAnswerer answerer(IDOK);
    EXPECT_EQ(dialog.DoModal(), 77);
    EXPECT_TRUE(dialog.stillOpen);
    EXPECT_TRUE(dialog.focusOnCount);
    EXPECT_EQ(dialog.count, 42);
    ASSERT_EQ(answerer.boxes().size(), 1u);
    EXPECT_EQ(answerer.boxes()[0].text, "Please enter an integer.");
}

TEST_F(CDialogTest, EndDialogResultIsReturnedAndTheWindowDestroyedThroughTheOverride)
{
    DataDialog dialog;
    dialog.InitModalIndirect(dialogTemplate.get());
    HWND window = nullptr;
    dialog.afterInit = [&](DataDialog& d) {
        window = d.m_hWnd;
        d.PostMessage(WM_APP, 1234);
    };
    EXPECT_EQ(dialog.DoModal(), 1234);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(window), nullptr);
    EXPECT_EQ(dialog.destroyCalls, 1);
    EXPECT_TRUE(dialog.windowAliveInDestroy) << "the window still exists while the override runs";
    EXPECT_EQ(dialog.postNcDestroys, 1);
}

TEST_F(CDialogTest, EndDialogDuringInitialisationNeverShowsTheDialog)
{
    DataDialog dialog;
    dialog.InitModalIndirect(dialogTemplate.get());
    dialog.afterInit = [](DataDialog& d) { d.EndDialog(3); };
    EXPECT_EQ(dialog.DoModal(), 3);
    EXPECT_EQ(dialog.destroyCalls, 1);
}

TEST_F(CDialogTest, EscapeCancelsThroughTheDialogManager)
{
    DataDialog dialog;
    dialog.InitModalIndirect(dialogTemplate.get());
    dialog.afterInit = [](DataDialog& d) {
        HWND edit = ::GetDlgItem(d.m_hWnd, kName);
        ::SetFocus(edit);
        ::PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
        d.PostMessage(WM_APP, 99);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST_F(CDialogTest, PreTranslateMessageSeesKeysBeforeTheDialogManager)
{
    DataDialog dialog;
    dialog.InitModalIndirect(dialogTemplate.get());
    int escapes = 0;
    dialog.preTranslate = [&](MSG* message) {
        if (message->message == WM_KEYDOWN && message->wParam == VK_ESCAPE) {
            ++escapes;
            return true;
        }
        return false;
    };
    dialog.afterInit = [](DataDialog& d) {
        HWND edit = ::GetDlgItem(d.m_hWnd, kName);
        ::SetFocus(edit);
        ::PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
        d.PostMessage(WM_APP, 99);
    };
    EXPECT_EQ(dialog.DoModal(), 99);
    EXPECT_EQ(escapes, 1);
}

TEST_F(CDialogTest, ModalDialogDisablesItsOwnerWhileItRuns)
{
    HWND owner = ::CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                                   nullptr);
    CWnd ownerWnd(owner);
    DataDialog dialog;
    dialog.InitModalIndirect(dialogTemplate.get(), &ownerWnd);
    BOOL enabledDuring = TRUE;
    HWND ownerDuring = nullptr;
    dialog.afterInit = [&](DataDialog& d) { d.PostMessage(WM_APP, 5); };
    dialog.preTranslate = [&](MSG* message) {
        if (message->message == WM_APP) {
            enabledDuring = ::IsWindowEnabled(owner);
            ownerDuring = ::GetWindow(dialog.m_hWnd, GW_OWNER);
        }
        return false;
    };
    EXPECT_EQ(dialog.DoModal(), 5);
    EXPECT_FALSE(enabledDuring);
    EXPECT_EQ(ownerDuring, owner);
    EXPECT_TRUE(::IsWindowEnabled(owner));
    ::DestroyWindow(owner);
}

TEST_F(CDialogTest, QuitMessageEndsTheModalLoopAndStaysQueued)
{
    DataDialog dialog;
    dialog.InitModalIndirect(dialogTemplate.get());
    dialog.afterInit = [](DataDialog&) { ::PostQuitMessage(9); };
    EXPECT_EQ(dialog.DoModal(), -1);
    MSG message;
    ASSERT_TRUE(::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 9u);
}

class ModelessDialog : public DataDialog {
public:
    bool* deleted = nullptr;
    ~ModelessDialog() override
    {
        if (deleted)
            *deleted = true;
    }

protected:
    void PostNcDestroy() override
    {
        DataDialog::PostNcDestroy();
        if (deleted)
            delete this;
    }
};

TEST_F(CDialogTest, ModelessCancelDestroysInsteadOfHiding)
{
    TestDialogTemplate visible = MakeTemplate(WS_POPUP | WS_CAPTION | WS_VISIBLE);
    ModelessDialog dialog;
    ASSERT_TRUE(dialog.CreateIndirect(visible.get(), nullptr));
    HWND window = dialog.m_hWnd;
    ASSERT_TRUE(::IsWindow(window));
    EXPECT_EQ(ItemText(window, kName), "Anna");

    ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.postNcDestroys, 1);
}

TEST_F(CDialogTest, ModelessDialogMayFreeItselfAfterItsWindowIsGone)
{
    TestDialogTemplate visible = MakeTemplate(WS_POPUP | WS_CAPTION | WS_VISIBLE);
    bool deleted = false;
    auto* dialog = new ModelessDialog;
    dialog->deleted = &deleted;
    ASSERT_TRUE(dialog->CreateIndirect(visible.get(), nullptr));
    HWND window = dialog->m_hWnd;
    // OK runs UpdateData, ends in DestroyWindow and the object is freed last.
    ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(CWnd::FromHandlePermanent(window), nullptr);
}

TEST_F(CDialogTest, ModelessDialogGetsTabNavigationFromTheApplicationLoop)
{
    TestDialogTemplate visible = MakeTemplate(WS_POPUP | WS_CAPTION | WS_VISIBLE);
    DataDialog dialog;
    ASSERT_TRUE(dialog.CreateIndirect(visible.get(), nullptr));
    HWND name = ::GetDlgItem(dialog.m_hWnd, kName);
    HWND count = ::GetDlgItem(dialog.m_hWnd, kCount);
    ::SetActiveWindow(dialog.m_hWnd);
    ::SetFocus(name);
    ASSERT_EQ(::GetFocus(), name);
    MSG tab{name, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(&tab));
    EXPECT_EQ(::GetFocus(), count);
    dialog.DestroyWindow();
}

TEST_F(CDialogTest, ModelessDialogIsOwnedOnlyByTheParentItIsGiven)
{
    CWinApp app;
    HWND mainWindow =
        ::CreateWindowExA(0, "STATIC", "main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    CWnd mainWnd(mainWindow);
    app.m_pMainWnd = &mainWnd;

    CDialog unowned;
    ASSERT_TRUE(unowned.Create(IDD_NOTE));
    EXPECT_EQ(::GetWindow(unowned.m_hWnd, GW_OWNER), nullptr);
    CDialog owned;
    ASSERT_TRUE(owned.Create(IDD_NOTE, &mainWnd));
    EXPECT_EQ(::GetWindow(owned.m_hWnd, GW_OWNER), mainWindow);

    owned.DestroyWindow();
    unowned.DestroyWindow();
    app.m_pMainWnd = nullptr;
    ::DestroyWindow(mainWindow);
}

TEST_F(CDialogTest, ResourceTemplateThatDoesNotExistFails)
{
    CDialog dialog(54321);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_FALSE(dialog.Create(54321));
}

}  // namespace
