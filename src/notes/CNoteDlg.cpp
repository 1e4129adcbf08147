#include "notes/CNoteDlg.h"

#include "notes/NoteAccessName.h"
#include "shared/NamedAccessible.h"

#include "framework/AfxFunctions.h"
#include "framework/Handles.h"
#include "framework/Utf8.h"
#include "image/PLTextException.h"
#include "image/RegionResource.h"
#include "model/ZorlaModel.h"
#include "notes/MonitorPlace.h"
#include "notes/NoteCascade.h"
#include "notes/NoteLayout.h"
#include "notes/NotePictures.h"
#include "notes/NoteWindowOwner.h"
#include "notes/StoredPlace.h"
#include "resource.h"
#include "shared/AppFont.h"
#include "shared/ErrorReport.h"
#include "shared/Translator.h"
#include "notes/ReminderDueDlg.h"
#include "widgets/StoreProblemMessage.h"

#include <algorithm>
#include <map>

namespace {

const COLORREF kTextColor = RGB(0, 101, 136);
const COLORREF kDateColor = RGB(1, 82, 138);

void MoveControl(HWND control, const RECT& place)
{
    ::MoveWindow(control, place.left, place.top, place.right, place.bottom, FALSE);
}

// The height of a line of the edit's font; every note on monitors of one
// scale shares one font, so it is measured once for each, not for each of
// thousands of notes.
int LineHeight(HWND edit)
{
    static std::map<HFONT, int> measured;
    const HFONT font = reinterpret_cast<HFONT>(::SendMessageW(edit, WM_GETFONT, 0, 0));
    int& height = measured[font];
    if (height <= 0) {
        ClientDCScope dc(edit);
        SelectScope selected(dc.dc(), font ? font : ::GetStockObject(SYSTEM_FONT));
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(dc.dc(), &metrics);
        height = metrics.tmHeight;
    }
    return height;
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

bool operator!=(const POINT& a, const POINT& b)
{
    return a.x != b.x || a.y != b.y;
}

}  // namespace

CNoteDlg::CNoteDlg(NotePictures& pictures, NoteCascade& cascade, CWnd* mainWindow, SoundBoard* sounds)
    : CDialog(IDD_NOTE, mainWindow)
    , m_pictures(pictures)
    , m_cascade(cascade)
    , m_mainWindow(mainWindow)
    , m_sounds(sounds)
{}

CNoteDlg::~CNoteDlg()
{
    // While the controls' objects still exist.
    if (m_hWnd && ::IsWindow(m_hWnd))
        DestroyByUs();
}

void CNoteDlg::DestroyByUs()
{
    m_destroyingByUs = true;
    if (m_hWnd)
        DestroyWindow();
}

void CNoteDlg::SetEntry(const CEntry& entry, const std::string& key)
{
    m_entry = entry;
    m_key = key;
}

bool CNoteDlg::DockIntoDesktop()
{
    if (!m_desktopHost.PlaceOnDesktop(*this, IDD_NOTE, m_mainWindow))
        return false;
    m_shownPlace = ScreenPlace();
    m_watchedPlace = m_shownPlace;
    m_watching = true;
    return true;
}

// ---- place ---------------------------------------------------------------------

// In client coordinates of the window the note rests in (the screen when none).
POINT CNoteDlg::InitialPlace(const PLDIBSection& picture)
{
    HWND reference = m_desktopHost.PositionReference();
    const SIZE size{picture.Width(), picture.Height()};
    POINT place{};
    if (StoredPlace::IsSet(POINT{m_entry.wndX, m_entry.wndY})) {
        place = StoredPlaceOnScreen(size);
        m_moveKeepsStoredPlace =
            place != StoredPlace::OnScreen(POINT{m_entry.wndX, m_entry.wndY}, DisplayScale::ForSystem());
        if (reference)
            ::ScreenToClient(reference, &place);
    } else {
        place = m_cascade.Next(size, SIZE{::GetSystemMetrics(SM_CXFULLSCREEN), ::GetSystemMetrics(SM_CYFULLSCREEN)},
                               m_scale);
    }
    return place;
}

// The one way from a stored place to a window's: the store keeps 96-DPI units.
POINT CNoteDlg::StoredPlaceOnScreen(SIZE size) const
{
    const POINT corner = StoredPlace::OnScreen(POINT{m_entry.wndX, m_entry.wndY}, DisplayScale::ForSystem());
    const RECT shown =
        MonitorPlace::OnSomeMonitor(RECT{corner.x, corner.y, corner.x + size.cx, corner.y + size.cy}, m_scale);
    return POINT{shown.left, shown.top};
}

void CNoteDlg::RedockAtStoredPlace()
{
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    m_desktopHost.Redock(*this, StoredPlaceOnScreen(SIZE{rect.right - rect.left, rect.bottom - rect.top}));
}

POINT CNoteDlg::ScreenPlace() const
{
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    return POINT{rect.left, rect.top};
}

POINT CNoteDlg::RestingPlace() const
{
    const POINT place = ScreenPlace();
    const POINT moved = m_alert.Displacement();
    return POINT{place.x - moved.x, place.y - moved.y};
}

// ---- initialisation --------------------------------------------------------------

BOOL CNoteDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_scale = DisplayScale::ForWindow(m_hWnd);
    try {
        m_background = &m_pictures.Background(m_entry.kind, m_scale);
    } catch (const PLTextException& error) {
        AfxMessageBox(error.Text().c_str(), MB_OK | MB_ICONHAND);
        return TRUE;
    }
    // Placed and sized as it is shown: one move less for every note.
    m_desktopHost.PlaceWhenShown(InitialPlace(*m_background), SIZE{m_background->Width(), m_background->Height()});
    SetWindowTextString(m_hWnd, m_key);

