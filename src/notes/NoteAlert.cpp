#include "notes/NoteAlert.h"

#include "framework/AfxFunctions.h"
#include "framework/CWnd.h"
#include "framework/Handles.h"
#include "image/PLTextException.h"
#include "notes/NotePictures.h"
#include "resource.h"
#include "sound/SoundBoard.h"

NoteAlert::NoteAlert(CWnd& window, NotePictures& pictures, SoundBoard* sounds)
    : m_window(window)
    , m_pictures(pictures)
    , m_sounds(sounds)
{}

// A picture being blinked is taken anew at the new scale.
void NoteAlert::SetScale(const DisplayScale& scale)
{
    m_scale = scale;
    if (m_alertPicture) {
        try {
            m_alertPicture = &m_pictures.Alert(m_scale);
        } catch (const PLTextException&) {
            m_alertPicture = nullptr;
        }
    }
}

void NoteAlert::Start()
{
    m_alerting = true;
    if (m_sounds)
        m_sounds->PlayResource(IDW_ALERT);
    if (!m_window.GetSafeHwnd())
        return;
    // A screen reader says the reminder's name, which holds its time.
    ::NotifyWinEvent(EVENT_SYSTEM_ALERT, m_window.GetSafeHwnd(), OBJID_CLIENT, CHILDID_SELF);
    m_window.SetTimer(TimerShake, 50);
    m_window.SetTimer(TimerShakeEnd, 3800);
}

void NoteAlert::Stop()
{
    m_alerting = false;
    m_window.KillTimer(TimerBlink);
    m_window.KillTimer(TimerShakeEnd);
    m_window.KillTimer(TimerShake);
    m_blinkState = false;
    if (m_shakeOffset || m_alertShift.x || m_alertShift.y) {
        const POINT moved = Displacement();
        MoveBy(-moved.x, -moved.y);
        m_shakeOffset = 0;
        m_alertShift = POINT{0, 0};
    }
}

void NoteAlert::ShiftBy(int dx, int dy)
{
    MoveBy(dx, dy);
    m_alertShift.x += dx;
    m_alertShift.y += dy;
}

POINT NoteAlert::Displacement() const
{
    return POINT{m_alertShift.x + m_shakeOffset, m_alertShift.y + m_shakeOffset};
}

void NoteAlert::ShakeStep()
{
    const int step = m_shakeOffset ? -m_shakeOffset : m_scale.Px(kShake);
    MoveBy(step, step);
    m_shakeOffset += step;
}

void NoteAlert::EndShaking()
{
    m_window.KillTimer(TimerShakeEnd);
    m_window.KillTimer(TimerShake);
    if (m_shakeOffset) {
        MoveBy(-m_shakeOffset, -m_shakeOffset);
        m_shakeOffset = 0;
    }
    if (TakePicture() && m_window.GetSafeHwnd())
        m_window.SetTimer(TimerBlink, 1000);
}

bool NoteAlert::TakePicture()
{
    try {
        m_alertPicture = &m_pictures.Alert(m_scale);
    } catch (const PLTextException& error) {
        AfxMessageBox(error.Text().c_str(), MB_OK | MB_ICONHAND);
        return false;
    }
    return true;
}

void NoteAlert::BlinkOnce()
{
    if (m_alerting || !m_window.GetSafeHwnd() || !TakePicture())
        return;
    m_blinkState = false;
    BlinkStep();
    m_window.SetTimer(TimerBlinkOnce, 700);
}

void NoteAlert::OnTimer(UINT_PTR id)
{
    switch (id) {
    case TimerShake: ShakeStep(); break;
    case TimerShakeEnd: EndShaking(); break;
    case TimerBlink: BlinkStep(); break;
    case TimerBlinkOnce: EndBlinkOnce(); break;
    default: break;
    }
}

void NoteAlert::EndBlinkOnce()
{
    m_window.KillTimer(TimerBlinkOnce);
    if (m_blinkState && !m_alerting)
        BlinkStep();
}

void NoteAlert::BlinkStep()
{
    m_blinkState = !m_blinkState;
    HWND window = m_window.GetSafeHwnd();
    if (!window)
        return;
    if (m_blinkState) {
        ClientDCScope dc(window);
        DrawIfShown(dc.dc());
    } else {
        ::InvalidateRect(window, nullptr, TRUE);
    }
}

// At the top-right corner of the client area.
void NoteAlert::DrawIfShown(HDC dc) const
{
    if (!m_blinkState || !m_alertPicture)
        return;
    RECT client{};
    ::GetClientRect(m_window.GetSafeHwnd(), &client);
    m_alertPicture->Draw(dc, client.right - m_alertPicture->Width(), 0);
}

// SetWindowPos takes the parent's client coordinates: a window may be docked
// into the desktop's view.
void NoteAlert::MoveBy(int dx, int dy)
{
    HWND window = m_window.GetSafeHwnd();
    if (!window)
        return;
    RECT rect{};
    ::GetWindowRect(window, &rect);
    POINT place{rect.left + dx, rect.top + dy};
    ::MapWindowPoints(HWND_DESKTOP, ::GetAncestor(window, GA_PARENT), &place, 1);
    ::SetWindowPos(window, nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
