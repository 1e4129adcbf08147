#include "mainwnd/CZorlaDlg.h"

#include "desktop/CDesktopHost.h"
#include "framework/AfxFunctions.h"
#include "framework/CDataExchange.h"
#include "framework/CWinApp.h"
#include "framework/Clock.h"
#include "framework/Handles.h"
#include "mail/CIMapiThread.h"
#include "mainwnd/CommandMenu.h"
#include "mainwnd/CommandTriggers.h"
#include "mainwnd/MainTimers.h"
#include "mainwnd/TrayWindow.h"
#include "mainwnd/ViewControls.h"
#include "resource.h"
#include "shared/AppFont.h"
#include "shared/CAutostart.h"
#include "shared/ErrorReport.h"
#include "shared/ProgramTitle.h"
#include "shared/WebAddresses.h"
#include "shared/Translator.h"
#include "weather/CWeatherDisplay.h"
#include "widgets/CAboutDlg.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

const char kSection[] = "CZorlaDlg";
const char kDefaultCity[] = "M\xFCnchen";
const COLORREF kEditorTextColor = RGB(0, 101, 136);
const COLORREF kCalendarTitleColor = RGB(1, 82, 138);
const int kEditorLimitTimer = 50;
const UINT kWeatherInterval = 900000;
// Notes without a desktop wait for a new one this often, and this many times
// before they are shown without one.
const UINT kRehomeInterval = 2000;
const int kRehomeChecks = 15;