    // Looked up once each, then addressed by handle: with thousands of notes
    // every look-up of a control by its id is a round trip to the window server.
    m_closeButton.SubclassDlgItem(IDC_NOTE_CLOSE, this);
    m_edit.SubclassDlgItem(IDC_NOTE_TEXT, this);
    m_dateLabel.SubclassDlgItem(IDC_NOTE_DATE, this);
    m_edit.SetTextColor(kTextColor);
    m_dateLabel.SetTransparent();
    m_dateLabel.SetTextColour(kDateColor);

    m_shownText = m_entry.GetDisplayText();
    m_edit.SetWindowText(m_shownText.c_str());
    m_startPosition = POINT{m_entry.wndX, m_entry.wndY};
    m_shownDate = m_entry.date;
    m_shownNotify = m_entry.notify;
    if (!IsReminder())
        m_dateLabel.ShowWindow(SW_HIDE);
    ApplyScale();
    // No focus for the edit: the dialog manager would activate the note, and
    // opening the stored notes must leave the user's window active.
    return FALSE;
}

void CNoteDlg::ApplyScale()
{
    // Every note's button shows the same two pictures: loaded once for all
    // notes of a scale.
    m_closeButton.ShareBitmaps(IDB_NOTE_CLOSE, IDB_NOTE_CLOSE_HOT, IDB_NOTE_CLOSE_HOT, m_scale);
    PlaceControls();
    // The font first: the date label takes it over, and its bold comes after.
    const HFONT font = AppFont::Shared(m_scale.Dpi());
    for (HWND control : {m_edit.m_hWnd, m_dateLabel.m_hWnd, m_closeButton.m_hWnd})
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (IsReminder()) {
        m_dateLabel.SetBold(true);
        ShowReminderTime();
    }
    if (HRGN outline = m_pictures.Outline(m_entry.kind, m_scale))
        ApplyRegionCopy(outline, m_hWnd, false);
    m_alert.SetScale(m_scale);
    UpdateMoreBelow();
}

void CNoteDlg::PlaceControls()
{
    MoveControl(m_edit.m_hWnd, NoteLayout::Text(IsReminder(), m_scale));
    MoveControl(m_dateLabel.m_hWnd, NoteLayout::Date(m_scale));
    m_dateWidened = false;
    // The button takes the size of its picture, in the same move.
    MoveControl(m_closeButton.m_hWnd, NoteLayout::Close(IsReminder(), m_closeButton.PictureSize(), m_scale));
}

