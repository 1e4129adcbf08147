#pragma once

#include "widgets/PopupMenuItem.h"

#include <vector>

class CPopupMenu;

// Fills menu with items in the program's own menu style: the card's cream,
// black text and frame, the shared font at the menu's scale and the menu's
// pictures. The command menu and a note's own menu both look so.
void FillInProgramStyle(CPopupMenu& menu, const std::vector<PopupMenuItem>& items);
