#include "mainwnd/ViewControls.h"

#include "framework/COleDateTime.h"
#include "framework/COleDateTimeSpan.h"
#include "mainwnd/ZorlaBMPHandler.h"
#include "resource.h"

#include <commctrl.h>

namespace {

struct Control {
    int id;
    RECT units;  // left, top, width, height in the template's dialog units
    int views;   // the views that show it
};
const Control kControls[] = {
    {IDC_CITY_LIST, {107, 132, 84, 94}, ZorlaBMPHandler::ViewWeather},
    {IDC_EDITOR_TEXT, {119, 87, 99, 82}, ZorlaBMPHandler::ViewNotes | ZorlaBMPHandler::ViewTimer},
    {IDC_DATE_PICKER, {115, 195, 63, 15}, ZorlaBMPHandler::ViewTimer},
    {IDC_TIME_PICKER, {181, 195, 38, 15}, ZorlaBMPHandler::ViewTimer},
};
// The link lies on the maker's line of the picture; the template puts it outside.
// It shows in every view.
const RECT kLinkPlace = {335, 419, 80, 13};

}  // namespace

namespace ViewControls {

void Place(HWND dialog)
{
    for (const Control& control : kControls) {
        ::MoveWindow(::GetDlgItem(dialog, control.id), MulDiv(control.units.left, 6, 4),
                     MulDiv(control.units.top, 13, 8), MulDiv(control.units.right, 6, 4),
                     MulDiv(control.units.bottom, 13, 8), FALSE);
    }
    ::MoveWindow(::GetDlgItem(dialog, IDC_WEBLINK), kLinkPlace.left, kLinkPlace.top, kLinkPlace.right,
                 kLinkPlace.bottom, FALSE);
}

void ShowFor(HWND dialog, int view)
{
    for (const Control& control : kControls)
        ::ShowWindow(::GetDlgItem(dialog, control.id), (control.views & view) ? SW_SHOW : SW_HIDE);
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