// The edit shows whole lines of one font: what it cannot show lies below
// when the lines from the first visible one on outnumber those that fit.
void CNoteDlg::UpdateMoreBelow()
{
    RECT client{};
    ::GetClientRect(m_edit.m_hWnd, &client);
    const int first = static_cast<int>(m_edit.SendMessage(EM_GETFIRSTVISIBLELINE));
    const int lines = static_cast<int>(m_edit.SendMessage(EM_GETLINECOUNT));
    const int shown = client.bottom / std::max(1, LineHeight(m_edit.m_hWnd));
    const bool moreBelow = lines - first > shown;
    if (moreBelow == m_moreBelow)
        return;
    m_moreBelow = moreBelow;
    const RECT mark = NoteLayout::MoreBelow(IsReminder(), m_scale);
    const RECT area{mark.left, mark.top, mark.left + mark.right, mark.top + mark.bottom};
    ::InvalidateRect(m_hWnd, &area, FALSE);
}

// A small triangle pointing down, in the text's colour: seen when looked for.
void CNoteDlg::DrawMoreBelow(HDC dc) const
{
    if (!m_moreBelow)
        return;
    const RECT mark = NoteLayout::MoreBelow(IsReminder(), m_scale);
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
void CNoteDlg::ShowReminderTime()
{
    const COleDateTime time = m_entry.GetReminderTime();
    const char* word = RepeatWord(m_entry.GetRepeat());
    RECT place = NoteLayout::Date(m_scale);
    if (word && m_background)
        place.right = std::max<LONG>(place.right, m_background->Width() - place.left - NoteLayout::DateMargin(m_scale));
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

// ---- saving and deleting ------------------------------------------------------

void CNoteDlg::SaveState(bool saveFile)
{
    const bool changed = TakeState();
    if (saveFile && m_model && (changed || m_model->IsWriteFailing(m_entry)))
        WriteStore();
}

bool CNoteDlg::TakeState()
{
    if (!m_hWnd || !m_model || !m_background)
        return false;
    const std::string text = FilterText(GetWindowTextString(m_edit.m_hWnd));
    m_entry.SetText(text);
    const bool edited = text != m_shownText || m_entry.date != m_shownDate || m_entry.notify != m_shownNotify;
    const POINT place = RestingPlace();
    // A note brought back from off the screen keeps its stored place until the
    // user moves or edits it.
    if (!m_moveKeepsStoredPlace || edited || place != m_shownPlace) {
        const POINT stored =
            StoredPlace::ForScreen(place, POINT{m_entry.wndX, m_entry.wndY}, DisplayScale::ForSystem());
        m_entry.wndX = stored.x;
        m_entry.wndY = stored.y;
    }
    const bool changed = edited || POINT{m_entry.wndX, m_entry.wndY} != m_startPosition;
    if (!changed || !m_model->Update(m_entry))
        return false;
    m_shownText = text;
    m_shownDate = m_entry.date;
    m_shownNotify = m_entry.notify;
    // What the store holds now: the next change is measured against it.
    m_startPosition = POINT{m_entry.wndX, m_entry.wndY};
    return true;
}

// A failed write is shown once, not at every save while the disk stays full;
// the window tries again until the file takes everything.
void CNoteDlg::WriteStore()
{
    const bool wasFailing = m_model->IsWriteFailing(m_entry);
    if (m_model->Write(m_entry))
        return;
    if (wasFailing)
        m_model->ForgetWriteFailure(m_entry);
    else
        ShowStoreProblems();
    if (m_hWnd) {
        m_savePending = true;
        SetTimer(TimerSave, kRetryDelay);
    }
}

void CNoteDlg::ArmSave()
{
    if (m_savePending || !m_hWnd)
        return;
    m_savePending = true;
    SetTimer(TimerSave, kSaveDelay);
}

void CNoteDlg::SaveNow()
{
    KillTimer(TimerSave);
    m_savePending = false;
    SaveState(true);
}

void CNoteDlg::CloseKeep(bool saveFile)
{
    SaveState(saveFile);
    DestroyByUs();
}

void CNoteDlg::Delete()
{
    if (m_model) {
        // The bin takes what the window shows, not what was last saved.
        TakeState();
        m_model->Delete(m_entry);
        ShowStoreProblems();
    }
    Go();
}

void CNoteDlg::Go()
{
    const std::string key = m_key;
    NoteWindowOwner* owner = m_owner;
    DestroyByUs();
    // The owner may delete this object now: nothing of it is touched after.
    if (owner)
        owner->NoteGone(key);
}

void CNoteDlg::TakeChange(const CEntry& entry)
{
    const POINT place{m_entry.wndX, m_entry.wndY};
    m_entry = entry;
    m_entry.wndX = place.x;
    m_entry.wndY = place.y;
    if (!m_hWnd)
        return;
    m_shownText = m_entry.GetDisplayText();
    SetWindowTextString(m_edit.m_hWnd, m_shownText);
    UpdateMoreBelow();
    m_shownDate = m_entry.date;
    m_shownNotify = m_entry.notify;
    ShowReminderTime();
    if (IsAlerting() && m_model && m_entry.GetReminderTime() > m_model->GetClock().Now()) {
        m_alert.Stop();
        RedockAtStoredPlace();
    }
}

void CNoteDlg::GoneElsewhere()
{
    m_alert.Stop();
    if (m_asking) {
        // The due question is moot now; a note's delete question waits for its answer.
        m_goneElsewhere = true;
        if (m_dueQuestion)
            m_dueQuestion->Abandon();
        return;
    }
    Go();
}

void CNoteDlg::ShowStoreProblems()
{
    if (!m_model)
        return;
    for (const StoreProblem& problem : m_model->TakeProblems())
        StoreProblemMessage::Show(problem);
}

void CNoteDlg::OnOK()
{
    if (IsReminder()) {
        OnReminderClose();
        return;
    }
    m_asking = true;
    const int answer = AskResourceMessage(IDS_ASK_DELETE_NOTICE, MB_YESNO | MB_ICONQUESTION);
    m_asking = false;
    if (m_goneElsewhere)
        Go();
    else if (answer == IDYES)
        Delete();
}

// Whether the reminder is due or not: delete it, have it come again, or leave
// it as it is (an alert goes on blinking).
void CNoteDlg::OnReminderClose()
{
    // An alerting reminder stands above every window: the dialog must stand
    // above it. A resting one leaves it to the main window.
    ReminderDueDlg due(IsAlerting() ? this : nullptr, IsRepeating());
    m_asking = true;
    m_dueQuestion = &due;
    const INT_PTR answer = due.DoModal();
    m_dueQuestion = nullptr;
    m_asking = false;
    if (m_goneElsewhere) {
        Go();
        return;
    }
    switch (answer) {
    case ReminderDueDlg::Delete: Delete(); break;
    case ReminderDueDlg::EndOccurrence: EndOccurrence(); break;
    case ReminderDueDlg::RemindAgain: Snooze(due.ChosenMinutes()); break;
    default: break;
    }
}

// ---- the alert ----------------------------------------------------------------

bool CNoteDlg::Alert()
{
    if (IsAlerting())
        return false;
    if (m_hWnd)
        m_desktopHost.Undock(*this);
    StartAlert();
    return true;
}

void CNoteDlg::Snooze(int minutes)
{
    // The place the window had on the desktop, not where the alert moved it.
    m_alert.Stop();
    m_entry.notify = ZorlaModel::SnoozedNotify(m_entry, minutes, m_model->GetClock().Now());
    SaveState(true);
    RedockAtStoredPlace();
    ShowReminderTime();
}

void CNoteDlg::Raise(bool focus)
{
    if (!m_hWnd)
        return;
    if (!m_raised && !IsAlerting()) {
        m_raised = true;
        m_desktopHost.Undock(*this);
    }
    if (focus) {
        ::SetForegroundWindow(m_hWnd);
        ::SetFocus(m_edit.m_hWnd);
        const int length = ::GetWindowTextLengthW(m_edit.m_hWnd);
        m_edit.SendMessage(EM_SETSEL, length, length);
    }
}

void CNoteDlg::PutBack()
{
    if (!m_raised)
        return;
    m_raised = false;
    if (m_hWnd && !IsAlerting())
        m_desktopHost.Redock(*this, RestingPlace());
}

void CNoteDlg::BlinkOnce()
{
    if (m_hWnd && !IsAlerting())
        m_alert.BlinkOnce();
}

void CNoteDlg::OnCancel()
{
    if (m_raised && m_owner)
        m_owner->PutBackRaised();
}

// A click into another program ends the time in front.
LRESULT CNoteDlg::OnActivateApp(bool active)
{
    if (!active && m_raised && m_owner)
        m_owner->PutBackRaised();
    return 0;
}

void CNoteDlg::EndOccurrence()
{
    m_alert.Stop();
    // What the window shows goes with it; the store then holds the next time.
    TakeState();
    if (m_model && m_model->EndOccurrence(m_entry, m_model->GetClock().Now())) {
        m_shownDate = m_entry.date;
        m_shownNotify = m_entry.notify;
    }
    // A failed write is shown once and tried again, as with typing.
    if (m_model && m_model->IsWriteFailing(m_entry)) {
        ShowStoreProblems();
        m_savePending = true;
        SetTimer(TimerSave, kRetryDelay);
    }
    RedockAtStoredPlace();
    ShowReminderTime();
}

LRESULT CNoteDlg::OnTimer(UINT_PTR id)
{
    switch (id) {
    case TimerShake: m_alert.ShakeStep(); break;
    case TimerShakeEnd: m_alert.EndShaking(); break;
    case TimerBlink: m_alert.BlinkStep(); break;
    case NoteAlert::TimerBlinkOnce: m_alert.EndBlinkOnce(); break;
    case TimerSave: SaveNow(); break;
    default: break;
    }
    return CDialog::WindowProc(WM_TIMER, id, 0);
}

BOOL CNoteDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_NOTE_CLOSE && HIWORD(wParam) == BN_CLICKED) {
        OnOK();
        return TRUE;
    }
    if (LOWORD(wParam) == IDC_NOTE_TEXT && HIWORD(wParam) == EN_CHANGE && m_watching)
        ArmSave();
    if (LOWORD(wParam) == IDC_NOTE_TEXT && (HIWORD(wParam) == EN_CHANGE || HIWORD(wParam) == EN_VSCROLL))
        UpdateMoreBelow();
    return CDialog::OnCommand(wParam, lParam);
}