POINT PointFromLParam(LPARAM lParam)
{
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

CZorlaDlg::CZorlaDlg(CWnd* parent)
    : CQuokkaDlg(IDD_ZORLA_DIALOG, parent)
    , m_selectedCity(kDefaultCity)
    , m_sounds(m_settings)
    , m_httpClient("User-Agent: Velloran Software/1.0 (" ZORLA_MAKER_HOST ")")
    , m_launchReport(m_httpClient)
    , m_mail(*this, m_httpClient)
    , m_handler(m_sounds)
    , m_noteWindows(&m_sounds)
{
    m_icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    m_handler.SetActions(this);
    m_noteWindows.SetBin(&m_handler.Deleted());
}

CZorlaDlg::~CZorlaDlg() = default;

// Only what the first paint needs: size, place, shape and caption. The rest,
// the controls among it, follows the first paint (RunStartStep).
BOOL CZorlaDlg::OnInitDialog()
{
    m_handler.Attach(m_hWnd);
    m_width = m_handler.Background().Width();
    m_height = m_handler.Background().Height();
    if (m_width <= 0 || m_height <= 0) {
        m_width = 440;
        m_height = 444;
    }
    CQuokkaDlg::OnInitDialog();
    TranslateWindow(m_hWnd, -1);
    ::SetWindowTextA(m_hWnd, ProgramTitle);
    LoadSettings();
    m_handler.ApplyViewRegion(ZorlaBMPHandler::ViewHome);
    return TRUE;
}

void CZorlaDlg::CompleteStart()
{
    while (m_hWnd && m_nextStartStep < kStartSteps)
        RunStartStep(m_nextStartStep);
}

// One step per posted message, each posting the next, so the user's input and
// the system's messages get their turn in between. The order is the one the
// user sees: the window's menu and icons, the other views' controls, the
// stores (their problems, if any, in boxes the window owns), the note windows
// and the timers, and last the other views' pictures, decoded ahead.
void CZorlaDlg::RunStartStep(int step)
{
    if (step != m_nextStartStep || !m_hWnd)
        return;
    ++m_nextStartStep;
    switch (step) {
    case 0:
        AddAboutToSystemMenu();
        ::SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
        ::SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
        // The icon goes into the tray only with the window.
        m_tray.Create(m_hWnd, WM_TRAY_NOTIFY, ProgramTitle, m_icon, kTrayIconId, true);
        break;
    case 1: EnsureControls(); break;
    case 2:
        m_handler.LoadStores();
        ShowAllStoreProblems();
        m_handler.Weather().SetView(this);
        break;
    case 3:
        OpenStoredNotes();
        SetTimer(TimerBlink, 3000, nullptr);
        SetTimer(TimerWeather, 0, nullptr);
        SetTimer(TimerDueCheck, 1000, nullptr);
        SetTimer(TimerLaunchReport, 15000, nullptr);
        m_started = true;
        break;
    default:
        for (int picture : {IDP_WEATHER, IDP_NOTE_EDITOR, IDP_TIMER_EDITOR})
            m_handler.PrepareBackground(picture);
        break;
    }
    if (m_nextStartStep < kStartSteps && m_hWnd)
        ::PostMessageA(m_hWnd, WM_START_STEP, m_nextStartStep, 0);
}

void CZorlaDlg::EnsureControls()
{
    if (::GetDlgItem(m_hWnd, IDC_EDITOR_TEXT))
        return;
    // The date pickers' window class comes with the common controls.
    InitCommonControls();
    ViewControls::Create(m_hWnd);
    ::SendDlgItemMessageA(m_hWnd, IDC_DATE_PICKER, DTM_SETMCCOLOR, MCSC_TITLEBK, kCalendarTitleColor);
    ::SendDlgItemMessageA(m_hWnd, IDC_TIME_PICKER, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>("H:mm"));
    m_editor.SubclassDlgItem(IDC_EDITOR_TEXT, this);
    m_editor.SetTextColor(kEditorTextColor);
    m_editor.RepaintBackground();
    SetFontOnChildren(m_hWnd, AppFont::Shared());
    // After the font: the link underlines the font it finds.
    ::SetDlgItemTextA(m_hWnd, IDC_WEBLINK, ZORLA_BRAND_HOST);
    m_webLink.SetURL(ZORLA_BRAND_URL);
    m_webLink.SubclassDlgItem(IDC_WEBLINK, this);
    UpdateData(FALSE);
    ViewControls::ShowFor(m_hWnd, m_handler.GetView());
}

void CZorlaDlg::DoDataExchange(CDataExchange* pDX)
{
    CQuokkaDlg::DoDataExchange(pDX);
    HWND cities = ::GetDlgItem(m_hWnd, IDC_CITY_LIST);
    if (!cities)
        return;
    // While the list has no selection (no weather fetched yet) the remembered city
    // stays; reading the empty list would overwrite it with nothing.
    const bool noSelection = ::SendMessageA(cities, CB_GETCURSEL, 0, 0) == CB_ERR;
    if (!(pDX->m_bSaveAndValidate && noSelection))
        DDX_CBString(pDX, IDC_CITY_LIST, m_selectedCity);
}

void CZorlaDlg::LoadSettings()
{
    CWinApp* app = AfxGetApp();
    m_selectedCity = app->GetProfileString(kSection, "strCurWeatherComobSelectionID", m_selectedCity.c_str());
    m_settings.playSounds = app->GetProfileInt(kSection, "bSound", 0) != 0 ? 1 : 0;
    m_settings.noInternet = app->GetProfileInt(kSection, "bNoInetConnect", 1) != 0 ? 1 : 0;
}

void CZorlaDlg::SaveSettings()
{
    CWinApp* app = AfxGetApp();
    app->WriteProfileString(kSection, "strCurWeatherComobSelectionID", m_selectedCity.c_str());
    app->WriteProfileInt(kSection, "bSound", m_settings.playSounds);
    app->WriteProfileInt(kSection, "bNoInetConnect", m_settings.noInternet);
}

void CZorlaDlg::AddAboutToSystemMenu()
{
    HMENU menu = GetSystemMenu(m_hWnd, FALSE);
    if (!menu)
        return;
    char text[256];
    std::snprintf(text, sizeof text, Translate("About %s...").c_str(), ProgramTitle);
    if (text[0] == '\0')
        return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_SYSTEM_ABOUT, text);
}

