#include "notes/NoteMenu.h"

#include "resource.h"
#include "shared/Translator.h"
#include "widgets/CPopupMenu.h"
#include "widgets/ProgramMenuStyle.h"

#include <algorithm>

namespace {

// As the command menu: its highlight and the check cell of its image strip.
const COLORREF kBlue = RGB(49, 114, 165);
const int kCheck = 3;

const char* const kColourRows[kNoteColourCount] = {"&Yellow", "&Blue", "&Green", "&Pink", "P&urple", "G&rey"};

PopupMenuItem Row(const std::string& text, UINT id, int image = -1)
{
    PopupMenuItem item;
    item.text = text;
    item.commandId = id;
    item.imageIndex = image;
    item.highlightColour = kBlue;
    return item;
}

}  // namespace

std::vector<PopupMenuItem> NoteMenuItems(NoteColour current)
{
    std::vector<PopupMenuItem> items;
    // A title, not a row to choose: its letter would take one of the colours'.
    std::string title = Translate("&Colour");
    title.erase(std::remove(title.begin(), title.end(), '&'), title.end());
    PopupMenuItem heading = Row(title, 0);
    heading.flags = MIF_INACTIVE | MIF_BOLD;
    items.push_back(heading);
    for (int i = 0; i < kNoteColourCount; ++i)
        items.push_back(
            Row(Translate(kColourRows[i]), ID_NOTE_COLOUR_FIRST + i, static_cast<int>(current) == i ? kCheck : -1));
    PopupMenuItem separator;
    separator.flags = MIF_SEPARATOR;
    items.push_back(separator);
    items.push_back(Row(Translate("Show all notes"), ID_SHOW_ALL_NOTES));
    items.push_back(Row(Translate("&Delete"), ID_NOTE_DELETE));
    return items;
}

void FillNoteMenu(CPopupMenu& menu, NoteColour current)
{
    FillInProgramStyle(menu, NoteMenuItems(current));
}
