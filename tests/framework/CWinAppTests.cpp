#include "framework/CDialog.h"
#include "framework/CWinApp.h"
#include "framework/CWnd.h"
#include "framework/Handles.h"

#include "support/MessageBoxAnswerer.h"
#include "TestDialogTemplate.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <string>
#include <thread>

namespace {

const char* const kCompany = "Velloran Software";
const char* const kAppKey = "Software\\Velloran Software\\framework_tests";

class ProfileTest : public testing::Test {
protected:
    void SetUp() override
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kAppKey);
        app.SetRegistryKey(kCompany);
    }
    void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kAppKey); }

    // Reads a value straight from the registry, bypassing the profile calls.
    static bool ReadRaw(const char* section, const char* entry, DWORD& type, std::string& data)
    {
        const std::string path = std::string(kAppKey) + "\\" + section;
        HKEY raw = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS)
            return false;
        RegistryKey key(raw);
        char buffer[256] = {};
        DWORD size = sizeof(buffer);
        if (::RegQueryValueExA(key.get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
            ERROR_SUCCESS)
            return false;
        data.assign(buffer, size);
        return true;
    }

    static void WriteRaw(const char* section, const char* entry, DWORD type, const void* data, DWORD size)
    {
        const std::string path = std::string(kAppKey) + "\\" + section;
        HKEY raw = nullptr;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &raw, nullptr),
                  ERROR_SUCCESS);
        RegistryKey key(raw);
        ASSERT_EQ(::RegSetValueExA(key.get(), entry, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    }

    CWinApp app;
};

TEST(CWinApp, NamesItselfAfterTheExecutableAndIsTheProcessApp)
{
    CWinApp* const before = AfxGetApp();
    {
        CWinApp app;
        EXPECT_EQ(app.m_pszAppName, "framework_tests");
        EXPECT_EQ(AfxGetApp(), &app);
        EXPECT_EQ(app.m_hInstance, ::GetModuleHandleA(nullptr));
    }
    EXPECT_EQ(AfxGetApp(), before);
}

