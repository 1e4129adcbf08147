#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The note windows of a Zorla process under test, found by their keys.
// The visible note window with this key, or null after 20 s.
HWND WaitForNoteWindow(const char* key);
// The text of a note window's edit as UTF-8, asked of the edit itself: another
// process's window answers GetWindowText with its caption.
std::string NoteEditText(HWND note);

// With two copies of Zorla running, both show windows under the same keys:
// these look only at the windows of one process.
// Its visible note and reminder windows.
std::vector<HWND> NoteWindowsOf(DWORD processId);
// Its visible note or reminder window that shows text, polled for up to ms;
// null when none did.
HWND WaitForNoteText(DWORD processId, const std::string& text, DWORD ms);
