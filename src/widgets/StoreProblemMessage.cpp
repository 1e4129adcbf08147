#include "widgets/StoreProblemMessage.h"

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

std::string StoreProblemMessage::Text(const StoreProblem& problem)
{
    const std::string& file = problem.file;
    const std::string& detail = problem.detail;
    switch (problem.kind) {
    case StoreProblem::SetAside:
        return Formatted(GetUiLanguage() == UiGerman
                             ? "Die Datei\n\t%s\nist beschädigt und kann nicht gelesen werden. Sie wurde als\n\t%s\n"
                               "aufbewahrt; das Programm beginnt mit einer leeren Liste."
                             : "The file\n\t%s\nis damaged and cannot be read. It has been kept as\n\t%s\n"
                               "and the program starts with an empty list.",
                         file, detail);
    case StoreProblem::NotMovable:
        return Formatted("File \n\t%s\n\ncan not be read because of the following reason:\n\n\t%s.", file, detail);
    case StoreProblem::WriteFailed: return Translate(LoadResourceText(IDS_WRITE_ERROR));
    case StoreProblem::OtherComputer:
        return Formatted(GetUiLanguage() == UiGerman
                             ? "Die Datei\n\t%s\neines anderen Computers kann nicht gelesen werden (%s). Sie bleibt, "
                               "wie sie ist, und wird wieder gelesen, sobald sie sich ändert; an den Notizen "
                               "dieses Computers ändert sie nichts."
                             : "The file\n\t%s\nof another computer cannot be read (%s). It is left as it is and read "
                               "again when it changes; it changes nothing of this computer's notes.",
                         file, detail);
    case StoreProblem::Unreadable:
    case StoreProblem::DamagedEntry:
    default: return detail;
    }
}

void StoreProblemMessage::Show(const StoreProblem& problem)
{
    switch (problem.kind) {
    case StoreProblem::SetAside: AfxMessageBox(Text(problem).c_str(), MB_ICONWARNING); break;
    case StoreProblem::NotMovable: AfxMessageBox(Text(problem).c_str(), MB_ICONHAND); break;
    case StoreProblem::OtherComputer: AfxMessageBox(Text(problem).c_str(), MB_ICONWARNING); break;
    case StoreProblem::WriteFailed: ReportError(IDS_WRITE_ERROR, __FILE__, __LINE__); break;
    case StoreProblem::Unreadable:
    case StoreProblem::DamagedEntry:
    default: ShowExceptionText(problem.detail); break;
    }
}