// ---- messages -----------------------------------------------------------------

LRESULT CNoteDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // clang-format off
    switch (message) {
    case WM_PAINT:              return OnPaint();
    case WM_ERASEBKGND:         return OnEraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_TIMER:              return OnTimer(wParam);
    case WM_LBUTTONDOWN:        return OnLButtonDown(wParam, lParam);
    case WM_HELP:               return TRUE;
    case WM_WINDOWPOSCHANGED:   return OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam));
    case WM_WINDOWPOSCHANGING:  return OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam));
    case WM_EXITSIZEMOVE:       return OnExitSizeMove();
    case WM_ACTIVATEAPP:        OnActivateApp(wParam != FALSE); return CDialog::WindowProc(message, wParam, lParam);
    case WM_DESTROY:            return OnDestroy();
    case WM_GETOBJECT:          return OnGetObject(wParam, lParam);
    case WM_DPICHANGED:         return OnDpiChanged(wParam, lParam);
    default:                    return CDialog::WindowProc(message, wParam, lParam);
    }
    // clang-format on
}

// Screen readers hear the note's kind and time or first line; the title stays
// the key the program and its tests find the window by.
LRESULT CNoteDlg::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    const std::string name = NoteAccessName(m_entry, GetWindowTextString(m_edit.m_hWnd));
    if (const LRESULT answer = NamedAccessible::AnswerFor(m_hWnd, wParam, lParam, name))
        return answer;
    return CDialog::WindowProc(WM_GETOBJECT, wParam, lParam);
}

