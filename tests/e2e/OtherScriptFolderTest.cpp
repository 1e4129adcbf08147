// The real Zorla.exe copied into a folder named in Cyrillic, Polish and CJK
// letters with the user's notes beside it, as someone carries it on a stick.
#include "framework/Utf8.h"
#include "resource.h"
#include "support/TestFiles.h"
#include "support/ZorlaCopy.h"

#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

namespace {

std::string NoteText(HWND note)
{
    char text[256] = "";
    SendMessageTimeoutA(GetDlgItem(note, IDC_NOTE_TEXT), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_BLOCK, 20000, nullptr);
    return text;
}

std::string UserFolderOf(const std::string& name)
{
    wchar_t appData[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
    return Narrow(appData) + "\\Velloran Software\\" + name;
}

// Gone before the start, so only this run can make it.
void RemoveFolder(const std::string& folder)
{
    std::wstring from = Widen(folder);
    from.push_back(L'\0');
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationW(&op);
}

}  // namespace

TEST(OtherScriptFolder, TheNotesBesideTheProgramShowAndTypingIsSavedThere)
{
    ZorlaCopy copy("ZorlaOtherScript", kNonAnsiName);
    RemoveFolder(UserFolderOf(copy.Name()));
    ASSERT_FALSE(TestFiles::Exists(UserFolderOf(copy.Name())));
    ASSERT_TRUE(TestFiles::Exists(copy.Exe()));
    const std::string notes = copy.Folder().File("Zorla_Notes");
    ASSERT_TRUE(TestFiles::Write(notes, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<DATABASE>"
                                        "<ENTRY _id_=\"1\" date=\"12/06/2026 10:00:00\" text=\"Beside\" "
                                        "wndX=\"100\" wndY=\"100\"/></DATABASE>"));

    std::unique_ptr<TestProcess> process;
    HWND main = copy.StartAndWait(process);
    ASSERT_NE(main, nullptr);
    HWND note = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (note = FindWindowA("#32770", "Zorla 1.0NID:1")) != nullptr && IsWindowVisible(note); }, 20000))
        << "the note beside the program is shown";
    EXPECT_EQ(NoteText(note), "Beside");

    HWND edit = GetDlgItem(note, IDC_NOTE_TEXT);
    SendMessageTimeoutA(edit, EM_SETSEL, 6, 6, SMTO_BLOCK, 20000, nullptr);
    for (char key : std::string(" it"))
        SendMessageTimeoutA(edit, WM_CHAR, key, 0, SMTO_BLOCK, 20000, nullptr);
    ASSERT_TRUE(ZorlaCopy::Exit(main, *process));

    EXPECT_NE(TestFiles::Bytes(notes).find("text=\"Beside it\""), std::string::npos) << TestFiles::Bytes(notes);
    EXPECT_FALSE(TestFiles::Exists(UserFolderOf(copy.Name()))) << "no per-user folder taken instead";
    EXPECT_FALSE(TestFiles::Exists(notes + ".tmp"));
}