void CZorlaDlg::OpenStoredNotes()
{
    for (CEntryStore* store :
         {static_cast<CEntryStore*>(&m_handler.Timers()), static_cast<CEntryStore*>(&m_handler.Notes())}) {
        for (CEntry& entry : store->ReadAll())
            ::SendMessageA(m_hWnd, WM_COMMAND, ID_NOTE_OPEN, reinterpret_cast<LPARAM>(&entry));
        ShowStoreProblems(*store);
    }
}

void CZorlaDlg::ShowStoreProblems(CAction& store)
{
    for (const StoreProblem& problem : store.TakeProblems())
        problem.Show();
}

void CZorlaDlg::ShowAllStoreProblems()
{
    ShowStoreProblems(m_handler.Timers());
    ShowStoreProblems(m_handler.Notes());
    ShowStoreProblems(m_handler.Weather());
}

// ---- views ------------------------------------------------------------------

bool CZorlaDlg::LeaveView(int target)
{
    const int current = m_handler.GetView();
    if (current == target)
        return true;
    // The note editor files its note whenever it is left; the timer editor
    // only on the way home.
    if (current == ZorlaBMPHandler::ViewNotes)
        return m_handler.SaveEditor(ZorlaBMPHandler::ViewNotes);
    if (current == ZorlaBMPHandler::ViewTimer && target == ZorlaBMPHandler::ViewHome)
        return m_handler.SaveEditor(ZorlaBMPHandler::ViewTimer);
    return true;
}

void CZorlaDlg::SetView(int view)
{
    const int current = m_handler.GetView();
    if (view != current) {
        // Leaving the weather view hands over the chosen city.
        if (current == ZorlaBMPHandler::ViewWeather)
            UpdateData(TRUE);
        m_handler.SetViewValue(view);
        // The whole window is repainted just below: once, not twice.
        m_handler.ApplyViewRegion(view, false);
    }
    ViewControls::ShowFor(m_hWnd, view);
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    ::UpdateWindow(m_hWnd);
}

void CZorlaDlg::GoHome()
{
    if (!LeaveView(ZorlaBMPHandler::ViewHome) || !m_handler.LoadBackground(IDP_HOME))
        return;
    SetView(ZorlaBMPHandler::ViewHome);
    m_sounds.PlayGreeting();
}

void CZorlaDlg::GoWeather()
{
    EnsureControls();
    if (!LeaveView(ZorlaBMPHandler::ViewWeather) || !m_handler.LoadBackground(IDP_WEATHER))
        return;
    SetView(ZorlaBMPHandler::ViewWeather);
}

void CZorlaDlg::OpenEditor(int view)
{
    EnsureControls();
    if (!LeaveView(view))
        return;
    const bool timer = view == ZorlaBMPHandler::ViewTimer;
    if (timer) {
        m_editor.SendMessage(EM_LIMITTEXT, kEditorLimitTimer, 0);
        ViewControls::ProposeReminderTime(m_hWnd, Clock::Now());
    } else {
        m_editor.SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(-1), 0);
    }
    if (!m_handler.LoadBackground(timer ? IDP_TIMER_EDITOR : IDP_NOTE_EDITOR))
        return;
    SetView(view);
    ::SetFocus(m_editor.m_hWnd);
}

void CZorlaDlg::ShowWeatherText(const std::string& text, HDC dc)
{
    m_handler.ShowWeatherText(text, dc);
}

void CZorlaDlg::RefreshCityList()
{
    EnsureControls();
    const std::optional<std::string> text = CWeatherDisplay::FillCityList(
        ::GetDlgItem(m_hWnd, IDC_CITY_LIST), m_handler.Weather().GetDocument(), m_selectedCity);
    if (text)
        ShowWeatherText(*text);
}

void CZorlaDlg::OnCitySelChange()
{
    ShowWeatherText(CWeatherDisplay::OnCitySelChange(::GetDlgItem(m_hWnd, IDC_CITY_LIST), m_selectedCity));
}

