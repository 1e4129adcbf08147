#pragma once

#include <string>

class CEntry;

// What a screen reader calls a note window: its kind and, for a note, the first
// line of what it shows ("Note: Milk"), for a reminder its time ("Reminder,
// 08.12.26 14:00"). The window's title stays the key the program finds it by.
std::string NoteAccessName(const CEntry& entry, const std::string& shownText);
