#include "notes/NoteControls.h"

#include "framework/CWnd.h"
#include "framework/Handles.h"
#include "framework/Utf8.h"
#include "notes/NoteLayout.h"
#include "resource.h"
#include "shared/AppFont.h"
#include "shared/SharedFont.h"
#include "shared/Translator.h"

#include <algorithm>
#include <cwchar>
#include <map>
#include <string>

namespace {

const COLORREF kDateColor = RGB(1, 82, 138);

void MoveControl(HWND control, const RECT& place)
{
    ::MoveWindow(control, place.left, place.top, place.right, place.bottom, FALSE);
}

// What a font is, as far as its line height goes: its LOGFONT's fields.
std::wstring FontKey(HFONT font)
{
    LOGFONTW log{};
    ::GetObjectW(font, sizeof log, &log);
    const std::wstring face(log.lfFaceName, wcsnlen(log.lfFaceName, LF_FACESIZE));
    return face + L"|" + std::to_wstring(log.lfHeight) + L"|" + std::to_wstring(log.lfWidth) + L"|" +
           std::to_wstring(log.lfWeight) + L"|" + std::to_wstring(log.lfItalic) + L"|" +
           std::to_wstring(log.lfCharSet) + L"|" + std::to_wstring(log.lfOutPrecision) + L"|" +
           std::to_wstring(log.lfQuality) + L"|" + std::to_wstring(log.lfPitchAndFamily);
}

// Measured once per font and kept by what the font is, not by its handle: a
// handle names another font once its font is deleted. Measuring through the
// edit's DC costs a round trip to the window server under Wine, which thousands
// of opening notes would each pay.
int LineHeight(HWND edit)
{
    static std::map<std::wstring, int> measured;
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(edit, WM_GETFONT, 0, 0));
    if (!font)
        font = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    const std::wstring key = FontKey(font);
    const auto known = measured.find(key);
    if (known != measured.end())
        return known->second;
    ClientDCScope dc(edit);
    SelectScope selected(dc.dc(), font);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc.dc(), &metrics);
    measured.emplace(key, metrics.tmHeight);
    return metrics.tmHeight;
}

// What the label shows after a repeating reminder's time.
const char* RepeatWord(Repeat repeat)
{
    switch (repeat) {
    case Repeat::Day: return "daily";
    case Repeat::Weekday: return "weekdays";
    case Repeat::Week: return "weekly";
    case Repeat::Month: return "monthly";
    case Repeat::Year: return "yearly";
    case Repeat::Once: break;
    }
    return nullptr;
}

int TextWidth(HWND label, const std::string& text)
{
    ClientDCScope dc(label);
    SelectScope font(dc.dc(), reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0)));
    const std::wstring wide = Widen(text);
    SIZE size{};
    ::GetTextExtentPoint32W(dc.dc(), wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

}  // namespace

// Looked up once each, then addressed by handle: with thousands of notes
// every look-up of a control by its id is a round trip to the window server.
void NoteControls::Attach(CWnd& dialog, bool reminder)
{
    m_dialog = dialog.m_hWnd;
    m_reminder = reminder;
    m_closeButton.SubclassDlgItem(IDC_NOTE_CLOSE, &dialog);
    m_edit.SubclassDlgItem(IDC_NOTE_TEXT, &dialog);
    m_dateLabel.SubclassDlgItem(IDC_NOTE_DATE, &dialog);
    m_edit.SetTextColor(kTextColor);
    m_edit.GiveKeyboardMenuToParent();
    m_dateLabel.SetTransparent();
    m_dateLabel.SetTextColour(kDateColor);
    if (!reminder)
        m_dateLabel.ShowWindow(SW_HIDE);
}

void NoteControls::ApplyScale(const DisplayScale& scale, int pictureWidth, const CEntry& entry)
{
    m_scale = scale;
    m_pictureWidth = pictureWidth;
    // Every note's button shows the same two pictures: loaded once for all
    // notes of a scale.
    m_closeButton.ShareBitmaps(IDB_NOTE_CLOSE, IDB_NOTE_CLOSE_HOT, IDB_NOTE_CLOSE_HOT, m_scale);
    Place();
    // The font first: the date label takes it over, and its bold comes after.
    const HFONT font = SharedFont(m_scale.Dpi());
    for (HWND control : {m_edit.m_hWnd, m_dateLabel.m_hWnd, m_closeButton.m_hWnd})
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (m_reminder) {
        m_dateLabel.SetBold(true);
        ShowTime(entry);
    }
}