void CZorlaDlg::ShowStatus(const std::string& text, bool transient)
{
    m_handler.ShowStatus(text, transient);
}

void CZorlaDlg::RequestDisplayRefresh()
{
    if (m_hWnd)
        SetTimer(TimerWeatherDisplay, 10, nullptr);
}

void CZorlaDlg::OnWeatherDocumentChanged()
{
    RefreshCityList();
}

void CZorlaDlg::CheckWeather(bool force)
{
    m_handler.Weather().CheckWeather(force);
    ShowStoreProblems(m_handler.Weather());
}

// ---- commands -----------------------------------------------------------------

void CZorlaDlg::OnHotSpot(int id)
{
    RunCommand(CommandForHotSpot(id));
}

bool CZorlaDlg::RunCommand(UINT id)
{
    struct Command {
        UINT id;
        void (CZorlaDlg::*run)();
    };
    static const Command kCommands[] = {
        {ID_APP_EXIT, &CZorlaDlg::OnExit},
        {ID_SHOW_HOME, &CZorlaDlg::OnShowHome},
        {ID_SHOW_WEATHER, &CZorlaDlg::OnShowWeather},
        {ID_SHOW_NOTE_EDITOR, &CZorlaDlg::OnShowNoteEditor},
        {ID_SHOW_TIMER_EDITOR, &CZorlaDlg::OnShowTimerEditor},
        {ID_UPDATE_WEATHER, &CZorlaDlg::OnUpdateWeather},
        {ID_PLAY_SOUNDS, &CZorlaDlg::OnTogglePlaySounds},
        {ID_NO_INTERNET, &CZorlaDlg::OnToggleNoInternet},
        {ID_TOP_MOST, &CZorlaDlg::OnToggleTopMost},
        {ID_WEB_LINK, &CZorlaDlg::OnWebLink},
        {ID_ABOUT, &CZorlaDlg::OnAbout},
        {ID_AUTOSTART, &CZorlaDlg::OnToggleAutostart},
        {ID_TOGGLE_TRAY, &CZorlaDlg::OnToggleTray},
        {ID_SEND_TO_FRIEND, &CZorlaDlg::OnSendToFriend},
        {ID_RESTORE_DELETED, &CZorlaDlg::OnRestoreDeleted},
    };
    for (const Command& command : kCommands) {
        if (command.id == id) {
            // A command given in the first moments after the first paint finds
            // the start-up done: the stores it may write to are loaded.
            CompleteStart();
            (this->*command.run)();
            return true;
        }
    }
    return false;
}

void CZorlaDlg::OnExit()
{
    EndDialog(IDCANCEL);
}

// The view commands bring the window back from the tray first: they are
// chosen to be seen.
void CZorlaDlg::OnShowHome()
{
    RestoreFromTray(m_tray, m_hWnd);
    GoHome();
}

void CZorlaDlg::OnShowWeather()
{
    RestoreFromTray(m_tray, m_hWnd);
    GoWeather();
}

void CZorlaDlg::OnShowNoteEditor()
{
    RestoreFromTray(m_tray, m_hWnd);
    OpenEditor(ZorlaBMPHandler::ViewNotes);
}

void CZorlaDlg::OnShowTimerEditor()
{
    RestoreFromTray(m_tray, m_hWnd);
    OpenEditor(ZorlaBMPHandler::ViewTimer);
}

void CZorlaDlg::OnUpdateWeather()
{
    CheckWeather(true);
}

// The two flags are written when the window is destroyed; top-most at once.
void CZorlaDlg::OnTogglePlaySounds()
{
    m_settings.playSounds = m_settings.playSounds ? 0 : 1;
}

void CZorlaDlg::OnToggleNoInternet()
{
    m_settings.noInternet = m_settings.noInternet ? 0 : 1;
}

void CZorlaDlg::OnToggleTopMost()
{
    m_settings.topMost = m_settings.topMost ? 0 : 1;
    ApplyTopMost();
}

