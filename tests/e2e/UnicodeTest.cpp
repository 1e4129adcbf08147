// The real Zorla.exe copied into a folder named in Cyrillic, Polish and CJK
// letters, as someone carries it on a stick: it finds the notes beside it and
// keeps every character typed into them, in the window, in the file and after
// a new start.
#include "framework/Utf8.h"
#include "resource.h"
#include "support/NoteWindows.h"
#include "support/TestFiles.h"
#include "support/RunningZorla.h"
#include "support/ZorlaCopy.h"

#include <shlobj.h>

#include <gtest/gtest.h>

namespace {

std::string UserFolderOf(const std::string& name)
{
    wchar_t appData[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
    return Narrow(appData) + "\\Velloran Software\\" + name;
}

}  // namespace

TEST(Unicode, TypedPolishEuroAndCjkSurviveExitAndRestart)
{
    ZorlaCopy copy("ZorlaUnicode", kNonAnsiName);
    // Gone before the start, so only this run can make it.
    RemoveFolderTree(UserFolderOf(copy.Name()));
    TestFiles::Write(copy.Folder().File("Zorla_Notes"),
                     "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<DATABASE><ENTRY _id_=\"1\" "
                     "date=\"12/06/2026 10:00:00\" text=\"Start\" wndX=\"100\" wndY=\"100\"/></DATABASE>");
    RunningZorla zorla(copy);
    HWND main = zorla.Main();
    ASSERT_NE(main, nullptr);
    HWND note = WaitForNoteWindow("Zorla 1.0NID:1");
    ASSERT_NE(note, nullptr);

    const std::wstring typed = L" \u0141\u00F3d\u017A \u20AC \u65E5";
    HWND edit = GetDlgItem(note, IDC_NOTE_TEXT);
    SendMessageTimeoutW(edit, EM_SETSEL, 5, 5, SMTO_BLOCK, 20000, nullptr);
    for (wchar_t unit : typed)
        SendMessageTimeoutW(edit, WM_CHAR, unit, 1, SMTO_BLOCK, 20000, nullptr);
    EXPECT_EQ(Narrow(L"Start" + typed), NoteEditText(note));
    ASSERT_TRUE(zorla.Exit());

    const std::string file = TestFiles::Bytes(copy.Folder().File("Zorla_Notes"));
    EXPECT_FALSE(TestFiles::Exists(UserFolderOf(copy.Name()))) << "no per-user folder taken instead";
    EXPECT_NE(std::string::npos, file.find("text=\"Start &#321;\xF3" "d&#378; &#8364; &#26085;\"")) << file;

    main = zorla.Restart();
    ASSERT_NE(main, nullptr);
    note = WaitForNoteWindow("Zorla 1.0NID:1");
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(Narrow(L"Start" + typed), NoteEditText(note));
    EXPECT_TRUE(zorla.Exit());
}
