// The real Zorla.exe keeps every character a user types into a note, in the
// window, in its file and after a new start, run from a folder named in
// Cyrillic, Polish and CJK letters.
#include "resource.h"
#include "support/TestFiles.h"
#include "support/WindowState.h"
#include "support/ZorlaCopy.h"

#include <gtest/gtest.h>

namespace {

std::wstring EditText(HWND note)
{
    wchar_t text[256] = L"";
    SendMessageTimeoutW(GetDlgItem(note, IDC_NOTE_TEXT), WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text),
                        SMTO_BLOCK, 20000, nullptr);
    return text;
}

HWND WaitForNote(const char* key)
{
    HWND note = nullptr;
    WaitUntil([&] { return (note = FindWindowA("#32770", key)) != nullptr && IsWindowVisible(note); }, 20000);
    return note;
}

}  // namespace

TEST(Unicode, TypedPolishEuroAndCjkSurviveExitAndRestart)
{
    ZorlaCopy copy("ZorlaUnicode", kNonAnsiName);
    TestFiles::Write(copy.Folder().File("Zorla_Notes"),
                     "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<DATABASE><ENTRY _id_=\"1\" "
                     "date=\"12/06/2026 10:00:00\" text=\"Start\" wndX=\"100\" wndY=\"100\"/></DATABASE>");
    std::unique_ptr<TestProcess> process;
    HWND main = copy.StartAndWait(process);
    ASSERT_NE(main, nullptr);
    HWND note = WaitForNote("Zorla 1.0NID:1");
    ASSERT_NE(note, nullptr);

    const std::wstring typed = L" \u0141\u00F3d\u017A \u20AC \u65E5";
    HWND edit = GetDlgItem(note, IDC_NOTE_TEXT);
    SendMessageTimeoutW(edit, EM_SETSEL, 5, 5, SMTO_BLOCK, 20000, nullptr);
    for (wchar_t unit : typed)
        SendMessageTimeoutW(edit, WM_CHAR, unit, 1, SMTO_BLOCK, 20000, nullptr);
    EXPECT_EQ(L"Start" + typed, EditText(note));
    ASSERT_TRUE(ZorlaCopy::Exit(main, *process));

    const std::string file = TestFiles::Bytes(copy.Folder().File("Zorla_Notes"));
    EXPECT_NE(std::string::npos, file.find("text=\"Start &#321;\xF3" "d&#378; &#8364; &#26085;\"")) << file;

    main = copy.StartAndWait(process);
    ASSERT_NE(main, nullptr);
    note = WaitForNote("Zorla 1.0NID:1");
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(L"Start" + typed, EditText(note));
    EXPECT_TRUE(ZorlaCopy::Exit(main, *process));
}