// The check mark is whether the shortcut exists: a failure shows there.
void CZorlaDlg::OnToggleAutostart()
{
    CAutostart(m_hWnd).ToggleAutostart();
}

void CZorlaDlg::OnToggleTray()
{
    ToggleTray(m_tray, m_hWnd);
}

void CZorlaDlg::OnSendToFriend()
{
    m_mail.OnSendToFriend(m_settings.noInternet != 0);
}

LRESULT CZorlaDlg::OnMailDone(ULONG result)
{
    return m_mail.OnMailDone(result);
}

// The most recently deleted note or reminder comes back at its old place with
// its text; a reminder whose time has passed alerts at once.
void CZorlaDlg::OnRestoreDeleted()
{
    CActionDeleted& bin = m_handler.Deleted();
    CEntry entry;
    if (!bin.PeekLast(entry))
        return;
    CEntryStore& store = entry.kind == 1 ? static_cast<CEntryStore&>(m_handler.Timers()) : m_handler.Notes();
    entry.id = 0;
    entry.store = &store;
    if (!store.AddEntry(entry)) {
        ReportError(IDS_WRITE_ERROR, __FILE__, __LINE__);
        return;
    }
    if (!store.Save())
        ShowStoreProblems(store);
    bin.DropLast();
    if (!bin.Save())
        ShowStoreProblems(bin);
    ::SendMessageA(m_hWnd, WM_COMMAND, ID_NOTE_OPEN, reinterpret_cast<LPARAM>(&entry));
    if (entry.kind == 1 && entry.GetReminderTime() <= COleDateTime::GetCurrentTime())
        m_noteWindows.Due(entry);
}

void CZorlaDlg::OnWebLink()
{
    EnsureControls();
    m_webLink.FollowLink();
}

void CZorlaDlg::OnAbout()
{
    CAboutDlg about(this);
    about.DoModal();
}

// ---- messages -----------------------------------------------------------------

LRESULT CZorlaDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A new shell: its desktop takes back the notes that went with the old one.
    if (message == CSystemTray::TaskbarCreatedMessage() && m_noteWindows.HasLost())
        RehomeNotes();
    // clang-format off
    switch (message) {
    case WM_PAINT:           return OnPaint();
    case WM_ERASEBKGND:      return TRUE;
    case WM_QUERYDRAGICON:   return reinterpret_cast<LRESULT>(m_icon);
    case WM_TIMER:           return OnTimer(wParam);
    case WM_SETCURSOR:       return OnSetCursor(wParam, lParam);
    case WM_MOUSEMOVE:       return OnMouseMove(wParam, lParam);
    case WM_QUERYENDSESSION: return OnQueryEndSession(wParam, lParam);
    case WM_ENDSESSION:      return OnEndSession(wParam, lParam);
    case WM_CLOSE:           EndDialog(IDCANCEL); return 0;
    case WM_DESTROY:         return OnDestroy();
    case WM_HELP:            return TRUE;
    case WM_LBUTTONDOWN:     return OnLButtonDown(wParam, lParam);
    case WM_LBUTTONDBLCLK:   return OnLButtonDblClk(wParam, lParam);
    case WM_RBUTTONDOWN:     return OnRButtonDown(lParam);
    case WM_SYSCOMMAND:      return OnSysCommand(wParam, lParam);
    case WM_WEATHER_DONE:    return OnWeatherDone(wParam, lParam);
    case WM_START_STEP:      RunStartStep(static_cast<int>(wParam)); return 0;
    case WM_POWERBROADCAST:  return OnPowerBroadcast(wParam, lParam);
    case WM_TIMECHANGE:      return OnTimeChange();
    case WM_TRAY_NOTIFY:     return OnTrayNotify(wParam, lParam);
    case WM_MAIL_DONE:       return OnMailDone(static_cast<ULONG>(wParam));
    case WM_MAIL_PROGRESS:   return m_mail.OnMailProgress(wParam, lParam);
    default:                 return CQuokkaDlg::WindowProc(message, wParam, lParam);
    }
    // clang-format on
}

