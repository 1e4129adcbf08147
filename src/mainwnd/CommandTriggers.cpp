#include "mainwnd/CommandTriggers.h"

#include "mainwnd/HotSpotId.h"

#include "resource.h"

UINT CommandForHotSpot(int hotSpot)
{
    switch (hotSpot) {
    case HotSpotBrandLogo: return ID_WEB_LINK;
    case HotSpotClose: return ID_TOGGLE_TRAY;
    case HotSpotEnvelope: return ID_SEND_TO_FRIEND;
    case HotSpotBack:
    case HotSpotFigure:
    case HotSpotFileNote:
    case HotSpotAlarmClock: return ID_SHOW_HOME;
    case HotSpotRefresh: return ID_UPDATE_WEATHER;
    case HotSpotWeather: return ID_SHOW_WEATHER;
    case HotSpotNotes: return ID_SHOW_NOTE_EDITOR;
    case HotSpotReminder: return ID_SHOW_REMINDER_EDITOR;
    default: return 0;
    }
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
