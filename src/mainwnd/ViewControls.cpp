#include "mainwnd/ViewControls.h"

#include "base/DateTime.h"
#include "base/DateTimeSpan.h"
#include "framework/SystemClock.h"
#include "framework/Utf8.h"
#include "mainwnd/PictureFace.h"
#include "resource.h"
#include "shared/DialogUnits.h"
#include "shared/Translator.h"

#include <commctrl.h>

namespace {

struct Control {
    int id;
    const wchar_t* windowClass;
    DWORD style;     // besides WS_CHILD; hidden at creation
    RECT place;      // left, top, width, height in pixels of the picture
    ViewMask views;  // the views that show it
};
// In the order of the dialog's tab stops.
const Control kControls[] = {
    // The link lies on the plate at the foot of the picture; it keeps its right
    // edge when it sizes itself to its text.
    {IDC_WEBLINK, WC_STATICW, SS_RIGHT | SS_NOTIFY, {266, 416, 144, 14}, kAllViews},
    {IDC_CITY_LIST, WC_COMBOBOXW, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
     ClassicDialogPlace(107, 132, 84, 94), MaskOf(MainView::Weather)},
    {IDC_EDITOR_TEXT, WC_EDITW, ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_TABSTOP,
     ClassicDialogPlace(119, 87, 99, 82), MaskOf(MainView::Notes) | MaskOf(MainView::Reminder)},
    {IDC_DATE_PICKER, DATETIMEPICK_CLASSW, DTS_SHORTDATEFORMAT | DTS_RIGHTALIGN | WS_TABSTOP,
     ClassicDialogPlace(115, 195, 63, 15), MaskOf(MainView::Reminder)},
    {IDC_TIME_PICKER, DATETIMEPICK_CLASSW, DTS_UPDOWN | DTS_RIGHTALIGN | WS_TABSTOP,
     ClassicDialogPlace(181, 195, 38, 15), MaskOf(MainView::Reminder)},
    // Under the text, in the date picker's column, above the paper's dotted line;
    // the height is the open list's.
    {IDC_REPEAT_CHOICE, WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, RECT{173, 276, 95, 160},
     MaskOf(MainView::Reminder)},
};

struct RepeatChoice {
    Repeat repeat;
    const char* text;
};
const RepeatChoice kRepeatChoices[] = {
    {Repeat::Once, "once"},       {Repeat::Day, "every day"},     {Repeat::Weekday, "every weekday"},
    {Repeat::Week, "every week"}, {Repeat::Month, "every month"}, {Repeat::Year, "every year"},
};

}  // namespace

namespace ViewControls {

// left, top, width, height at scale; the width and height from the scaled
// edges, so neighbours keep their gaps.
RECT ScaledPlace(const Control& control, const DisplayScale& scale)
{
    const RECT& place = control.place;
    const RECT edges = scale.Rect(RECT{place.left, place.top, place.left + place.right, place.top + place.bottom});
    return RECT{edges.left, edges.top, edges.right - edges.left, edges.bottom - edges.top};
}

void Create(HWND dialog, const DisplayScale& scale)
{
    for (const Control& control : kControls) {
        if (::GetDlgItem(dialog, control.id))
            continue;
        const RECT place = ScaledPlace(control, scale);
        // As the dialog manager makes its controls: no parent notifications.
        ::CreateWindowExW(WS_EX_NOPARENTNOTIFY, control.windowClass, L"", WS_CHILD | control.style, place.left,
                          place.top, place.right, place.bottom, dialog,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), ::GetModuleHandleA(nullptr),
                          nullptr);
    }
}

void Place(HWND dialog, const DisplayScale& scale)
{
    for (const Control& control : kControls) {
        const RECT place = ScaledPlace(control, scale);
        if (HWND window = ::GetDlgItem(dialog, control.id))
            ::SetWindowPos(window, nullptr, place.left, place.top, place.right, place.bottom,
                           SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void ShowFor(HWND dialog, MainView view, bool redraw)
{
    for (const Control& control : kControls) {
        HWND window = ::GetDlgItem(dialog, control.id);
        const bool shown = InViews(control.views, view);
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

void ProposeReminderTime(HWND dialog, const DateTime& now)
{
    DateTime next = now + DateTimeSpan(0, 1, 0, 0);
    next.SetDateTime(next.GetYear(), next.GetMonth(), next.GetDay(), next.GetHour(), 0, 0);
    // The day of the proposed hour: after 23:00 that is tomorrow.
    ShowReminderTime(dialog, next);
}

void ShowReminderTime(HWND dialog, const DateTime& time)
{
    SYSTEMTIME shown{};
    if (!ToSystemTime(time, shown))
        return;
    ::SendDlgItemMessageA(dialog, IDC_DATE_PICKER, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&shown));
    ::SendDlgItemMessageA(dialog, IDC_TIME_PICKER, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&shown));
}

DateTime ChosenReminderTime(HWND dialog)
{
    SYSTEMTIME day{}, time{};
    const LRESULT dayValid =
        ::SendDlgItemMessageA(dialog, IDC_DATE_PICKER, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&day));
    const LRESULT timeValid =
        ::SendDlgItemMessageA(dialog, IDC_TIME_PICKER, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    DateTime chosen(day.wYear, day.wMonth, day.wDay, time.wHour, time.wMinute, 0);
    if (dayValid != GDT_VALID || timeValid != GDT_VALID)
        chosen.SetStatus(DateTime::invalid);
    return chosen;
}

void FillRepeatChoices(HWND dialog)
{
    HWND list = ::GetDlgItem(dialog, IDC_REPEAT_CHOICE);
    ::SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (const RepeatChoice& choice : kRepeatChoices) {
        const LRESULT index =
            ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(Translate(choice.text)).c_str()));
        ::SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(choice.repeat));
    }
    ChooseOnce(dialog);
}

void ChooseOnce(HWND dialog)
{
    ChooseRepeat(dialog, Repeat::Once);
}

void ChooseRepeat(HWND dialog, Repeat repeat)
{
    HWND list = ::GetDlgItem(dialog, IDC_REPEAT_CHOICE);
    const LRESULT count = ::SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
        if (::SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == static_cast<LRESULT>(repeat))
            ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
}

Repeat ChosenRepeat(HWND dialog)
{
    HWND list = ::GetDlgItem(dialog, IDC_REPEAT_CHOICE);
    const LRESULT selected = ::SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR)
        return Repeat::Once;
    return static_cast<Repeat>(::SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0));
}

}  // namespace ViewControls
