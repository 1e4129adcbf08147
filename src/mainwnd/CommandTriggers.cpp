#include "mainwnd/CommandTriggers.h"

#include "resource.h"

UINT CommandForHotSpot(int hotSpot)
{
    // clang-format off
    switch (hotSpot) {
    case 1:  return ID_WEB_LINK;           // the brand's logo
    case 2:  return ID_TOGGLE_TRAY;        // the close button
    case 3:  return ID_SEND_TO_FRIEND;     // the envelope
    case 4:                                // the back arrow
    case 6:                                // the figure
    case 9:                                // filing the note
    case 11: return ID_SHOW_HOME;          // the alarm clock
    case 5:  return ID_UPDATE_WEATHER;     // the refresh arrow
    case 7:  return ID_SHOW_WEATHER;
    case 8:  return ID_SHOW_NOTE_EDITOR;
    case 10: return ID_SHOW_TIMER_EDITOR;
    default: return 0;
    }
    // clang-format on
}

UINT CommandForSystemMenu(UINT item)
{
    // The system menu reports its own items with the low four bits in use.
    return (item & 0xFFF0) == IDM_SYSTEM_ABOUT ? ID_ABOUT : 0;
}

UINT CommandForDoubleClick()
{
    return ID_WEB_LINK;
}