LRESULT CNoteDlg::OnPaint()
{
    if (m_firstPaint) {
        m_firstPaint = false;
        // The caret after the text, nothing selected. Before the paint begins,
        // so the picture the edit has drawn again behind it is part of this
        // paint, not a second one.
        const int length = ::GetWindowTextLengthW(m_edit.m_hWnd);
        m_edit.SendMessage(EM_SETSEL, length, length);
        // A long text shows its beginning, the mark telling of the rest.
        m_edit.SendMessage(WM_VSCROLL, SB_TOP);
    }
    PaintScope paint(m_hWnd);
    if (m_background)
        m_background->Draw(paint.dc(), 0, 0);
    DrawMoreBelow(paint.dc());
    // A repaint while the alert picture shows keeps it.
    m_alert.DrawIfShown(paint.dc());
    return 0;
}

// Draws nothing but the alert picture while a blink shows it.
LRESULT CNoteDlg::OnEraseBackground(HDC dc)
{
    m_alert.DrawIfShown(dc);
    return TRUE;
}

// Moved to a monitor of another scale: the window is made anew for it, its
// top-left corner where Windows proposes, its size the picture's. A picture
// that cannot be made there leaves the window as it is.
LRESULT CNoteDlg::OnDpiChanged(WPARAM wParam, LPARAM lParam)
{
    const DisplayScale scale(LOWORD(wParam));
    if (scale == m_scale || !m_background)
        return 0;
    try {
        m_background = &m_pictures.Background(m_entry.kind, scale);
    } catch (const PLTextException&) {
        ::MessageBeep(static_cast<UINT>(-1));
        return 0;
    }
    m_scale = scale;
    ApplyScale();
    POINT place = ScreenPlace();
    if (lParam) {
        const RECT* proposed = reinterpret_cast<const RECT*>(lParam);
        place = POINT{proposed->left, proposed->top};
    }
    // A docked note is placed in its host's client coordinates.
    ::MapWindowPoints(HWND_DESKTOP, ::GetAncestor(m_hWnd, GA_PARENT), &place, 1);
    ::SetWindowPos(m_hWnd, nullptr, place.x, place.y, m_background->Width(), m_background->Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return 0;
}

// The picture is the note's caption: dragging it moves the note.
LRESULT CNoteDlg::OnLButtonDown(WPARAM wParam, LPARAM lParam)
{
    CDialog::WindowProc(WM_LBUTTONDOWN, wParam, lParam);
    ::ReleaseCapture();
    const DWORD cursor = ::GetMessagePos();
    ::PostMessageA(m_hWnd, WM_NCLBUTTONDOWN, HTCAPTION, static_cast<LPARAM>(cursor));
    return 0;
}

// A bottom-most note stays under all other windows while it rests.
LRESULT CNoteDlg::OnWindowPosChanging(WINDOWPOS* position)
{
    m_desktopHost.KeepAtBottom(position);
    return CDialog::WindowProc(WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(position));
}

LRESULT CNoteDlg::OnWindowPosChanged(WINDOWPOS* position)
{
    m_desktopHost.ReturnToBottom(m_hWnd, *position);
    // A move by anyone but the alert is kept, as typing is.
    if (m_watching && !IsAlerting() && !(position->flags & SWP_NOMOVE)) {
        const POINT place = ScreenPlace();
        if (place != m_watchedPlace) {
            m_watchedPlace = place;
            ArmSave();
        }
    }
    return CDialog::WindowProc(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(position));
}

// The user has let go of the note: its new place is written at once.
LRESULT CNoteDlg::OnExitSizeMove()
{
    m_watchedPlace = ScreenPlace();
    SaveNow();
    return CDialog::WindowProc(WM_EXITSIZEMOVE, 0, 0);
}

// Destroyed by anything but the program itself: the desktop window that held
// the note has gone (the shell ended). What it shows is written now, and the
// owner brings the note back when there is a desktop again.
LRESULT CNoteDlg::OnDestroy()
{
    if (!m_destroyingByUs && m_watching) {
        m_watching = false;
        SaveState(true);
        if (m_owner)
            m_owner->NoteLost(m_key);
    }
    m_watching = false;
    return CDialog::WindowProc(WM_DESTROY, 0, 0);
}
