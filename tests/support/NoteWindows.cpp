#include "support/NoteWindows.h"

#include "framework/Utf8.h"
#include "resource.h"
#include "support/TestProcess.h"
#include "support/ZorlaCopy.h"

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

std::vector<HWND> NoteWindowsOf(DWORD processId)
{
    struct Query {
        DWORD processId;
        std::vector<HWND> found;
    } query{processId, {}};
    // Note windows are titled by their keys: the program's title, then "NID:"
    // or "TID:" and the local id.
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* query = reinterpret_cast<Query*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            char title[64] = "";
            GetWindowTextA(window, title, sizeof title);
            const std::string prefix = kMainTitle;
            const std::string kind = std::string(title).substr(0, prefix.size() + 4);
            if (owner == query->processId && IsWindowVisible(window) &&
                (kind == prefix + "NID:" || kind == prefix + "TID:"))
                query->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND WaitForNoteText(DWORD processId, const std::string& text, DWORD ms)
{
    HWND shown = nullptr;
    WaitUntil(
        [&] {
            for (HWND note : NoteWindowsOf(processId))
                if (NoteEditText(note) == text)
                    return (shown = note) != nullptr;
            return false;
        },
        ms);
    return shown;
}