BOOL CZorlaDlg::PreTranslateMessage(MSG* message)
{
    // The dialog manager would turn these into IDOK/IDCANCEL and move the focus.
    if (message->message == WM_KEYDOWN && (message->wParam == VK_RETURN || message->wParam == VK_ESCAPE)) {
        ::TranslateMessage(message);
        ::DispatchMessageA(message);
        return TRUE;
    }
    return CQuokkaDlg::PreTranslateMessage(message);
}

BOOL CZorlaDlg::DestroyWindow()
{
    // A box about a failed save runs a message loop, in which the session's end
    // may arrive and ask for the destruction again: once is enough.
    if (!m_hWnd || m_destroying)
        return FALSE;
    m_destroying = true;
    // A note typed into the editor is not thrown away with the window.
    if (m_handler.GetView() == ZorlaBMPHandler::ViewNotes)
        m_handler.SaveEditor(ZorlaBMPHandler::ViewNotes);
    m_noteWindows.CloseAllKeepingState();
    if (!m_handler.SaveAll())
        ShowAllStoreProblems();
    m_mail.DeleteProgressWindow();
    const BOOL destroyed = CQuokkaDlg::DestroyWindow();
    m_destroying = false;
    return destroyed;
}

BOOL CZorlaDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) == 0 && OnNoteCommand(id, lParam))
        return TRUE;
    if (HIWORD(wParam) == 0 && RunCommand(id))
        return TRUE;
    switch (id) {
    case IDC_CITY_LIST:
        if (HIWORD(wParam) == CBN_SELCHANGE)
            OnCitySelChange();
        return TRUE;
    case 1000:
    case 1001:
    case 1003: return TRUE;
    default: return CQuokkaDlg::OnCommand(wParam, lParam);
    }
}

bool CZorlaDlg::OnNoteCommand(UINT id, LPARAM lParam)
{
    switch (id) {
    case ID_NOTE_OPEN:
        if (lParam && m_noteWindows.Open(*reinterpret_cast<const CEntry*>(lParam), this))
            m_sounds.PlayResource(IDW_NOTE_OPENED);
        return true;
    case ID_NOTE_FORGET:
    case ID_TIMER_FORGET:
        if (lParam)
            m_noteWindows.Forget(*reinterpret_cast<const std::string*>(lParam));
        return true;
    case ID_REMINDER_DUE:
        if (lParam)
            m_noteWindows.Due(*reinterpret_cast<const CEntry*>(lParam));
        return true;
    case ID_NOTE_LOST:
        if (lParam && m_noteWindows.Lost(*reinterpret_cast<const std::string*>(lParam)))
            WaitForDesktop();
        return true;
    default: return false;
    }
}

LRESULT CZorlaDlg::OnPaint()
{
    PaintScope paint(m_hWnd);
    if (IsIconic(m_hWnd)) {
        RECT client{};
        ::GetClientRect(m_hWnd, &client);
        const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
        DrawIcon(paint.dc(), x, y, m_icon);
        return 0;
    }
    m_handler.Paint(paint.dc());
    // Posted, so it comes after the picture is on the screen.
    if (!m_startPosted) {
        m_startPosted = true;
        ::PostMessageA(m_hWnd, WM_START_STEP, 0, 0);
    }
    return 0;
}

LRESULT CZorlaDlg::OnTimer(UINT_PTR id)
{
    switch (id) {
    case TimerBlink: {
        KillTimer(id);
        SetTimer(id, BlinkDelay(m_handler.BlinkStep()), nullptr);
        break;
    }
    case TimerWeather:
        KillTimer(id);
        CheckWeather(false);
        SetTimer(id, kWeatherInterval, nullptr);
        break;
    case TimerWeatherDisplay:
        KillTimer(id);
        RefreshCityList();
        break;
    case TimerLaunchReport:
        KillTimer(id);
        m_launchReport.Send(m_hWnd, m_settings.noInternet != 0);
        break;
    case TimerRehome: OnRehomeTimer(); break;
    case TimerDueCheck: {
        KillTimer(id);
        // Notes whose windows the system took away without a word.
        if (m_noteWindows.FindLost())
            WaitForDesktop();
        CheckDueReminders();
        SetTimer(id, (60 - Clock::Now().wSecond) * 1000, nullptr);
        break;
    }
    default: break;
    }
    return CQuokkaDlg::WindowProc(WM_TIMER, id, 0);
}