void NoteControls::Place()
{
    MoveControl(m_edit.m_hWnd, NoteLayout::Text(m_reminder, m_scale));
    MoveControl(m_dateLabel.m_hWnd, NoteLayout::Date(m_scale));
    m_dateWidened = false;
    // The button takes the size of its picture, in the same move.
    MoveControl(m_closeButton.m_hWnd, NoteLayout::Close(m_reminder, m_closeButton.PictureSize(), m_scale));
}

std::string NoteControls::Text() const
{
    return GetWindowTextString(m_edit.m_hWnd);
}

void NoteControls::SetText(const std::string& text)
{
    SetWindowTextString(m_edit.m_hWnd, text);
}

void NoteControls::FocusText()
{
    ::SetFocus(m_edit.m_hWnd);
    SelectEnd();
}

void NoteControls::ShowBeginning()
{
    SelectEnd();
    ::SendMessageW(m_edit.m_hWnd, WM_VSCROLL, SB_TOP, 0);
}

void NoteControls::SelectEnd()
{
    const int length = ::GetWindowTextLengthW(m_edit.m_hWnd);
    ::SendMessageW(m_edit.m_hWnd, EM_SETSEL, length, length);
}

// The edit shows whole lines of one font: what it cannot show lies below
// when the lines from the first visible one on outnumber those that fit.
void NoteControls::UpdateMoreBelow()
{
    RECT client{};
    ::GetClientRect(m_edit.m_hWnd, &client);
    const int first = static_cast<int>(::SendMessageW(m_edit.m_hWnd, EM_GETFIRSTVISIBLELINE, 0, 0));
    const int lines = static_cast<int>(::SendMessageW(m_edit.m_hWnd, EM_GETLINECOUNT, 0, 0));
    const int shown = client.bottom / std::max(1, LineHeight(m_edit.m_hWnd));
    const bool moreBelow = lines - first > shown;
    if (moreBelow == m_moreBelow)
        return;
    m_moreBelow = moreBelow;
    const RECT mark = NoteLayout::MoreBelow(m_reminder, m_scale);
    const RECT area{mark.left, mark.top, mark.left + mark.right, mark.top + mark.bottom};
    ::InvalidateRect(m_dialog, &area, FALSE);
}

// A small triangle pointing down, in the text's colour: seen when looked for.
void NoteControls::DrawMoreBelow(HDC dc) const
{
    if (!m_moreBelow)
        return;
    const RECT mark = NoteLayout::MoreBelow(m_reminder, m_scale);
    const POINT corners[] = {{mark.left, mark.top},
                             {mark.left + mark.right - 1, mark.top},
                             {mark.left + mark.right / 2, mark.top + mark.bottom - 1}};
    GdiBrush brush(::CreateSolidBrush(kTextColor));
    GdiPen pen(::CreatePen(PS_SOLID, 1, kTextColor));
    SelectScope brushSelected(dc, brush.get());
    SelectScope penSelected(dc, pen.get());
    ::Polygon(dc, corners, 3);
}

// A repeating reminder's label names its repeat too ("08.12.26 14:00 · daily"),
// growing to the picture's right margin; the year goes when even that is too
// narrow for the translated word.
void NoteControls::ShowTime(const CEntry& entry)
{
    const DateTime time = entry.GetReminderTime();
    const char* word = RepeatWord(entry.GetRepeat());
    RECT place = NoteLayout::Date(m_scale);
    if (word && m_pictureWidth > 0)
        place.right = std::max<LONG>(place.right, m_pictureWidth - place.left - NoteLayout::DateMargin(m_scale));
    // Sized only when it changes: most reminders never repeat.
    if (word || m_dateWidened) {
        m_dateLabel.SetWindowPos(nullptr, 0, 0, place.right, place.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_dateWidened = word != nullptr;
    }
    if (!word) {
        m_dateLabel.SetWindowText(time.Format("%d.%m.%y %H:%M").c_str());
        return;
    }
    const std::string repeat = " \u00B7 " + Translate(word);
    std::string text = time.Format("%d.%m.%y %H:%M") + repeat;
    if (TextWidth(m_dateLabel.m_hWnd, text) > place.right)
        text = time.Format("%d.%m. %H:%M") + repeat;
    SetWindowTextString(m_dateLabel.m_hWnd, text);
}
