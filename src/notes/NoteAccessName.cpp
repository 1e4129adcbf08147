#include "notes/NoteAccessName.h"

#include "entries/CEntry.h"
#include "shared/Translator.h"

std::string NoteAccessName(const CEntry& entry, const std::string& shownText)
{
    if (entry.kind != EntryKind::Note)
        return Translate("Reminder") + ", " + entry.GetReminderTime().Format("%d.%m.%y %H:%M");
    const std::string firstLine = shownText.substr(0, shownText.find_first_of("\r\n"));
    return firstLine.empty() ? Translate("Note") : Translate("Note") + ": " + firstLine;
}
