#include "notes/CNoteDlg.h"

#include "framework/AfxFunctions.h"
#include "framework/Handles.h"
#include "image/PLTextException.h"
#include "image/RegionResource.h"
#include "model/ZorlaModel.h"
#include "notes/NoteAccessName.h"
#include "notes/NoteMenu.h"
#include "notes/NotePictures.h"
#include "resource.h"
#include "shared/NamedAccessible.h"
#include "widgets/CPopupMenu.h"

CNoteDlg::CNoteDlg(NotePictures& pictures, NoteCascade& cascade, CWnd* mainWindow, SoundBoard* sounds)
    : CDialog(IDD_NOTE, mainWindow)
    , m_pictures(pictures)
    , m_place(cascade)
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

bool CNoteDlg::DockIntoDesktop()
{
    if (!m_place.Host().PlaceOnDesktop(*this, IDD_NOTE, m_mainWindow))
        return false;
    const POINT shown = NotePlace::OnScreen(m_hWnd);
    m_saver.ShownAt(shown);
    m_place.Watch(shown);
    return true;
}

void CNoteDlg::RedockAtStoredPlace()
{
    m_place.RedockAtStored(*this, POINT{m_entry.wndX, m_entry.wndY}, m_scale);
}

POINT CNoteDlg::RestingPlace() const
{
    const POINT place = NotePlace::OnScreen(m_hWnd);
    const POINT moved = m_alert.Displacement();
    return POINT{place.x - moved.x, place.y - moved.y};
}

BOOL CNoteDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_scale = DisplayScale::ForWindow(m_hWnd);
    try {
        m_background = &m_pictures.Background(m_entry.kind, m_scale, m_entry.Colour());
    } catch (const PLTextException& error) {
        AfxMessageBox(error.Text().c_str(), MB_OK | MB_ICONHAND);
        return TRUE;
    }
    // Placed and sized as it is shown: one move less for every note.
    const SIZE size{m_background->Width(), m_background->Height()};
    m_saver.KeepStoredPlace(m_place.PlaceWhenShown(POINT{m_entry.wndX, m_entry.wndY}, size, m_scale));
    SetWindowTextString(m_hWnd, m_key);

    m_controls.Attach(*this, IsReminder());
    m_saver.Show(m_entry);
    m_saver.Stored(m_entry);
    m_controls.SetText(m_entry.GetDisplayText());
    ApplyScale();
    // No focus for the edit: the dialog manager would activate the note, and
    // opening the stored notes must leave the user's window active.
    return FALSE;
}

void CNoteDlg::ApplyScale()
{
    m_controls.ApplyScale(m_scale, m_background->Width(), m_entry);
    if (HRGN outline = m_pictures.Outline(m_entry.kind, m_scale))
        ApplyRegionCopy(outline, m_hWnd, false);
    m_alert.SetScale(m_scale);
    m_controls.UpdateMoreBelow();
}

void CNoteDlg::SaveState(bool saveFile)
{
    const bool changed = TakeState();
    if (saveFile)
        m_saver.Write(m_entry, changed);
}

bool CNoteDlg::TakeState()
{
    if (!m_hWnd || !m_saver.Model() || !m_background)
        return false;
    return m_saver.Take(m_entry, FilterText(m_controls.Text()), RestingPlace());
}

void CNoteDlg::SaveNow()
{
    m_saver.Disarm();
    SaveState(true);
}

void CNoteDlg::CloseKeep(bool saveFile)
{
    SaveState(saveFile);
    DestroyByUs();
}

void CNoteDlg::Delete()
{
    if (ZorlaModel* model = m_saver.Model()) {
        // The bin takes what the window shows, not what was last saved.
        TakeState();
        model->Delete(m_entry);
        m_saver.ShowProblems();
    }
    Go();
}

void CNoteDlg::Go()
{
    const std::string key = m_key;
    const NoteWindowOwner owner = m_owner;
    DestroyByUs();
    // The owner may delete this object now: nothing of it is touched after.
    if (owner.gone)
        owner.gone(key);
}

void CNoteDlg::TakeChange(const CEntry& entry)
{
    const POINT place{m_entry.wndX, m_entry.wndY};
    m_entry = entry;
    m_entry.wndX = place.x;
    m_entry.wndY = place.y;
    if (!m_hWnd)
        return;
    m_saver.Show(m_entry);
    ShowColour();
    m_controls.SetText(m_entry.GetDisplayText());
    m_controls.UpdateMoreBelow();
    m_controls.ShowTime(m_entry);
    if (IsAlerting() && m_saver.Model() && m_entry.GetReminderTime() > m_saver.Model()->GetClock().Now()) {
        m_alert.Stop();
        RedockAtStoredPlace();
    }
}