TEST_F(ProfileTest, IntegersAreDwordsUnderCompanyAppAndSection)
{
    EXPECT_EQ(app.GetProfileInt("CZorlaApp", "LC", 0), 0u);
    ASSERT_TRUE(app.WriteProfileInt("CZorlaApp", "LC", 10));
    DWORD type = 0;
    std::string data;
    ASSERT_TRUE(ReadRaw("CZorlaApp", "LC", type, data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    ASSERT_EQ(data.size(), 4u);
    EXPECT_EQ(*reinterpret_cast<const DWORD*>(data.data()), 10u);
    EXPECT_EQ(app.GetProfileInt("CZorlaApp", "LC", 0), 10u);

    ASSERT_TRUE(app.WriteProfileInt("Settings", "X", -300));
    EXPECT_EQ(static_cast<int>(app.GetProfileInt("Settings", "X", -1)), -300);
}

TEST_F(ProfileTest, StringsAreRegSzRoundTrip)
{
    const char* const city = "München";
    EXPECT_EQ(app.GetProfileString("CZorlaDlg", "strCurWeatherComobSelectionID", city), city);
    ASSERT_TRUE(app.WriteProfileString("CActionWeather", "szLastUpdate", "03/14/2004 09:05:00"));
    DWORD type = 0;
    std::string data;
    ASSERT_TRUE(ReadRaw("CActionWeather", "szLastUpdate", type, data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(data, std::string("03/14/2004 09:05:00", 20));  // with its terminator
    EXPECT_EQ(app.GetProfileString("CActionWeather", "szLastUpdate"), "03/14/2004 09:05:00");

    const std::string longText(5000, 'x');
    ASSERT_TRUE(app.WriteProfileString("Long", "Text", longText.c_str()));
    EXPECT_EQ(app.GetProfileString("Long", "Text"), longText);
    ASSERT_TRUE(app.WriteProfileString("Long", "Text", ""));
    EXPECT_EQ(app.GetProfileString("Long", "Text", "default"), "");
}

TEST_F(ProfileTest, MissingOrForeignValuesGiveTheDefault)
{
    EXPECT_EQ(app.GetProfileInt("CQuokkaDlg", "TopMost", 1), 1u);
    EXPECT_EQ(app.GetProfileString("Nowhere", "Nothing", "fallback"), "fallback");
    ASSERT_TRUE(app.WriteProfileInt("CQuokkaDlg", "WndX", 5));
    EXPECT_EQ(app.GetProfileInt("CQuokkaDlg", "WndY", 7), 7u);

    WriteRaw("Typed", "AsText", REG_SZ, "7", 2);
    const DWORD four = 4;
    WriteRaw("Typed", "AsBinary", REG_BINARY, &four, sizeof(four));
    EXPECT_EQ(app.GetProfileInt("Typed", "AsText", 15), 15u);
    EXPECT_EQ(app.GetProfileInt("Typed", "AsBinary", 15), 15u);
    const DWORD number = 3;
    WriteRaw("Typed", "Number", REG_DWORD, &number, sizeof(number));
    EXPECT_EQ(app.GetProfileString("Typed", "Number", "none"), "none");
}

TEST_F(ProfileTest, StringStoredWithoutTerminatorReadsWhole)
{
    WriteRaw("Raw", "Unterminated", REG_SZ, "abc", 3);
    EXPECT_EQ(app.GetProfileString("Raw", "Unterminated"), "abc");
}

TEST_F(ProfileTest, NullValueRemovesTheEntryAndNullEntryTheSection)
{
    ASSERT_TRUE(app.WriteProfileString("Gone", "A", "1"));
    ASSERT_TRUE(app.WriteProfileString("Gone", "B", "2"));
    ASSERT_TRUE(app.WriteProfileString("Gone", "A", nullptr));
    EXPECT_EQ(app.GetProfileString("Gone", "A", "none"), "none");
    EXPECT_EQ(app.GetProfileString("Gone", "B", "none"), "2");
    ASSERT_TRUE(app.WriteProfileString("Gone", nullptr, nullptr));
    DWORD type = 0;
    std::string data;
    EXPECT_FALSE(ReadRaw("Gone", "B", type, data));
}

class ScriptedApp : public CWinApp {
public:
    bool initResult = true;
    int exits = 0;

    BOOL InitInstance() override
    {
        if (initResult)
            ::PostQuitMessage(5);
        return initResult;
    }
    int ExitInstance() override
    {
        ++exits;
        return CWinApp::ExitInstance();
    }
};

TEST(CWinApp, RunLoopsUntilQuitAndReturnsItsCode)
{
    ScriptedApp app;
    EXPECT_EQ(app.Run(), 5);
    EXPECT_EQ(app.exits, 1);
}

TEST(CWinApp, FailedInitialisationSkipsTheLoopButStillExits)
{
    ScriptedApp app;
    app.initResult = false;
    // A message the loop would have taken off the queue.
    ::PostThreadMessageA(::GetCurrentThreadId(), WM_APP, 0, 0);
    EXPECT_EQ(AfxWinMain(nullptr), 0);
    EXPECT_EQ(app.exits, 1);
    MSG message;
    EXPECT_TRUE(::PeekMessageA(&message, nullptr, WM_APP, WM_APP, PM_REMOVE));
}

class ModelessMainApp : public CWinApp {
public:
    explicit ModelessMainApp(const DLGTEMPLATE* dialogTemplate)
        : m_template(dialogTemplate)
    {}

    CDialog dialog;
    HWND window = nullptr;

    BOOL InitInstance() override
    {
        if (!dialog.CreateIndirect(m_template))
            return FALSE;
        window = dialog.m_hWnd;
        m_pMainWnd = &dialog;
        dialog.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
        // Only a safety net should the loop never end; the test expects code 0.
        ::SetTimer(nullptr, 0, 10000, [](HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(99); });
        return TRUE;
    }

private:
    const DLGTEMPLATE* m_template;
};

TEST(CWinApp, ClosingAModelessMainWindowEndsTheLoop)
{
    TestDialogTemplate dialogTemplate(WS_POPUP | WS_CAPTION | WS_VISIBLE, 100, 50, "main");
    dialogTemplate.AddControl(TestDialogTemplate::Button, IDCANCEL, BS_PUSHBUTTON, 5, 5, 40, 14, "Cancel");
    ModelessMainApp app(dialogTemplate.get());
    EXPECT_EQ(app.Run(), 0);
    EXPECT_FALSE(::IsWindow(app.window));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST(CWinApp, ModalMainWindowLeavesNoQuitMessageBehind)
{
    TestDialogTemplate dialogTemplate(WS_POPUP | WS_CAPTION, 100, 50, "main");
    CWinApp app;
    CDialog dialog;
    dialog.InitModalIndirect(dialogTemplate.get());
    app.m_pMainWnd = &dialog;
    // Ends from the first pass of the modal loop.
    struct Ender {
        static void CALLBACK End(HWND, UINT, UINT_PTR id, DWORD)
        {
            ::KillTimer(nullptr, id);
            if (CWnd* main = AfxGetMainWnd())
                main->PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
        }
    };
    ::SetTimer(nullptr, 0, 1, &Ender::End);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    MSG message;
    EXPECT_FALSE(::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

TEST(AfxMessageBox, IsCaptionedWithTheApplicationNameAndReturnsTheAnswer)
{
    CWinApp app;
    app.m_pszAppName = "Zorla";
    MessageBoxAnswerer answerer(IDNO);
    EXPECT_EQ(AfxMessageBox("Delete it?", MB_YESNO), IDNO);
    ASSERT_EQ(answerer.boxes().size(), 1u);
    EXPECT_EQ(answerer.boxes()[0].caption, "Zorla");
    EXPECT_EQ(answerer.boxes()[0].text, "Delete it?");
}

TEST(AfxMessageBox, IsOwnedByTheMainWindowWhenNothingIsActive)
{
    CWinApp app;
    HWND mainWindow =
        ::CreateWindowExA(0, "STATIC", "main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    CWnd mainWnd(mainWindow);
    app.m_pMainWnd = &mainWnd;
    ASSERT_EQ(::GetActiveWindow(), nullptr);
    MessageBoxAnswerer answerer(IDOK);
    AfxMessageBox("Hello");
    ASSERT_EQ(answerer.boxes().size(), 1u);
    EXPECT_EQ(answerer.boxes()[0].owner, mainWindow);
    EXPECT_EQ(answerer.boxes()[0].caption, "framework_tests");
    ::DestroyWindow(mainWindow);
}

TEST(AfxOle, TermUndoesOnlyItsOwnInit)
{
    // A fresh thread, so no other test's apartment is involved.
    std::thread([] {
        ASSERT_TRUE(AfxOleInit());
        // OLE runs single-threaded apartments: a multithreaded request now fails.
        EXPECT_EQ(::CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
        AfxOleTerm(FALSE);
        const HRESULT again = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        EXPECT_EQ(again, S_OK);
        // Terminating without a successful init leaves someone else's COM alone.
        AfxOleTerm(FALSE);
        EXPECT_EQ(::CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
        ::CoUninitialize();
        ::CoUninitialize();
    }).join();
}

}  // namespace
