#include "notes/SeriesQuestionDlg.h"

#include "base/ProgramTitle.h"
#include "framework/Resources.h"
#include "framework/Utf8.h"
#include "notes/ClassicLayout.h"
#include "resource.h"
#include "shared/DialogUnits.h"
#include "shared/Translator.h"

namespace {

// The template's controls in its order, in classic 6 x 13 dialog units like
// the due dialog it is asked from, whatever units "MS Sans Serif" gives.
const RECT kPlaces[] = {
    ClassicDialogPlace(34, 40, 76, 14),   // "This &occurrence"
    ClassicDialogPlace(114, 40, 76, 14),  // "The whole &series"
    ClassicDialogPlace(194, 40, 44, 14),  // "&Cancel"
    ClassicDialogPlace(34, 8, 204, 26),  ClassicDialogPlace(7, 8, 20, 20),
};
const RECT kClient = ClassicDialogPlace(0, 0, 244, 62);

}  // namespace

SeriesQuestionDlg::SeriesQuestionDlg(CWnd* parent)
    : CDialog(IDD_SERIES_QUESTION, parent)
{}

BOOL SeriesQuestionDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    PlaceClassicLayout(m_hWnd, kPlaces, kClient);
    ::SendDlgItemMessageA(m_hWnd, IDC_SERIES_ICON, STM_SETICON,
                          reinterpret_cast<WPARAM>(::LoadIconA(nullptr, IDI_QUESTION)), 0);
    SetWindowTextString(::GetDlgItem(m_hWnd, IDC_SERIES_TEXT), Translate(LoadResourceText(IDS_ASK_END_SERIES)));
    SetWindowTextString(m_hWnd, ProgramTitle);
    TranslateWindow(m_hWnd, -1);
    return TRUE;
}

BOOL SeriesQuestionDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED) {
        // clang-format off
        switch (LOWORD(wParam)) {
        case IDC_SERIES_OCCURRENCE: EndDialog(ThisOccurrence); return TRUE;
        case IDC_SERIES_WHOLE:      EndDialog(WholeSeries); return TRUE;
        default:                    break;
        }
        // clang-format on
    }
    return CDialog::OnCommand(wParam, lParam);
}