void CNoteDlg::SetColour(NoteColour colour)
{
    if (colour == m_entry.Colour() && m_entry.color == NoteColourName(colour))
        return;
    m_entry.SetColour(colour);
    if (ShowColour())
        SaveNow();
}

bool CNoteDlg::ShowColour()
{
    if (!m_hWnd || !m_background)
        return false;
    try {
        m_background = &m_pictures.Background(m_entry.kind, m_scale, m_entry.Colour());
    } catch (const PLTextException&) {
        ::MessageBeep(static_cast<UINT>(-1));
        return false;
    }
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return true;
}

LRESULT CNoteDlg::OnContextMenu(LPARAM lParam)
{
    POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const bool keyboard = lParam == -1;
    if (keyboard) {
        RECT window{};
        ::GetWindowRect(m_hWnd, &window);
        at = POINT{window.left + m_scale.Px(20), window.top + m_scale.Px(20)};
    }
    if (!m_menu)
        m_menu = std::make_unique<CPopupMenu>();
    FillNoteMenu(*m_menu, m_entry.Colour());
    m_menu->Track(at, m_hWnd, false, keyboard);
    return 0;
}

void CNoteDlg::GoneElsewhere()
{
    m_alert.Stop();
    if (!m_question.GoneElsewhere())
        Go();
}

void CNoteDlg::OnOK()
{
    int minutes = 0;
    // An alerting reminder stands above every window: the question must stand
    // above it. A resting one leaves it to the main window.
    const NoteQuestion::Answer answer =
        IsReminder() ? m_question.AskReminder(IsAlerting() ? this : nullptr, IsRepeating(), minutes)
                     : m_question.AskNote();
    switch (answer) {
    case NoteQuestion::Gone: Go(); break;
    case NoteQuestion::Delete: Delete(); break;
    case NoteQuestion::EndOccurrence: EndOccurrence(); break;
    case NoteQuestion::RemindAgain: Snooze(minutes); break;
    case NoteQuestion::Keep: break;
    }
}

bool CNoteDlg::Alert()
{
    if (IsAlerting())
        return false;
    if (m_hWnd)
        m_place.Host().Undock(*this);
    StartAlert();
    return true;
}

void CNoteDlg::Snooze(int minutes)
{
    // The place the window had on the desktop, not where the alert moved it.
    m_alert.Stop();
    m_entry.notify = ZorlaModel::SnoozedNotify(m_entry, minutes, m_saver.Model()->GetClock().Now());
    SaveState(true);
    RedockAtStoredPlace();
    m_controls.ShowTime(m_entry);
}

void CNoteDlg::Raise(bool focus)
{
    if (!m_hWnd)
        return;
    m_place.Raise(*this, IsAlerting());
    if (focus) {
        ::SetForegroundWindow(m_hWnd);
        m_controls.FocusText();
    }
}

void CNoteDlg::PutBack()
{
    // Only a raised window asks where it rests: all windows hear PutBackRaised.
    if (m_place.IsRaised())
        m_place.PutBack(*this, RestingPlace(), IsAlerting());
}

void CNoteDlg::BlinkOnce()
{
    if (m_hWnd && !IsAlerting())
        m_alert.BlinkOnce();
}

void CNoteDlg::OnCancel()
{
    if (IsRaised() && m_owner.putBackRaised)
        m_owner.putBackRaised();
}

// A click into another program ends the time in front.
LRESULT CNoteDlg::OnActivateApp(bool active)
{
    if (!active && IsRaised() && m_owner.putBackRaised)
        m_owner.putBackRaised();
    return 0;
}

void CNoteDlg::EndOccurrence()
{
    m_alert.Stop();
    // What the window shows goes with it; the store then holds the next time.
    TakeState();
    ZorlaModel* model = m_saver.Model();
    if (model && model->EndOccurrence(m_entry, model->GetClock().Now()))
        m_saver.ShowTime(m_entry);
    // As with typing.
    m_saver.RetryWhenFailing(m_entry);
    RedockAtStoredPlace();
    m_controls.ShowTime(m_entry);
}

LRESULT CNoteDlg::OnTimer(UINT_PTR id)
{
    if (id == TimerSave)
        SaveNow();
    else
        m_alert.OnTimer(id);
    return CDialog::WindowProc(WM_TIMER, id, 0);
}

