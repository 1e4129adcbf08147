#include "mainwnd/ViewControls.h"

#include "framework/COleDateTime.h"
#include "framework/COleDateTimeSpan.h"
#include "mainwnd/ZorlaBMPHandler.h"
#include "resource.h"

#include <commctrl.h>

namespace {

struct Control {
    int id;
    const char* windowClass;
    DWORD style;  // besides WS_CHILD and WS_TABSTOP; hidden at creation
    RECT units;   // left, top, width, height in dialog units of the classic 6 x 13 font
    int views;    // the views that show it
};
const Control kControls[] = {
    {IDC_CITY_LIST,
     WC_COMBOBOXA,
     CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL,
     {107, 132, 84, 94},
     ZorlaBMPHandler::ViewWeather},
    {IDC_EDITOR_TEXT,
     WC_EDITA,
     ES_MULTILINE | ES_WANTRETURN,
     {119, 87, 99, 82},
     ZorlaBMPHandler::ViewNotes | ZorlaBMPHandler::ViewTimer},
    {IDC_DATE_PICKER,
     DATETIMEPICK_CLASSA,
     DTS_SHORTDATEFORMAT | DTS_RIGHTALIGN,
     {115, 195, 63, 15},
     ZorlaBMPHandler::ViewTimer},
    {IDC_TIME_PICKER, DATETIMEPICK_CLASSA, DTS_UPDOWN | DTS_RIGHTALIGN, {181, 195, 38, 15}, ZorlaBMPHandler::ViewTimer},
};

RECT PixelPlace(const Control& control)
{
    return RECT{MulDiv(control.units.left, 6, 4), MulDiv(control.units.top, 13, 8), MulDiv(control.units.right, 6, 4),
                MulDiv(control.units.bottom, 13, 8)};
}
// The link lies on the maker's line of the picture; the template puts it outside.
// It is the one control of the template and shows in every view.
const RECT kLinkPlace = {335, 419, 80, 13};

}  // namespace

namespace ViewControls {

void PlaceLink(HWND dialog)
{
    ::MoveWindow(::GetDlgItem(dialog, IDC_WEBLINK), kLinkPlace.left, kLinkPlace.top, kLinkPlace.right,
                 kLinkPlace.bottom, FALSE);
}

bool Create(HWND dialog)
{
    bool created = false;
    for (const Control& control : kControls) {
        if (::GetDlgItem(dialog, control.id))
            continue;
        const RECT place = PixelPlace(control);
        // As the dialog manager makes its controls: no parent notifications.
        created |= ::CreateWindowExA(WS_EX_NOPARENTNOTIFY, control.windowClass, "",
                                     WS_CHILD | WS_TABSTOP | control.style, place.left, place.top, place.right,
                                     place.bottom, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                                     ::GetModuleHandleA(nullptr), nullptr) != nullptr;
    }
    return created;
}

void ShowFor(HWND dialog, int view)
{
    for (const Control& control : kControls) {
        HWND window = ::GetDlgItem(dialog, control.id);
        const bool shown = (control.views & view) != 0;
        // Only the controls that change: every ShowWindow costs a round to the display.
        if (window && ((::GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) != 0) != shown)
            ::ShowWindow(window, shown ? SW_SHOW : SW_HIDE);
    }
}

void ProposeReminderTime(HWND dialog, const SYSTEMTIME& now)
{
    SYSTEMTIME today = now;
    ::SendDlgItemMessageA(dialog, IDC_DATE_PICKER, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&today));
    COleDateTime next = COleDateTime(now) + COleDateTimeSpan(0, 1, 0, 0);
    next.SetDateTime(next.GetYear(), next.GetMonth(), next.GetDay(), next.GetHour(), 0, 0);
    SYSTEMTIME proposed{};
    next.GetAsSystemTime(proposed);
    ::SendDlgItemMessageA(dialog, IDC_TIME_PICKER, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&proposed));
}

}  // namespace ViewControls
