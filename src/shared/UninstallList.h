#pragma once

#include <string>

// The installer's list of files its uninstaller deletes ("!sfxunst.ini"): an
// INI-style text whose "[Files]" section names one file per line as
// "<path>=<new>". The functions edit the list's text (UTF-8; UninstallListFile
// reads and writes the file) and keep its own line breaks (CRLF, or LF when
// that is all it uses), so an insert followed by a remove gives back the same
// text, once it has its header line.
namespace UninstallList {

// The entry that names a file, without its line break.
std::string Entry(const std::string& path);

// Whether the text holds the entry as a whole line.
bool Contains(const std::string& text, const std::string& entry);

// Puts the entry on the line after the first "[Files]" header; false when the
// entry is already there. A text without the header gets the section at its
// end: the uninstaller reads only that section, and a line put in anywhere
// else would split another entry.
bool Insert(std::string& text, const std::string& entry);

// Takes out the first line that holds the entry, with its line break; false
// when there is none.
bool Remove(std::string& text, const std::string& entry);

}  // namespace UninstallList
