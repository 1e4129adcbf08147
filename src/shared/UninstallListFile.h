#pragma once

#include <functional>
#include <string>

// The installer's uninstall list on the disk. The program writes it as UTF-16LE
// with a byte order mark, which the installer's uninstaller reads with every
// character of a path (its plain reads take the ANSI code page, where letters
// of other scripts are lost). A list without the mark comes from an older
// installer, in the ANSI code page. The text in between is UTF-8.
namespace UninstallListFile {

std::string Decode(const std::string& bytes);
std::string Encode(const std::string& text);

// The list is optional: without it, or when it cannot be read or written,
// nothing happens. edit changes the text and tells whether it did; a changed
// text is written beside the list and swapped in, so a failed or cut write
// leaves the list as it was.
void Edit(const std::string& path, const std::function<bool(std::string&)>& edit);

}  // namespace UninstallListFile
