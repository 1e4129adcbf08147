// Text from every script the user may type survives the window, the model,
// the file and a new start, code point by code point, while the file stays
// what older copies of the program read.
#include "NoteWindowFixture.h"
#include "support/TestPlatform.h"

#include <string>

namespace {

// A note holding "Start", then " Łódź € 日 Ωμέγα Жора 😀 ß" typed as the
// keyboard delivers it to a Unicode window: one WM_CHAR per UTF-16 unit.
const wchar_t kTyped[] = L" \u0141\u00F3d\u017A \u20AC \u65E5 \u03A9\u03BC\u03AD\u03B3\u03B1 "
                         L"\u0416\u043E\u0440\u0430 \U0001F600 \u00DF";

std::wstring EditText(HWND note)
{
    HWND edit = ::GetDlgItem(note, IDC_NOTE_TEXT);
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(edit)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

TEST_F(NoteWindowTest, TypedTextOfEveryScriptRoundTripsThroughFileAndRestart)
{
    LoadNotes("<ENTRY _id_=\"1\" date=\"12/06/2026 10:00:00\" text=\"Start\" wndX=\"100\" wndY=\"100\"/>");
    OpenAll(notes);
    HWND note = *Window("Zorla 1.0NID:1");
    HWND edit = ::GetDlgItem(note, IDC_NOTE_TEXT);
    ASSERT_TRUE(::IsWindowUnicode(note) && ::IsWindowUnicode(edit));
    ::SendMessageW(edit, EM_SETSEL, 5, 5);
    for (const wchar_t* unit = kTyped; *unit; ++unit)
        ::SendMessageW(edit, WM_CHAR, *unit, 1);
    const std::wstring shown = std::wstring(L"Start") + kTyped;
    ASSERT_EQ(shown, EditText(note));

    ::SendMessageW(note, WM_TIMER, CNoteDlg::TimerSave, 0);
    // ISO-8859-1 as before: ó and ß as their bytes, the rest as references.
    const std::string file = TestFiles::Bytes(notes.GetPath());
    EXPECT_EQ(0u, file.find(kDeclaration));
    EXPECT_NE(std::string::npos, file.find("text=\"Start &#321;\xF3" "d&#378; &#8364; &#26085; &#937;&#956;&#941;&#947;&#945; "
                                           "&#1046;&#1086;&#1088;&#1072; &#128512; \xDF\""))
        << file;

    main.registry.CloseAllKeepingState();
    ZorlaModel again(TestPlatform::Context(folder.Path()));
    ASSERT_TRUE(again.Load());
    main.registry.SetModel(&again);
    for (const CEntry& entry : again.StoredEntries())
        main.registry.Open(entry, &main);
    ASSERT_NE(nullptr, Window("Zorla 1.0NID:1"));
    EXPECT_EQ(shown, EditText(*Window("Zorla 1.0NID:1")));
    main.registry.CloseAllKeepingState();
}
