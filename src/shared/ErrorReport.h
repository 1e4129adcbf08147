#pragma once

#include <windows.h>

#include <string>

// Message boxes from the string table, translated just before they show.

// The box's answer, or -1 without a box when the string does not load.
int AskResourceMessage(UINT stringId, UINT flags);

// Nothing is shown when the string does not load.
void ShowResourceMessage(UINT stringId, UINT flags);

// An information box with the string; the place that caught is accepted for the
// caller's benefit but not shown.
void ReportError(UINT stringId, const char* sourceFile, int line);

// The fixed report of an unexpected exception, naming where it was caught.
// Always false, so a handler can "return ReportUnknownError(...)".
bool ReportUnknownError(const char* sourceFile, int line);

// The text ReportUnknownError shows.
const char* UnknownErrorText(const char* sourceFile, int line, char* buffer, size_t size);

// The box of an exception of the XML layer: its text, captioned "Exception".
void ShowExceptionText(const std::string& text);
