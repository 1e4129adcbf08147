#include "mainwnd/CZorlaDlg.h"

#include "base/ProgramTitle.h"
#include "framework/CDataExchange.h"
#include "framework/Handles.h"
#include "framework/Utf8.h"
#include "mainwnd/CommandMenu.h"
#include "mainwnd/CommandTriggers.h"
#include "mainwnd/MainTimers.h"
#include "mainwnd/WeatherStatusLine.h"
#include "resource.h"
#include "shared/HighContrast.h"
#include "shared/PrivateMessages.h"

#include <commctrl.h>
#include <cstdlib>

namespace {

// What the editors hold is kept this long after the last key.
const UINT kDraftDelay = 700;

POINT PointFromLParam(LPARAM lParam)
{
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

CZorlaDlg::CZorlaDlg(MainWindowServices& services, CWnd* parent)
    : CMainDlgBase(IDD_ZORLA_DIALOG, services.Registry(), services.Switches(), parent)
    , m_services(services)
    , m_model(services.Model())
    , m_face(services.Sounds(), m_viewState)
    , m_views(*this, m_viewState, m_face, services)
    , m_keyboard(
          m_face, [this](int hotSpot) { OnHotSpot(hotSpot); }, [this] { RunCommand(ID_SHOW_HOME); })
    , m_access(m_keyboard)
    , m_texts(m_face)
    , m_commands(MainCommands::Parts{*this, m_viewState, m_views, m_tray, m_settings, services,
                                     [this] { ApplyTopMost(); }, [this] { m_startSteps.RunRemaining(); },
                                     [this] { SaveSettings(); }})
    , m_startSteps(WM_START_STEP, StartUp())
{
    m_icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    m_face.SetHotSpotAction([this](int hotSpot) { OnHotSpot(hotSpot); });
    // The keyboard's ring and the screen readers' tree follow the view.
    m_viewState.Follow([this](MainView) { m_keyboard.SyncView(); });
    m_model.AddListener(this);
}

// The model outlives the window: it must not tell a window that is gone.
CZorlaDlg::~CZorlaDlg()
{
    m_model.RemoveListener(this);
}

// Only what the first paint needs: size, place, shape and caption. The rest,
// the controls among it, follows the first paint (StartUp).
BOOL CZorlaDlg::OnInitDialog()
{
    m_face.Attach(m_hWnd);
    m_startSteps.Attach(m_hWnd);
    m_services.Attach(*this);
    m_face.SetScale(DisplayScale::ForWindow(m_hWnd));
    m_width = m_face.Background().Width();
    m_height = m_face.Background().Height();
    if (m_width <= 0 || m_height <= 0) {
        m_width = 440;
        m_height = 444;
    }
    CMainDlgBase::OnInitDialog();
    TranslateWindow(m_hWnd, -1);
    SetWindowTextString(m_hWnd, ProgramTitle);
    LoadSettings();
    m_model.LoadCity();
    m_face.ApplyViewRegion(MainView::Home);
    // No focus given here: the window is still hidden, and focusing it would
    // activate it once now and again when it shows. Shown, it is activated
    // and has the focus.
    return FALSE;
}

void CZorlaDlg::CompleteStart()
{
    m_startSteps.RunRemaining();
}

// The order is the one the user sees: the window's menu and icons, the other
// views' controls, the stores (their problems, if any, in boxes the window
// owns), the note windows and the timers, and last the other views' pictures,
// decoded ahead.
std::vector<StartSteps::Step> CZorlaDlg::StartUp()
{
    return {
        [this] {
            if (m_afterFirstPaint)
                m_afterFirstPaint();
            AddAboutToSystemMenu(m_hWnd);
            m_windowIcons.Apply(m_hWnd, IDR_MAINFRAME, m_face.Scale());
            // The icon goes into the tray only with the window.
            m_tray.Create(m_hWnd, WM_TRAY_NOTIFY, ProgramTitle, IDR_MAINFRAME, kTrayIconId, true);
        },
        [this] { m_views.EnsureControls(); },
        [this] {
            // Without its pictures the window is incomplete and keeps no notes.
            if (m_face.DecodeRest())
                m_services.LoadStores();
            m_views.RestoreDraft();
        },
        [this] {
            m_services.Start();
            SetTimer(TimerBlink, 3000, nullptr);
            m_started = true;
        },
        [this] {
            for (int picture : {IDP_WEATHER, IDP_NOTE_EDITOR, IDP_REMINDER_EDITOR})
                m_face.PrepareBackground(picture);
        },
    };
}

void CZorlaDlg::DoDataExchange(CDataExchange* pDX)
{
    CMainDlgBase::DoDataExchange(pDX);
    m_views.ExchangeCity(pDX);
}

void CZorlaDlg::ShowStatus(const std::string& text, bool transient)
{
    m_face.ShowStatus(text, transient);
    // Screen readers find the status line among the window's children.
    if (m_hWnd)
        ::NotifyWinEvent(EVENT_OBJECT_REORDER, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
}

void CZorlaDlg::OnWeatherStatus(WeatherService::Status status, const std::string& detail)
{
    const WeatherStatusLine line = WeatherStatusLine::For(status, detail);
    ShowStatus(line.text, line.transient);
}

void CZorlaDlg::OnWeatherReport(const WeatherReport& report)
{
    const WeatherStatusLine line = WeatherStatusLine::For(report);
    ShowStatus(line.text, line.transient);
}

void CZorlaDlg::OnWeatherChanged()
{
    if (m_hWnd)
        SetTimer(TimerWeatherDisplay, 10, nullptr);
}

// ---- commands -----------------------------------------------------------------

void CZorlaDlg::OnHotSpot(int id)
{
    RunCommand(CommandForHotSpot(id));
}

bool CZorlaDlg::RunCommand(UINT id)
{
    return m_commands.Run(id);
}

// ---- messages -----------------------------------------------------------------

LRESULT CZorlaDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // clang-format off
    switch (message) {
    case WM_PAINT:           return OnPaint();
    case WM_GETOBJECT:       return OnGetObject(wParam, lParam);
    case WM_DPICHANGED:      return OnDpiChanged(wParam, lParam);
    case WM_WEATHER_UNITS_CHANGED: OnWeatherChanged(); return 0;
    case WM_SYSCOLORCHANGE:  RedrawAll(); break;
    case WM_SETTINGCHANGE:   if (wParam == SPI_SETHIGHCONTRAST) RedrawAll(); break;
    case WM_SETFOCUS:        if (m_keyboard.OnSetFocus()) return 0; break;
    case WM_KILLFOCUS:       m_keyboard.OnKillFocus(reinterpret_cast<HWND>(wParam)); break;
    case WM_ERASEBKGND:      return TRUE;
    case WM_QUERYDRAGICON:   return reinterpret_cast<LRESULT>(m_icon);
    case WM_TIMER:           return OnTimer(wParam);
    case WM_SETCURSOR:       return OnSetCursor(wParam, lParam);
    case WM_MOUSEMOVE:       return OnMouseMove(wParam, lParam);
    case WM_CLOSE:           EndDialog(IDCANCEL); return 0;
    case WM_DESTROY:         return OnDestroy();
    case WM_HELP:            return TRUE;
    case WM_LBUTTONDOWN:     return OnLButtonDown(wParam, lParam);
    case WM_LBUTTONDBLCLK:   return OnLButtonDblClk(wParam, lParam);
    case WM_RBUTTONDOWN:     return OnRButtonDown(lParam);
    case WM_SYSCOMMAND:      return OnSysCommand(wParam, lParam);
    case WM_NOTIFY:          return OnNotify(wParam, lParam);
    case WM_START_STEP:      m_startSteps.Run(wParam); return 0;
    case WM_TRAY_NOTIFY:     return OnTrayNotify(wParam, lParam);
    default:                 break;
    }
    // clang-format on
    return CMainDlgBase::WindowProc(message, wParam, lParam);
}

BOOL CZorlaDlg::PreTranslateMessage(MSG* message)
{
    // Enter takes the offered place the box shows, Escape brings the usual list back.
    if (message->message == WM_KEYDOWN && m_views.IsSuggestingCities() &&
        ::IsChild(::GetDlgItem(m_hWnd, IDC_CITY_LIST), message->hwnd)) {
        if (message->wParam == VK_RETURN && m_views.TakeCitySuggestion(true))
            return TRUE;
        if (message->wParam == VK_ESCAPE) {
            m_views.EndCitySuggestions();
            return TRUE;
        }
    }
    if (m_keyboard.PreTranslate(*message))
        return TRUE;
    // The dialog manager would turn these into IDOK/IDCANCEL and move the focus.
    if (message->message == WM_KEYDOWN && (message->wParam == VK_RETURN || message->wParam == VK_ESCAPE)) {
        ::TranslateMessage(message);
        ::DispatchMessageW(message);
        return TRUE;
    }
    return CMainDlgBase::PreTranslateMessage(message);
}

// A note typed into the editor is not thrown away with the window.
void CZorlaDlg::BeforeDestroy()
{
    if (m_face.GetView() == MainView::Notes)
        m_views.SaveEditor(MainView::Notes);
    m_views.KeepDraft();
    m_services.Stop();
}

BOOL CZorlaDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) == 0 && RunCommand(id))
        return TRUE;
    // Kept a moment after typing pauses, well within 2 s of the last key.
    if ((id == IDC_EDITOR_TEXT && HIWORD(wParam) == EN_CHANGE) ||
        (id == IDC_REPEAT_CHOICE && HIWORD(wParam) == CBN_SELCHANGE)) {
        SetTimer(TimerDraft, kDraftDelay, nullptr);
        return TRUE;
    }
    if (id == IDC_CITY_LIST) {
        switch (HIWORD(wParam)) {
        case CBN_SELCHANGE: m_views.OnCitySelChange(); break;
        case CBN_EDITCHANGE: m_views.OnCityTyped(); break;
        case CBN_SELENDOK: m_views.TakeCitySuggestion(false); break;
        case CBN_KILLFOCUS: m_views.EndCitySuggestions(); break;
        default: break;
        }
        return TRUE;
    }
    return CMainDlgBase::OnCommand(wParam, lParam);
}

