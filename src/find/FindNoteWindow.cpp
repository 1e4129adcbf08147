#include "find/FindNoteWindow.h"

#include "framework/Utf8.h"
#include "resource.h"
#include "shared/AppFont.h"
#include "shared/HighContrast.h"
#include "shared/SharedFont.h"
#include "shared/Translator.h"

#include <commctrl.h>

#include <algorithm>

namespace {

const char kNoMatch[] = "No note contains this text.";
const char kNoNotes[] = "There are no notes yet.";
// At 96 DPI.
const int kMinWidth = 320;
const int kMinHeight = 200;

void InsertColumn(HWND list, int column, const std::string& title, int width)
{
    std::wstring text = Widen(Translate(title));
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    info.pszText = text.data();
    info.cx = width;
    info.iSubItem = column;
    ::SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
}

int TextWidth(HWND list, const std::string& text)
{
    const std::wstring wide = Widen(text);
    return static_cast<int>(::SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(wide.c_str())));
}

// Wide enough for the reminder time and the column's title in the list's font.
int TimeColumnWidth(HWND list, const DisplayScale& scale)
{
    return std::max(TextWidth(list, "88.88.88 88:88"), TextWidth(list, Translate("Reminder"))) + scale.Px(16);
}

}  // namespace

FindNoteWindow::FindNoteWindow(EntriesSource entries, ChooseHandler choose)
    : CDialog(IDD_FIND_NOTE)
    , m_entries(std::move(entries))
    , m_choose(std::move(choose))
{}

FindNoteWindow::~FindNoteWindow()
{
    // While the derived parts still exist: the list is unhooked on the way.
    if (IsOpen())
        DestroyWindow();
}

HWND FindNoteWindow::Edit() const
{
    return ::GetDlgItem(m_hWnd, IDC_FIND_TEXT);
}

bool FindNoteWindow::Open(CWnd* owner)
{
    if (!IsOpen()) {
        ::InitCommonControls();
        m_finder.Refresh(m_entries());
        if (!Create(IDD_FIND_NOTE, owner))
            return false;
        // Where the user left it the last time in this run, else centred.
        if (m_placement.length == sizeof m_placement) {
            m_placement.showCmd = SW_SHOWNORMAL;
            ::SetWindowPlacement(m_hWnd, &m_placement);
        }
        ShowWindow(SW_SHOW);
    } else if (::IsIconic(m_hWnd)) {
        ShowWindow(SW_RESTORE);
    }
    ::SetForegroundWindow(m_hWnd);
    ::SetFocus(Edit());
    ::SendMessageW(Edit(), EM_SETSEL, 0, -1);
    return true;
}

void FindNoteWindow::Refresh()
{
    if (!IsOpen())
        return;
    const int selected = SelectedRow();
    const std::string key = selected >= 0 ? m_matches[static_cast<size_t>(selected)]->key : std::string();
    m_matches.clear();  // they point into the finder's items
    m_finder.Refresh(m_entries());
    ShowMatches(key);
}

BOOL FindNoteWindow::OnInitDialog()
{
    CDialog::OnInitDialog();
    TranslateWindow(m_hWnd, -1);
    m_list.SubclassDlgItem(IDC_FIND_LIST, this);
    ::SendMessageW(m_list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    m_scale = DisplayScale::ForWindow(m_hWnd);
    SetFontOnChildren(m_hWnd, SharedFont(m_scale.Dpi()));

    RECT edit{};
    ::GetWindowRect(Edit(), &edit);
    ScreenToClient(&edit);
    m_margin = edit.left;
    m_editHeight = edit.bottom - edit.top;
    AddColumns();
    RECT client{};
    GetClientRect(&client);
    OnSize(client.right, client.bottom);
    ShowMatches(std::string());
    return TRUE;  // the focus goes to the search box, the first control
}

void FindNoteWindow::AddColumns()
{
    m_timeColumn = TimeColumnWidth(m_list, m_scale);
    InsertColumn(m_list, 0, "Note", m_scale.Px(100));
    InsertColumn(m_list, 1, "Reminder", m_timeColumn);
}

LRESULT FindNoteWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // clang-format off
    switch (message) {
    case WM_NOTIFY:         return OnNotify(reinterpret_cast<const NMHDR*>(lParam));
    case WM_SIZE:           OnSize(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_GETMINMAXINFO:  OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam)); return 0;
    case WM_DPICHANGED:     OnDpiChanged(wParam, reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_DESTROY:        OnDestroy(); break;
    // Back from typing into a note or deleting one: the list shows them as they are.
    case WM_ACTIVATE:       if (LOWORD(wParam) != WA_INACTIVE) Refresh(); break;
    default:                break;
    }
    // clang-format on
    return CDialog::WindowProc(message, wParam, lParam);
}

BOOL FindNoteWindow::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_FIND_TEXT && HIWORD(wParam) == EN_CHANGE) {
        ShowMatches(std::string());
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

// Down from the search box goes into the list, Up from the list's first row back
// to the box: the keys a user tries between the two.
BOOL FindNoteWindow::PreTranslateMessage(MSG* message)
{
    if (message->message == WM_KEYDOWN) {
        if (message->hwnd == Edit() && message->wParam == VK_DOWN && !m_matches.empty()) {
            SelectRow(std::max(SelectedRow(), 0));
            ::SetFocus(m_list);
            return TRUE;
        }
        if (message->hwnd == m_list && message->wParam == VK_UP && SelectedRow() <= 0) {
            ::SetFocus(Edit());
            return TRUE;
        }
    }
    return CDialog::PreTranslateMessage(message);
}

void FindNoteWindow::OnOK()
{
    Choose(SelectedRow() >= 0 ? SelectedRow() : 0);
}

LRESULT FindNoteWindow::OnNotify(const NMHDR* header)
{
    if (header->hwndFrom != m_list)
        return CDialog::WindowProc(WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header));
    switch (header->code) {
    case LVN_GETDISPINFOW: OnGetDispInfo(reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(header))); break;
    case NM_DBLCLK: Choose(reinterpret_cast<const NMITEMACTIVATE*>(header)->iItem); break;
    case NM_CUSTOMDRAW: return OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(header)));
    default: break;
    }
    return 0;
}