UINT CZorlaDlg::BlinkDelay(bool eyesOpened)
{
    return eyesOpened ? 3000 + std::rand() % 5000 : 500 + std::rand() % 800;
}

// Reminders that fell due while the computer slept, or that a new clock or
// time zone makes due, alert now rather than at the next full minute.
LRESULT CZorlaDlg::OnPowerBroadcast(WPARAM wParam, LPARAM lParam)
{
    if (m_started && (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND))
        RestartDueCheck();
    return CQuokkaDlg::WindowProc(WM_POWERBROADCAST, wParam, lParam);
}

LRESULT CZorlaDlg::OnTimeChange()
{
    if (m_started)
        RestartDueCheck();
    return CQuokkaDlg::WindowProc(WM_TIMECHANGE, 0, 0);
}

// The check now, the next at the following full minute.
void CZorlaDlg::RestartDueCheck()
{
    KillTimer(TimerDueCheck);
    CheckDueReminders();
    SetTimer(TimerDueCheck, (60 - Clock::Now().wSecond) * 1000, nullptr);
}

void CZorlaDlg::WaitForDesktop()
{
    if (m_destroying || !m_hWnd)
        return;
    m_rehomeChecks = 0;
    SetTimer(TimerRehome, kRehomeInterval, nullptr);
}

void CZorlaDlg::OnRehomeTimer()
{
    CDesktopHost::ResetCache();
    CDesktopHost desktop;
    if (desktop.Find() == 0 || ++m_rehomeChecks >= kRehomeChecks)
        RehomeNotes();
}

void CZorlaDlg::RehomeNotes()
{
    KillTimer(TimerRehome);
    CDesktopHost::ResetCache();
    m_noteWindows.Rehome(this);
}

void CZorlaDlg::CheckDueReminders()
{
    CActionTimer& timers = m_handler.Timers();
    for (CEntry& entry : timers.DueEntries(COleDateTime::GetCurrentTime()))
        ::SendMessageA(m_hWnd, WM_COMMAND, ID_REMINDER_DUE, reinterpret_cast<LPARAM>(&entry));
    ShowStoreProblems(timers);
}

LRESULT CZorlaDlg::OnSetCursor(WPARAM wParam, LPARAM lParam)
{
    POINT cursor{};
    GetCursorPos(&cursor);
    if (m_handler.UpdateHover(cursor)) {
        SetCursor(CHyperLink::GetLinkCursor());
        return TRUE;
    }
    return CQuokkaDlg::WindowProc(WM_SETCURSOR, wParam, lParam);
}

LRESULT CZorlaDlg::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    POINT point = PointFromLParam(lParam);
    ::ClientToScreen(m_hWnd, &point);
    SetCursor(m_handler.UpdateHover(point) ? CHyperLink::GetLinkCursor() : LoadCursorA(nullptr, IDC_ARROW));
    return CQuokkaDlg::WindowProc(WM_MOUSEMOVE, wParam, lParam);
}

LRESULT CZorlaDlg::OnQueryEndSession(WPARAM wParam, LPARAM lParam)
{
    const LRESULT allowed = CQuokkaDlg::WindowProc(WM_QUERYENDSESSION, wParam, lParam);
    if (allowed)
        EndDialog(1);
    return allowed;
}

LRESULT CZorlaDlg::OnEndSession(WPARAM wParam, LPARAM lParam)
{
    // The session may end before the modal loop runs again: save now.
    if (wParam && ::IsWindow(m_hWnd) && !m_destroying)
        DestroyWindow();
    return CQuokkaDlg::WindowProc(WM_ENDSESSION, wParam, lParam);
}

