#pragma once

#include <windows.h>

#include <string>

// The note windows of a Zorla process under test, found by their keys.
// The visible note window with this key, or null after 20 s.
HWND WaitForNoteWindow(const char* key);
// The text of a note window's edit as UTF-8, asked of the edit itself: another
// process's window answers GetWindowText with its caption.
std::string NoteEditText(HWND note);