LRESULT CZorlaDlg::OnPaint()
{
    PaintScope paint(m_hWnd);
    if (IsIconic(m_hWnd)) {
        PaintIcon(paint.dc(), m_icon);
        return 0;
    }
    m_face.Paint(paint.dc());
    m_keyboard.PaintMark(paint.dc());
    m_keyboard.SyncView();
    m_startSteps.Begin();
    return 0;
}

void CZorlaDlg::RedrawAll()
{
    HighContrast::Refresh();
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// Moved to a monitor of another scale: the pictures, hot spots, controls and
// fonts are made for it, at the place Windows proposes.
LRESULT CZorlaDlg::OnDpiChanged(WPARAM wParam, LPARAM lParam)
{
    if (!m_face.SetScale(DisplayScale(LOWORD(wParam))))
        return 0;
    m_width = m_face.Background().Width();
    m_height = m_face.Background().Height();
    RECT place{};
    ::GetWindowRect(m_hWnd, &place);
    if (lParam)
        place = *reinterpret_cast<const RECT*>(lParam);
    ::SetWindowPos(m_hWnd, nullptr, place.left, place.top, m_width, m_height, SWP_NOZORDER | SWP_NOACTIVATE);
    m_views.Rescale();
    m_windowIcons.Apply(m_hWnd, IDR_MAINFRAME, m_face.Scale());
    m_tray.Rescale(m_face.Scale());
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return 0;
}

// The client area answers with the current view's hot spots; the rest of the
// window as the system describes any window.
LRESULT CZorlaDlg::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    if (static_cast<LONG>(lParam) != OBJID_CLIENT || IsDestroying())
        return CMainDlgBase::WindowProc(WM_GETOBJECT, wParam, lParam);
    if (!m_accessible)
        m_accessible = ComPtr<MainAccessible>(new MainAccessible(m_hWnd, m_access, m_texts));
    return m_accessible->Answer(wParam);
}

