#pragma once

#include "entries/NoteColour.h"
#include "widgets/PopupMenuItem.h"

#include <vector>

class CPopupMenu;

// A note's own menu: its colour, every note shown, and its delete. The menu
// has no submenus, so the six colours stand as rows under the "Colour" title,
// the note's own one ticked.
std::vector<PopupMenuItem> NoteMenuItems(NoteColour current);
// Builds the menu anew in the command menu's colours and font with those rows.
void FillNoteMenu(CPopupMenu& menu, NoteColour current);
