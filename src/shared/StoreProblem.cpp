#include "shared/StoreProblem.h"

#include "framework/AfxFunctions.h"
#include "framework/Resources.h"
#include "resource.h"
#include "shared/ErrorReport.h"
#include "shared/Translator.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

std::string Formatted(const char* format, const std::string& first, const std::string& second)
{
    std::vector<char> text(std::string(format).size() + first.size() + second.size() + 1);
    std::snprintf(text.data(), text.size(), format, first.c_str(), second.c_str());
    return text.data();
}

}  // namespace

std::string StoreProblem::Text() const
{
    switch (kind) {
    case SetAside:
        return Formatted(GetUiLanguage() == UiGerman
                             ? "Die Datei\n\t%s\nist beschädigt und kann nicht gelesen werden. Sie wurde als\n\t%s\n"
                               "aufbewahrt; das Programm beginnt mit einer leeren Liste."
                             : "The file\n\t%s\nis damaged and cannot be read. It has been kept as\n\t%s\n"
                               "and the program starts with an empty list.",
                         file, detail);
    case NotMovable:
        return Formatted("File \n\t%s\n\ncan not be read because of the following reason:\n\n\t%s.", file, detail);
    case WriteFailed: return Translate(LoadResourceText(IDS_WRITE_ERROR));
    case Unreadable:
    case DamagedEntry:
    default: return detail;
    }
}

void StoreProblem::Show() const
{
    switch (kind) {
    case SetAside: AfxMessageBox(Text().c_str(), MB_ICONWARNING); break;
    case NotMovable: AfxMessageBox(Text().c_str(), MB_ICONHAND); break;
    case WriteFailed: ReportError(IDS_WRITE_ERROR, __FILE__, __LINE__); break;
    case Unreadable:
    case DamagedEntry:
    default: ShowExceptionText(detail); break;
    }
}
