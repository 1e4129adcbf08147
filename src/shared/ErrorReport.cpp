#include "shared/ErrorReport.h"

#include "framework/CWnd.h"
#include "shared/Translator.h"
#include "shared/WebAddresses.h"
#include "framework/AfxFunctions.h"
#include "framework/Resources.h"

#include <cstdio>
#include <string>

int AskResourceMessage(UINT stringId, UINT flags)
{
    const std::string text = LoadResourceText(stringId);
    if (text.empty())
        return -1;
    return AfxMessageBox(Translate(text).c_str(), flags);
}

void ShowResourceMessage(UINT stringId, UINT flags)
{
    AskResourceMessage(stringId, flags);
}

void ReportError(UINT stringId, const char* /*sourceFile*/, int /*line*/)
{
    AfxMessageBox(Translate(LoadResourceText(stringId)).c_str(), MB_ICONINFORMATION);
}

const char* UnknownErrorText(const char* sourceFile, int line, char* buffer, size_t size)
{
    std::snprintf(buffer, size,
                  "An unknown error occurred! Please report this to the manufacturer at:\n\t%s"
                  "\n\n\tFile: %s\n\tLine: %d",
                  ZORLA_MAKER_URL, sourceFile ? sourceFile : "", line);
    return buffer;
}

bool ReportUnknownError(const char* sourceFile, int line)
{
    char text[2048];
    AfxMessageBox(UnknownErrorText(sourceFile, line, text, sizeof text), MB_ICONINFORMATION);
    return false;
}

void ShowExceptionText(const std::string& text)
{
    MessageBoxString(nullptr, text, "Exception", MB_ICONWARNING);
}
