#include "mainwnd/MainKeyboard.h"

#include "framework/Handles.h"
#include "mainwnd/PictureFace.h"

#include <algorithm>

const COLORREF MainKeyboard::kMarkColor = RGB(49, 114, 165);

namespace {

const int kMarkWidth = 2;

}  // namespace

MainKeyboard::MainKeyboard(PictureFace& face, std::function<void(int hotSpot)> press, std::function<void()> goHome)
    : m_face(face)
    , m_press(std::move(press))
    , m_goHome(std::move(goHome))
{}

HWND MainKeyboard::Window() const
{
    return m_face.Window();
}

FocusRing MainKeyboard::Ring() const
{
    const MainView view = m_face.GetView();
    HWND window = Window();
    return FocusRing([this, view](int id) { return Find(id) && Find(id)->IsActive(view); },
                     [window](int id) {
                         HWND control = ::GetDlgItem(window, id);
                         return control && ::IsWindowVisible(control) && ::IsWindowEnabled(control);
                     });
}

const HotSpot* MainKeyboard::Find(int id) const
{
    for (const auto& spot : m_face.HotSpots()) {
        if (spot->Id() == id)
            return spot.get();
    }
    return nullptr;
}

int MainKeyboard::ChildId(int hotSpot) const
{
    const std::vector<int> spots = HotSpots();
    const auto found = std::find(spots.begin(), spots.end(), hotSpot);
    return found == spots.end() ? 0 : static_cast<int>(found - spots.begin()) + 1;
}

bool MainKeyboard::PreTranslate(const MSG& message)
{
    HWND window = Window();
    if (message.message != WM_KEYDOWN || !window || (message.hwnd != window && !::IsChild(window, message.hwnd)))
        return false;
    const bool onPicture = message.hwnd == window;
    const bool shift = ::GetKeyState(VK_SHIFT) < 0;
    if (::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0)
        return false;
    switch (message.wParam) {
    case VK_TAB: return Walk(message, shift ? -1 : 1, false);
    case VK_LEFT:
    case VK_UP: return onPicture && Walk(message, -1, true);
    case VK_RIGHT:
    case VK_DOWN: return onPicture && Walk(message, 1, true);
    case VK_RETURN:
    case VK_SPACE:
        if (!onPicture || !m_focused)
            return false;
        m_cues = true;
        m_press(m_focused);
        SyncView();
        return true;
    case VK_ESCAPE: {
        // An open list takes Escape to close itself; a box the user types
        // into gets the keys in its inner edit.
        HWND box = message.hwnd;
        wchar_t className[32] = L"";
        ::GetClassNameW(::GetParent(box), className, 32);
        if (_wcsicmp(className, L"ComboBox") == 0)
            box = ::GetParent(box);
        ::GetClassNameW(box, className, 32);
        if (_wcsicmp(className, L"ComboBox") == 0 && ::SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0))
            return false;
        m_cues = true;
        m_goHome();
        SyncView();
        return true;
    }
    default: return false;
    }
}

bool MainKeyboard::Walk(const MSG& message, int step, bool hotSpotsOnly)
{
    HWND window = Window();
    m_cues = true;
    const FocusRing ring = Ring();
    FocusRing::Stop current{false, m_focused};
    if (message.hwnd != window) {
        // A control's inner window (a combo box's edit) stands for the control.
        HWND control = message.hwnd;
        while (::GetParent(control) != window)
            control = ::GetParent(control);
        current = FocusRing::Stop{true, ::GetDlgCtrlID(control)};
    }
    const FocusRing::Stop* next = ring.Step(&current, step);
    for (size_t skipped = 0; next && hotSpotsOnly && next->isControl && skipped < ring.Stops().size(); ++skipped)
        next = ring.Step(next, step);
    if (!next || (hotSpotsOnly && next->isControl))
        return true;
    // The editor keeps its caret where it was: a note selected whole would
    // go with the next key typed.
    if (next->isControl)
        ::SetFocus(::GetDlgItem(window, next->id));
    else
        FocusHotSpot(next->id);
    return true;
}

void MainKeyboard::FocusHotSpot(int id)
{
    SetFocused(id);
    if (::GetFocus() != Window())
        ::SetFocus(Window());
    if (ChildId(id))
        ::NotifyWinEvent(EVENT_OBJECT_FOCUS, Window(), OBJID_CLIENT, ChildId(id));
}

void MainKeyboard::SetFocused(int id)
{
    if (id == m_focused)
        return;
    InvalidateMark();
    m_focused = id;
    InvalidateMark();
}

bool MainKeyboard::OnSetFocus()
{
    if (!m_focused)
        return false;
    InvalidateMark();
    return true;
}

void MainKeyboard::OnKillFocus(HWND gaining)
{
    // Focus on a control of the window ends the focus on a hot spot; focus on
    // another program's window only hides the mark until this one comes back.
    if (gaining && ::IsChild(Window(), gaining))
        SetFocused(0);
    else
        InvalidateMark();
}

void MainKeyboard::OnMouseUsed()
{
    if (!m_cues)
        return;
    m_cues = false;
    InvalidateMark();
}

void MainKeyboard::SyncView()
{
    HWND window = Window();
    const int view = MaskOf(m_face.GetView());
    if (!window || view == m_lastView)
        return;
    m_lastView = view;
    ::NotifyWinEvent(EVENT_OBJECT_REORDER, window, OBJID_CLIENT, CHILDID_SELF);
    if (::GetFocus() != window)
        return;
    const std::vector<int> spots = HotSpots();
    if (std::find(spots.begin(), spots.end(), m_focused) == spots.end())
        m_focused = 0;
    if (!m_focused && !spots.empty())
        FocusHotSpot(spots.front());
    else if (m_focused)
        ::NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, ChildId(m_focused));
}

bool MainKeyboard::MarkShown() const
{
    const HotSpot* spot = Find(m_focused);
    return m_cues && spot && spot->IsActive(m_face.GetView()) && ::GetFocus() == Window();
}

void MainKeyboard::PaintMark(HDC dc) const
{
    if (!MarkShown())
        return;
    GdiBrush brush(::CreateSolidBrush(kMarkColor));
    const int width = m_face.Scale().Px(kMarkWidth);
    ::FrameRgn(dc, Find(m_focused)->Region(), brush.get(), width, width);
}

void MainKeyboard::InvalidateMark() const
{
    const HotSpot* spot = Find(m_focused);
    if (!spot || !Window())
        return;
    RECT area = spot->Bounds();
    const int reach = m_face.Scale().Px(kMarkWidth) + 1;
    ::InflateRect(&area, reach, reach);
    ::InvalidateRect(Window(), &area, FALSE);
}
