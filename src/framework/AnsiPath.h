#pragma once

#include <string>

// A name for a file or folder that the calls which take narrow names in the
// ANSI code page can open (the C runtime's fopen, Simple MAPI): the path itself
// when it is ASCII, else its short name when that is ASCII, else the path in
// the ANSI code page when every letter is in it. A path with none of these is
// given back unchanged, and the ANSI call will not find it. The file or folder
// must exist.
std::string PathForAnsiCalls(const std::string& utf8Path);
