#include "notes/ReminderDueDlg.h"

#include "framework/Resources.h"
#include "framework/Utf8.h"
#include "notes/ClassicLayout.h"
#include "resource.h"
#include "notes/SeriesQuestionDlg.h"
#include "shared/DialogUnits.h"
#include "base/ProgramTitle.h"
#include "shared/Translator.h"

#include <cstdio>

namespace {

struct Choice {
    const char* text;
    int minutes;
};

// German whatever the interface language: the list is not translated.
const Choice kShortChoices[] = {{"5 Minuten", 5}, {"10 Minuten", 10}, {"15 Minuten", 15}, {"30 Minuten", 30}};
const int kHourChoices = 10;
const Choice kLongChoices[] = {{"0,5 Tage", 720}, {"18 Stunden", 1080}, {"1 Tag", 1440},    {"2 Tage", 2880},
                               {"3 Tage", 4320},  {"4 Tage", 5760},     {"1 Woche", 10080}, {"2 Wochen", 20160}};

// The template's controls in its order, at their places in classic 6 x 13
// dialog units like every window of the program, whatever units the system's
// "MS Sans Serif" gives (Wine's are 6 x 12).
const RECT kPlaces[] = {
    ClassicDialogPlace(99, 40, 65, 14),  // "&remind again"
    // The text stops short of the icon, which the template lets it run into.
    {30, 26, 206, 13},
    ClassicDialogPlace(44, 68, 50, 14),   // "&Delete"
    ClassicDialogPlace(101, 68, 50, 14),  // "&Cancel"
    ClassicDialogPlace(160, 11, 20, 20),  // the icon, sized to it later
    ClassicDialogPlace(31, 41, 59, 103),  // the choices with their open list
    ClassicDialogPlace(20, 43, 8, 8),     // "In"
    ClassicDialogPlace(3, 0, 190, 61),
    ClassicDialogPlace(3, 59, 190, 28),
};
const RECT kClient = ClassicDialogPlace(0, 0, 196, 90);

void AddChoice(HWND list, const char* text, int minutes)
{
    const LRESULT index = ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
    ::SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(index), minutes);
}

}  // namespace

ReminderDueDlg::ReminderDueDlg(CWnd* parent, bool repeating)
    : CDialog(IDD_DUE_DIALOG, parent)
    , m_repeating(repeating)
{}

BOOL ReminderDueDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    PlaceClassicLayout(m_hWnd, kPlaces, kClient);
    // After placing: an icon static takes the icon's size when it gets one.
    ::SendDlgItemMessageA(m_hWnd, IDC_DUE_ICON, STM_SETICON,
                          reinterpret_cast<WPARAM>(::LoadIconA(nullptr, IDI_QUESTION)), 0);
    FillChoices();
    SetWindowTextString(::GetDlgItem(m_hWnd, IDC_DUE_TEXT), Translate(LoadResourceText(IDS_ASK_DELETE_NOTICE)));
    SetWindowTextString(m_hWnd, ProgramTitle);
    TranslateWindow(m_hWnd, -1);
    return TRUE;
}

void ReminderDueDlg::FillChoices()
{
    HWND list = ::GetDlgItem(m_hWnd, IDC_DUE_CHOICES);
    for (const Choice& choice : kShortChoices)
        AddChoice(list, choice.text, choice.minutes);
    for (int hours = 1; hours <= kHourChoices; ++hours) {
        char text[32];
        std::snprintf(text, sizeof text, "%d Stunde", hours);
        AddChoice(list, text, hours * 60);
    }
    for (const Choice& choice : kLongChoices)
        AddChoice(list, choice.text, choice.minutes);
    ::SendMessageW(list, CB_SELECTSTRING, 3, reinterpret_cast<LPARAM>(L"30 Minuten"));
}

BOOL ReminderDueDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED) {
        // clang-format off
        switch (LOWORD(wParam)) {
        case IDC_DUE_DELETE:    OnDelete(); return TRUE;
        case IDC_DUE_CANCEL:    EndDialog(Cancel); return TRUE;
        case IDC_DUE_REMIND:    OnRemindAgain(); return TRUE;
        default:                break;
        }
        // clang-format on
    }
    return CDialog::OnCommand(wParam, lParam);
}

void ReminderDueDlg::OnRemindAgain()
{
    HWND list = ::GetDlgItem(m_hWnd, IDC_DUE_CHOICES);
    const LRESULT selected = ::SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (selected != CB_ERR)
        m_chosenMinutes = static_cast<int>(::SendMessageA(list, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0));
    EndDialog(RemindAgain);
}

// Cancelling the question goes back to this dialog, with the reminder as it was.
void ReminderDueDlg::OnDelete()
{
    if (!m_repeating) {
        EndDialog(Delete);
        return;
    }
    SeriesQuestionDlg question(this);
    m_question = &question;
    const INT_PTR answer = question.DoModal();
    m_question = nullptr;
    switch (answer) {
    case SeriesQuestionDlg::ThisOccurrence: EndDialog(EndOccurrence); break;
    case SeriesQuestionDlg::WholeSeries: EndDialog(Delete); break;
    default: break;
    }
}

void ReminderDueDlg::Abandon()
{
    if (m_question && m_question->m_hWnd)
        m_question->EndDialog(IDCANCEL);
    if (m_hWnd)
        EndDialog(IDCANCEL);
}
