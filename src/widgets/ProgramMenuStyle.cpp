#include "widgets/ProgramMenuStyle.h"

#include "framework/AfxFunctions.h"
#include "resource.h"
#include "shared/SharedFont.h"
#include "widgets/CPopupMenu.h"

void FillInProgramStyle(CPopupMenu& menu, const std::vector<PopupMenuItem>& items)
{
    menu.colours.border = RGB(0, 0, 0);
    menu.colours.background = RGB(255, 241, 199);
    menu.colours.text = RGB(0, 0, 0);
    menu.colours.highlightText = RGB(255, 255, 255);
    menu.SetFont([](int dpi) { return SharedFont(dpi); });
    menu.Init(AfxGetResourceHandle(), IDB_MENU_IMAGES);
    for (const PopupMenuItem& item : items)
        menu.AppendItem(item.flags, item.text.c_str(), item.commandId, item.imageIndex, item.highlightColour);
}
