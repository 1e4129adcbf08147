#include "support/NoteWindows.h"

#include "framework/Utf8.h"
#include "resource.h"
#include "support/TestProcess.h"

HWND WaitForNoteWindow(const char* key)
{
    HWND note = nullptr;
    WaitUntil([&] { return (note = FindWindowA("#32770", key)) != nullptr && IsWindowVisible(note); }, 20000);
    return note;
}

std::string NoteEditText(HWND note)
{
    wchar_t text[512] = L"";
    SendMessageTimeoutW(GetDlgItem(note, IDC_NOTE_TEXT), WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_BLOCK,
                        20000, nullptr);
    return Narrow(text);
}