LRESULT CZorlaDlg::OnTimer(UINT_PTR id)
{
    switch (id) {
    case TimerBlink: {
        KillTimer(id);
        SetTimer(id, BlinkDelay(m_face.BlinkStep()), nullptr);
        break;
    }
    case TimerDraft:
        KillTimer(id);
        m_views.KeepDraft();
        break;
    case TimerWeatherDisplay:
        KillTimer(id);
        RefreshCityList();
        break;
    default: break;
    }
    return CMainDlgBase::WindowProc(WM_TIMER, id, 0);
}

UINT CZorlaDlg::BlinkDelay(bool eyesOpened)
{
    return eyesOpened ? 3000 + std::rand() % 5000 : 500 + std::rand() % 800;
}

LRESULT CZorlaDlg::OnSetCursor(WPARAM wParam, LPARAM lParam)
{
    POINT cursor{};
    GetCursorPos(&cursor);
    if (m_face.UpdateHover(cursor)) {
        SetCursor(CHyperLink::GetLinkCursor());
        return TRUE;
    }
    return CMainDlgBase::WindowProc(WM_SETCURSOR, wParam, lParam);
}

LRESULT CZorlaDlg::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    POINT point = PointFromLParam(lParam);
    ::ClientToScreen(m_hWnd, &point);
    SetCursor(m_face.UpdateHover(point) ? CHyperLink::GetLinkCursor() : LoadCursorA(nullptr, IDC_ARROW));
    return CMainDlgBase::WindowProc(WM_MOUSEMOVE, wParam, lParam);
}

