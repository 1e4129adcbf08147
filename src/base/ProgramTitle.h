#pragma once

// The program's display name: caption, tray tip, message texts and the first part
// of every note window's key. A constant array, so it is ready before any other
// process-wide object is constructed.
extern const char ProgramTitle[];