BOOL CNoteDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_NOTE_CLOSE && HIWORD(wParam) == BN_CLICKED) {
        OnOK();
        return TRUE;
    }
    const UINT id = LOWORD(wParam);
    if (id >= ID_NOTE_COLOUR_FIRST && id < ID_NOTE_COLOUR_FIRST + kNoteColourCount && lParam == 0) {
        SetColour(static_cast<NoteColour>(id - ID_NOTE_COLOUR_FIRST));
        return TRUE;
    }
    if (id == ID_NOTE_DELETE && lParam == 0) {
        OnOK();
        return TRUE;
    }
    if (id == ID_SHOW_ALL_NOTES && lParam == 0) {
        if (m_mainWindow && m_mainWindow->m_hWnd)
            ::PostMessageW(m_mainWindow->m_hWnd, WM_COMMAND, ID_SHOW_ALL_NOTES, 0);
        return TRUE;
    }
    if (LOWORD(wParam) == IDC_NOTE_TEXT && HIWORD(wParam) == EN_CHANGE && m_place.IsWatching())
        m_saver.Arm();
    if (LOWORD(wParam) == IDC_NOTE_TEXT && (HIWORD(wParam) == EN_CHANGE || HIWORD(wParam) == EN_VSCROLL))
        m_controls.UpdateMoreBelow();
    return CDialog::OnCommand(wParam, lParam);
}

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
    case WM_CONTEXTMENU:        return OnContextMenu(lParam);
    default:                    return CDialog::WindowProc(message, wParam, lParam);
    }
    // clang-format on
}

// Screen readers hear the note's kind and time or first line; the title stays
// the key the program and its tests find the window by.
LRESULT CNoteDlg::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    const std::string name = NoteAccessName(m_entry, m_controls.Text());
    if (const LRESULT answer = NamedAccessible::AnswerFor(m_hWnd, wParam, lParam, name))
        return answer;
    return CDialog::WindowProc(WM_GETOBJECT, wParam, lParam);
}

LRESULT CNoteDlg::OnPaint()
{
    if (m_firstPaint) {
        m_firstPaint = false;
        // Before the paint begins, so the picture the edit has drawn again
        // behind it is part of this paint, not a second one.
        m_controls.ShowBeginning();
    }
    PaintScope paint(m_hWnd);
    if (m_background)
        m_background->Draw(paint.dc(), 0, 0);
    m_controls.DrawMoreBelow(paint.dc());
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
        m_background = &m_pictures.Background(m_entry.kind, scale, m_entry.Colour());
    } catch (const PLTextException&) {
        ::MessageBeep(static_cast<UINT>(-1));
        return 0;
    }
    m_scale = scale;
    ApplyScale();
    NotePlace::MoveForScale(m_hWnd, reinterpret_cast<const RECT*>(lParam),
                            SIZE{m_background->Width(), m_background->Height()});
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return 0;
}

// The picture is the note's caption: dragging it moves the note.
LRESULT CNoteDlg::OnLButtonDown(WPARAM wParam, LPARAM lParam)
{
    CDialog::WindowProc(WM_LBUTTONDOWN, wParam, lParam);
    NotePlace::BeginDrag(m_hWnd);
    return 0;
}

// A bottom-most note stays under all other windows while it rests.
LRESULT CNoteDlg::OnWindowPosChanging(WINDOWPOS* position)
{
    m_place.Host().KeepAtBottom(position);
    return CDialog::WindowProc(WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(position));
}

LRESULT CNoteDlg::OnWindowPosChanged(WINDOWPOS* position)
{
    // A move by anyone but the alert is kept, as typing is.
    if (m_place.PositionChanged(m_hWnd, *position, IsAlerting()))
        m_saver.Arm();
    return CDialog::WindowProc(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(position));
}

// The user has let go of the note: its new place is written at once.
LRESULT CNoteDlg::OnExitSizeMove()
{
    m_place.MovedTo(NotePlace::OnScreen(m_hWnd));
    SaveNow();
    return CDialog::WindowProc(WM_EXITSIZEMOVE, 0, 0);
}

// Destroyed by anything but the program itself: the desktop window that held
// the note has gone (the shell ended). What it shows is written now, and the
// owner brings the note back when there is a desktop again.
LRESULT CNoteDlg::OnDestroy()
{
    if (!m_destroyingByUs && m_place.IsWatching()) {
        m_place.StopWatching();
        SaveState(true);
        if (m_owner.lost)
            m_owner.lost(m_key);
    }
    m_place.StopWatching();
    if (m_menu)
        m_menu->Close();
    return CDialog::WindowProc(WM_DESTROY, 0, 0);
}