LRESULT CZorlaDlg::OnDestroy()
{
    if (m_accessible)
        m_accessible->Disconnect();
    m_accessible.reset();
    UpdateData(TRUE);
    m_model.SaveCity();
    SaveSettings();
    return CMainDlgBase::WindowProc(WM_DESTROY, 0, 0);
}

LRESULT CZorlaDlg::OnLButtonDown(WPARAM wParam, LPARAM lParam)
{
    m_keyboard.OnMouseUsed();
    if (m_face.Click(PointFromLParam(lParam))) {
        ReleaseCapture();
        return CMainDlgBase::WindowProc(WM_LBUTTONDOWN, wParam, lParam);
    }
    // The whole picture is the caption: dragging anywhere else moves the window.
    CMainDlgBase::WindowProc(WM_LBUTTONDOWN, wParam, lParam);
    ReleaseCapture();
    ::PostMessageA(m_hWnd, WM_NCLBUTTONDOWN, HTCAPTION, lParam);
    return 0;
}

LRESULT CZorlaDlg::OnLButtonDblClk(WPARAM wParam, LPARAM lParam)
{
    RunCommand(CommandForDoubleClick());
    return CMainDlgBase::WindowProc(WM_LBUTTONDBLCLK, wParam, lParam);
}

LRESULT CZorlaDlg::OnSysCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT command = CommandForSystemMenu(static_cast<UINT>(wParam));
    if (command) {
        RunCommand(command);
        return 0;
    }
    return CMainDlgBase::WindowProc(WM_SYSCOMMAND, wParam, lParam);
}

// A new date or time in the reminder editor is part of its draft.
LRESULT CZorlaDlg::OnNotify(WPARAM wParam, LPARAM lParam)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->code == DTN_DATETIMECHANGE)
        SetTimer(TimerDraft, kDraftDelay, nullptr);
    return CMainDlgBase::WindowProc(WM_NOTIFY, wParam, lParam);
}

LRESULT CZorlaDlg::OnTrayNotify(WPARAM, LPARAM lParam)
{
    switch (static_cast<UINT>(lParam)) {
    case WM_LBUTTONDBLCLK: RunCommand(ID_TOGGLE_TRAY); break;
    case WM_RBUTTONDOWN: {
        POINT point{};
        ::GetCursorPos(&point);
        m_commands.ShowMenu(point);
        break;
    }
    default: break;
    }
    return 1;
}

LRESULT CZorlaDlg::OnRButtonDown(LPARAM lParam)
{
    m_keyboard.OnMouseUsed();
    POINT point = PointFromLParam(lParam);
    ::ClientToScreen(m_hWnd, &point);
    m_commands.ShowMenu(point);
    return 0;
}
