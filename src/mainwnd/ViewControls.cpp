#include "mainwnd/ViewControls.h"

#include "base/COleDateTime.h"
#include "base/COleDateTimeSpan.h"
#include "framework/SystemClock.h"
#include "mainwnd/PictureFace.h"
#include "resource.h"
#include "shared/DialogUnits.h"

#include <commctrl.h>

namespace {

struct Control {
    int id;
    const wchar_t* windowClass;
    DWORD style;  // besides WS_CHILD; hidden at creation
    RECT place;   // left, top, width, height in pixels of the picture
    int views;    // the views that show it
};
// In the order of the dialog's tab stops.
const Control kControls[] = {
    // The link lies on the plate at the foot of the picture; it keeps its right
    // edge when it sizes itself to its text.
    {IDC_WEBLINK, WC_STATICW, SS_RIGHT | SS_NOTIFY, {266, 416, 144, 14}, PictureFace::ViewAll},
    {IDC_CITY_LIST, WC_COMBOBOXW, CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP,
     ClassicDialogPlace(107, 132, 84, 94), PictureFace::ViewWeather},
    {IDC_EDITOR_TEXT, WC_EDITW, ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_TABSTOP, ClassicDialogPlace(119, 87, 99, 82),
     PictureFace::ViewNotes | PictureFace::ViewReminder},
    {IDC_DATE_PICKER, DATETIMEPICK_CLASSW, DTS_SHORTDATEFORMAT | DTS_RIGHTALIGN | WS_TABSTOP,
     ClassicDialogPlace(115, 195, 63, 15), PictureFace::ViewReminder},
    {IDC_TIME_PICKER, DATETIMEPICK_CLASSW, DTS_UPDOWN | DTS_RIGHTALIGN | WS_TABSTOP,
     ClassicDialogPlace(181, 195, 38, 15), PictureFace::ViewReminder},
};

}  // namespace

namespace ViewControls {

void Create(HWND dialog)
{
    for (const Control& control : kControls) {
        if (::GetDlgItem(dialog, control.id))
            continue;
        const RECT& place = control.place;
        // As the dialog manager makes its controls: no parent notifications.
        ::CreateWindowExW(WS_EX_NOPARENTNOTIFY, control.windowClass, L"", WS_CHILD | control.style, place.left,
                          place.top, place.right, place.bottom, dialog,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), ::GetModuleHandleA(nullptr),
                          nullptr);
    }
}

void ShowFor(HWND dialog, int view, bool redraw)
{
    for (const Control& control : kControls) {
        HWND window = ::GetDlgItem(dialog, control.id);
        const bool shown = (control.views & view) != 0;
        // Only the controls that change: every ShowWindow costs a round to the display.
        if (!window || ((::GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) != 0) == shown)
            continue;
        if (redraw) {
            ::ShowWindow(window, shown ? SW_SHOW : SW_HIDE);
        } else {
            ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW |
                               (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        }
    }
}

void ProposeReminderTime(HWND dialog, const COleDateTime& now)
{
    COleDateTime next = now + COleDateTimeSpan(0, 1, 0, 0);
    next.SetDateTime(next.GetYear(), next.GetMonth(), next.GetDay(), next.GetHour(), 0, 0);
    SYSTEMTIME proposed{};
    ToSystemTime(next, proposed);
    // The day of the proposed hour: after 23:00 that is tomorrow.
    ::SendDlgItemMessageA(dialog, IDC_DATE_PICKER, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&proposed));
    ::SendDlgItemMessageA(dialog, IDC_TIME_PICKER, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&proposed));
}

COleDateTime ChosenReminderTime(HWND dialog)
{
    SYSTEMTIME day{}, time{};
    const LRESULT dayValid =
        ::SendDlgItemMessageA(dialog, IDC_DATE_PICKER, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&day));
    const LRESULT timeValid =
        ::SendDlgItemMessageA(dialog, IDC_TIME_PICKER, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    COleDateTime chosen(day.wYear, day.wMonth, day.wDay, time.wHour, time.wMinute, 0);
    if (dayValid != GDT_VALID || timeValid != GDT_VALID)
        chosen.SetStatus(COleDateTime::invalid);
    return chosen;
}

}  // namespace ViewControls
