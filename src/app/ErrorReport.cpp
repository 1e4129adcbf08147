#include "app/ErrorReport.h"

#include "app/Translator.h"
#include "app/WebAddresses.h"
#include "framework/AfxFunctions.h"

#include <cstdio>
#include <string>

namespace {

bool LoadResourceString(UINT id, std::string& text)
{
    char buffer[1024] = "";
    if (LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer) <= 0)
        return false;
    text = buffer;
    return true;
}

}  // namespace

int AskResourceMessage(UINT stringId, UINT flags)
{
    std::string text;
    if (!LoadResourceString(stringId, text))
        return -1;
    return AfxMessageBox(Translate(text).c_str(), flags);
}

void ShowResourceMessage(UINT stringId, UINT flags)
{
    AskResourceMessage(stringId, flags);
}

void ReportError(UINT stringId, const char* /*sourceFile*/, int /*line*/)
{
    std::string text;
    LoadResourceString(stringId, text);
    AfxMessageBox(Translate(text).c_str(), MB_ICONINFORMATION);
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