LRESULT CZorlaDlg::OnDestroy()
{
    UpdateData(TRUE);
    SaveSettings();
    return CQuokkaDlg::WindowProc(WM_DESTROY, 0, 0);
}

LRESULT CZorlaDlg::OnLButtonDown(WPARAM wParam, LPARAM lParam)
{
    if (m_handler.Click(PointFromLParam(lParam))) {
        ReleaseCapture();
        return CQuokkaDlg::WindowProc(WM_LBUTTONDOWN, wParam, lParam);
    }
    // The whole picture is the caption: dragging anywhere else moves the window.
    CQuokkaDlg::WindowProc(WM_LBUTTONDOWN, wParam, lParam);
    ReleaseCapture();
    ::PostMessageA(m_hWnd, WM_NCLBUTTONDOWN, HTCAPTION, lParam);
    return 0;
}

LRESULT CZorlaDlg::OnLButtonDblClk(WPARAM wParam, LPARAM lParam)
{
    RunCommand(CommandForDoubleClick());
    return CQuokkaDlg::WindowProc(WM_LBUTTONDBLCLK, wParam, lParam);
}

LRESULT CZorlaDlg::OnSysCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT command = CommandForSystemMenu(static_cast<UINT>(wParam));
    if (command) {
        RunCommand(command);
        return 0;
    }
    return CQuokkaDlg::WindowProc(WM_SYSCOMMAND, wParam, lParam);
}

LRESULT CZorlaDlg::OnWeatherDone(WPARAM wParam, LPARAM lParam)
{
    m_handler.Weather().OnWorkerMessage(wParam, lParam);
    ShowStoreProblems(m_handler.Weather());
    return 0;
}

LRESULT CZorlaDlg::OnTrayNotify(WPARAM, LPARAM lParam)
{
    switch (static_cast<UINT>(lParam)) {
    case WM_LBUTTONDBLCLK: RunCommand(ID_TOGGLE_TRAY); break;
    case WM_RBUTTONDOWN: {
        POINT point{};
        ::GetCursorPos(&point);
        ShowCommandMenu(point);
        break;
    }
    default: break;
    }
    return 1;
}

LRESULT CZorlaDlg::OnRButtonDown(LPARAM lParam)
{
    POINT point = PointFromLParam(lParam);
    ::ClientToScreen(m_hWnd, &point);
    ShowCommandMenu(point);
    return 0;
}

// Built anew at each showing: the middle group follows the view, the check
// images the switches. The choice arrives later as a posted command.
void CZorlaDlg::ShowCommandMenu(POINT screenPoint)
{
    ReleaseCapture();
    m_commandMenu.colours.border = RGB(0, 0, 0);
    m_commandMenu.colours.background = RGB(255, 241, 199);
    m_commandMenu.colours.text = RGB(0, 0, 0);
    m_commandMenu.colours.highlightText = RGB(255, 255, 255);
    m_commandMenu.SetFont(AppFont::Shared());
    m_commandMenu.Init(AfxGetResourceHandle(), IDB_MENU_IMAGES);
    CommandMenuState state;
    state.view = m_handler.GetView();
    state.windowVisible = ::IsWindowVisible(m_hWnd) != FALSE;
    state.noInternet = m_settings.noInternet != 0;
    state.playSounds = m_settings.playSounds != 0;
    state.topMost = m_settings.topMost != 0;
    state.autostart = CAutostart(m_hWnd).AutostartShortcutExists();
    state.canRestore = !m_handler.Deleted().IsEmpty();
    for (const PopupMenuItem& item : CommandMenuItems(state))
        m_commandMenu.AppendItem(item.flags, item.text.c_str(), item.commandId, item.imageIndex, item.highlightColour);
    m_commandMenu.Track(screenPoint, m_hWnd);
}