void FindNoteWindow::OnGetDispInfo(NMLVDISPINFOW* info)
{
    LVITEMW& item = info->item;
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0 || item.iItem < 0 ||
        static_cast<size_t>(item.iItem) >= m_matches.size())
        return;
    const NoteFinder::Item& match = *m_matches[static_cast<size_t>(item.iItem)];
    const std::wstring text = Widen(item.iSubItem == 0 ? match.preview : match.when);
    ::lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
}

// A selected row keeps the selection's colours, and high contrast the system's.
LRESULT FindNoteWindow::OnCustomDraw(NMLVCUSTOMDRAW* draw)
{
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT)
        return HighContrast::IsOn() ? CDRF_DODEFAULT : CDRF_NOTIFYITEMDRAW;
    const size_t row = draw->nmcd.dwItemSpec;
    if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT || row >= m_matches.size() ||
        ::SendMessageW(m_list, LVM_GETITEMSTATE, row, LVIS_SELECTED) != 0)
        return CDRF_DODEFAULT;
    const Rgb paper = NotePaper(m_matches[row]->colour);
    draw->clrTextBk = RGB(paper.r, paper.g, paper.b);
    draw->clrText = RGB(0, 0, 0);
    return CDRF_DODEFAULT;
}

void FindNoteWindow::OnSize(int width, int height)
{
    if (!m_list.GetSafeHwnd())
        return;
    const int inner = std::max(width - 2 * m_margin, 0);
    const int listTop = 2 * m_margin + m_editHeight;
    ::MoveWindow(Edit(), m_margin, m_margin, inner, m_editHeight, TRUE);
    m_list.MoveWindow(m_margin, listTop, inner, std::max(height - listTop - m_margin, 0));
    FitColumns();
    m_list.Invalidate();
}

// The text takes what the time leaves of the list's width (less once a scroll
// bar shows), so no row scrolls sideways.
void FindNoteWindow::FitColumns()
{
    RECT list{};
    m_list.GetClientRect(&list);
    ::SendMessageW(m_list, LVM_SETCOLUMNWIDTH, 0, std::max<int>(list.right - m_timeColumn, m_scale.Px(60)));
}

void FindNoteWindow::OnDestroy()
{
    m_placement.length = sizeof m_placement;
    if (!::GetWindowPlacement(m_hWnd, &m_placement))
        m_placement.length = 0;
}

void FindNoteWindow::OnGetMinMaxInfo(MINMAXINFO* info)
{
    info->ptMinTrackSize.x = m_scale.Px(kMinWidth);
    info->ptMinTrackSize.y = m_scale.Px(kMinHeight);
}

// Moved to a monitor of another scale: margins, font and columns are made for
// it, and the window takes the place Windows proposes.
void FindNoteWindow::OnDpiChanged(WPARAM wParam, const RECT* suggested)
{
    const DisplayScale previous = m_scale;
    m_scale = DisplayScale(LOWORD(wParam));
    m_margin = ::MulDiv(m_margin, m_scale.Dpi(), previous.Dpi());
    m_editHeight = ::MulDiv(m_editHeight, m_scale.Dpi(), previous.Dpi());
    SetFontOnChildren(m_hWnd, SharedFont(m_scale.Dpi()));
    m_timeColumn = TimeColumnWidth(m_list, m_scale);
    ::SendMessageW(m_list, LVM_SETCOLUMNWIDTH, 1, m_timeColumn);
    RECT place{};
    GetWindowRect(&place);
    if (suggested)
        place = *suggested;
    SetWindowPos(nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // The size may be unchanged while the margins are not.
    RECT client{};
    GetClientRect(&client);
    OnSize(client.right, client.bottom);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// The rows for the search text as it stands; the row of keepKey stays selected
// when it still matches, else the first.
void FindNoteWindow::ShowMatches(const std::string& keepKey)
{
    m_matches = m_finder.Find(GetWindowTextString(Edit()));
    m_list.SetEmptyText(Translate(m_finder.Size() == 0 ? kNoNotes : kNoMatch));
    ::SendMessageW(m_list, LVM_SETITEMCOUNT, m_matches.size(), 0);
    FitColumns();
    int row = 0;
    for (size_t i = 0; i < m_matches.size() && !keepKey.empty(); ++i) {
        if (m_matches[i]->key == keepKey)
            row = static_cast<int>(i);
    }
    SelectRow(m_matches.empty() ? -1 : row);
}

void FindNoteWindow::SelectRow(int row)
{
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(m_list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    if (row < 0)
        return;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(m_list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
    ::SendMessageW(m_list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

int FindNoteWindow::SelectedRow() const
{
    return static_cast<int>(
        ::SendMessageW(m_list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
}

void FindNoteWindow::Choose(int row)
{
    if (row < 0 || static_cast<size_t>(row) >= m_matches.size() || !m_choose)
        return;
    // A copy: the owner may refresh the list while it brings the note up.
    const std::string key = m_matches[static_cast<size_t>(row)]->key;
    m_choose(key);
}
