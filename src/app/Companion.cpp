#include "app/Companion.h"

#include "app/CompanionTimers.h"
#include "base/ProgramTitle.h"
#include "framework/Utf8.h"
#include "image/DisplayScale.h"
#include "mainwnd/CSystemTray.h"
#include "notes/StoredPlace.h"
#include "resource.h"
#include "shared/CityTableResource.h"
#include "shared/ErrorReport.h"
#include "shared/WebAddresses.h"
#include "shared/PrivateMessages.h"
#include "shared/Translator.h"
#include "syncfolder/FolderPicker.h"
#include "widgets/StoreProblemMessage.h"

#include <algorithm>

namespace {

const wchar_t kWindowClass[] = L"ZorlaCompanion";
// The synced folder is looked at this often besides the system's notifications,
// which not every file system gives: what another computer wrote shows within 2 s.
const UINT kSyncCheckInterval = 1500;

// The context with the downloads of the services' own window, and the name
// the open weather services know the program by.
AppContext WithHttp(AppContext context, HttpFetch& http)
{
    context.http = &http;
    context.agent = ZORLA_WEATHER_AGENT;
    return context;
}

}  // namespace

Companion::Companion(const AppContext& context)
    : m_registry(context.settings)
    , m_sounds(m_switches)
    , m_httpClient(ZORLA_USER_AGENT)
    , m_launchReport(m_httpClient)
    , m_weatherFetch(ZORLA_USER_AGENT)
    , m_model(WithHttp(context, m_weatherFetch))
    , m_draft(context.settings)
    , m_deskNotes(m_model, m_sounds)
    , m_globalKeys(context.settings)
    , m_findNote([this] { return FindableEntries(); },
                 [this](const std::string& key) { m_deskNotes.Windows().Bring(key, true); })
    , m_options(OptionsWindow::Program{
          context.settings, m_globalKeys, m_switches, [this] { return m_model.SyncFolderPath(); },
          // Through the main window, which runs the command menu's rows.
          [this](UINT command) { ::SendMessageW(MainWindow(), WM_COMMAND, command, 0); },
          [this] { ::SendMessageW(MainWindow(), WM_WEATHER_UNITS_CHANGED, 0, 0); }})
{
    m_model.AddListener(&m_deskNotes);
    m_model.AddListener(this);
    m_model.SetCityFinder([this](const std::string& name) -> std::optional<City> {
        const CityTable* table = Cities();
        return table ? table->Find(name) : std::nullopt;
    });
}

const CityTable* Companion::Cities()
{
    // Read when first needed: most starts never look a place up.
    if (!m_citiesRead) {
        m_citiesRead = true;
        std::string bytes;
        std::string error;
        auto table = std::make_unique<CityTable>();
        // Without the table no place is offered; the brand's cities still are.
        if (ReadCityTableResource(::GetModuleHandleA(nullptr), bytes, error) && table->Load(std::move(bytes), error))
            m_cities = std::move(table);
    }
    return m_cities.get();
}

Companion::~Companion()
{
    Stop();
    m_weatherFetch.Attach(nullptr);
    if (m_hWnd)
        DestroyWindow();
}

void Companion::Attach(CWnd& mainWindow)
{
    m_mainWindow = &mainWindow;
    m_mail = std::make_unique<CSendToFriend>(mainWindow, m_httpClient);
}

// Made after the main window's first paint, which need not wait for it. A
// top-level window, though never shown: broadcasts reach only those.
void Companion::EnsureWindow()
{
    if (m_hWnd)
        return;
    if (HWND window = CreateInvisibleWindow(kWindowClass))
        SubclassWindow(window);
    m_weatherFetch.Attach(m_hWnd);
    m_deskNotes.Attach(m_mainWindow, m_hWnd);
    if (m_mail)
        m_mail->SetNotifyWindow(m_hWnd);
}

void Companion::LoadStores()
{
    EnsureWindow();
    m_model.Load();
    ShowStoreProblems();
}

void Companion::Start()
{
    EnsureWindow();
    m_deskNotes.OpenStored();
    WatchSyncFolder();
    SetTimer(TimerWeather, 0, nullptr);
    SetTimer(TimerLaunchReport, 15000, nullptr);
    RegisterGlobalKeys();
    m_started = true;
}

void Companion::Stop()
{
    m_syncWatch.Stop();
    m_globalKeys.Unregister();
    if (!m_mainWindow)
        return;
    m_deskNotes.CloseAll();
    if (!m_model.SaveAll())
        ShowStoreProblems();
    if (m_mail)
        m_mail->DeleteProgressWindow();
    for (UINT_PTR timer : {TimerWeather, TimerDueCheck, TimerLaunchReport, TimerRehome, TimerOpenNotes, TimerSyncCheck,
                           TimerFindRefresh})
        KillTimer(timer);
    m_mainWindow = nullptr;
    m_started = false;
}

void Companion::ShowStoreProblems()
{
    for (const StoreProblem& problem : m_model.TakeProblems())
        StoreProblemMessage::Show(problem);
}

// ---- commands -----------------------------------------------------------------

bool Companion::RunCommand(UINT id)
{
    struct Command {
        UINT id;
        void (*run)(Companion& program);
    };
    // clang-format off
    static const Command kCommands[] = {
        {ID_UPDATE_WEATHER,  [](Companion& program) { program.CheckWeather(true); }},
        {ID_SEND_TO_FRIEND,  [](Companion& program) {
            if (program.m_mail) program.m_mail->OnSendToFriend(program.m_switches.noInternet != 0); }},
        {ID_RESTORE_DELETED, [](Companion& program) { program.OnRestoreDeleted(); }},
        {ID_KEEP_IN_FOLDER,  [](Companion& program) { program.OnKeepInFolder(); }},
        {ID_KEEP_LOCALLY,    [](Companion& program) { program.OnKeepLocally(); }},
        {ID_NEW_NOTE,        [](Companion& program) { program.OnNewNote(); }},
        {ID_SHOW_ALL_NOTES,  [](Companion& program) { program.OnShowAllNotes(); }},
        {ID_FIND_NOTE,       [](Companion& program) { program.OpenFind(); }},
        {ID_CONFIGURE,       [](Companion& program) { program.m_options.Open(program.m_mainWindow); }},
    };
    // clang-format on
    for (const Command& command : kCommands) {
        if (command.id == id) {
            command.run(*this);
            return true;
        }
    }
    return false;
}

void Companion::CheckWeather(bool force)
{
    m_model.CheckWeather(force, m_switches.noInternet != 0);
    ShowStoreProblems();
}

// The most recently deleted note or reminder comes back at its old place with
// its text; a reminder whose time has passed alerts at once.
void Companion::OnRestoreDeleted()
{
    if (m_model.RestoreLast(m_model.GetClock().Now()) == ZorlaModel::RestoreResult::Refused)
        ReportError(IDS_WRITE_ERROR, __FILE__, __LINE__);
    ShowStoreProblems();
}

void Companion::OnKeepInFolder()
{
    const std::string folder =
        m_folderPicker ? m_folderPicker()
                       : PickFolder(MainWindow(), Translate("Choose the folder your sync service keeps on "
                                                            "every computer (OneDrive, Dropbox, Nextcloud, ...):"));
    if (folder.empty())
        return;
    m_deskNotes.SavePending();
    m_model.KeepInFolder(folder);
    WatchSyncFolder();
    ShowStoreProblems();
}

void Companion::OnKeepLocally()
{
    m_model.KeepLocally();
    WatchSyncFolder();
}

void Companion::WatchSyncFolder()
{
    const std::string folder = m_model.SyncFolderPath();
    if (folder.empty()) {
        m_syncWatch.Stop();
        KillTimer(TimerSyncCheck);
        return;
    }
    m_syncWatch.Start(m_hWnd, WM_SYNC_CHANGED, folder);
    SetTimer(TimerSyncCheck, kSyncCheckInterval, nullptr);
}

// Typing not yet written is written first, so the merge weighs it against
// what came.
void Companion::CheckSyncFolder()
{
    if (m_model.SyncFolderPath().empty())
        return;
    m_deskNotes.SavePending();
    m_model.CheckSyncFolder();
    ShowStoreProblems();
}

// An empty note at the mouse, in front and ready for typing.
void Companion::OnNewNote()
{
    POINT cursor{};
    ::GetCursorPos(&cursor);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoA(::MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &monitor);
    // Its middle under the mouse, all of it on the mouse's screen.
    const RECT& area = monitor.rcWork;
    const SIZE note = m_deskNotes.Windows().NoteSize(DisplayScale::ForWindow(MainWindow()));
    const int x = std::max<int>(area.left, std::min<int>(cursor.x - note.cx / 2, area.right - note.cx));
    const int y = std::max<int>(area.top, std::min<int>(cursor.y - note.cy / 2, area.bottom - note.cy));
    // Kept as every stored place is: in the system scale's 96-DPI units.
    const POINT stored = StoredPlace::ForScreen(POINT{x, y}, POINT{-1, -1}, DisplayScale::ForSystem());
    CEntry kept;
    if (m_model.AddEmptyNote(stored.x, stored.y, &kept) == ZorlaModel::AddResult::Added)
        m_deskNotes.Windows().Bring(kept.GetKey(), false);
    ShowStoreProblems();
}

// Every note in front of all windows, or back to rest when they are.
void Companion::OnShowAllNotes()
{
    NoteWindowRegistry& windows = m_deskNotes.Windows();
    if (windows.AnyRaised())
        windows.PutBackRaised();
    else
        windows.RaiseAll();
}

std::vector<CEntry> Companion::FindableEntries()
{
    m_deskNotes.SavePending();
    return m_model.StoredEntries();
}

void Companion::OpenFind()
{
    m_findNote.Open(m_mainWindow);
}

// A merge may bring many changes at once: the list is rebuilt once after them.
void Companion::RefreshFind()
{
    if (m_hWnd && m_findNote.IsOpen())
        SetTimer(TimerFindRefresh, 100, nullptr);
}

void Companion::RegisterGlobalKeys()
{
    m_refusedKeys = m_globalKeys.Register(m_hWnd);
    if (!m_refusedKeys.empty())
        ::PostMessageA(m_hWnd, WM_KEYS_REFUSED, 0, 0);
}

void Companion::OnKeysRefused()
{
    const std::vector<GlobalKeys::Refusal> refused = std::move(m_refusedKeys);
    m_refusedKeys.clear();
    for (const GlobalKeys::Refusal& refusal : refused)
        ::MessageBoxW(MainWindow(), Widen(GlobalKeys::Message(refusal)).c_str(), Widen(ProgramTitle).c_str(),
                      MB_OK | MB_ICONINFORMATION);
}

// ---- messages -----------------------------------------------------------------

LRESULT Companion::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A new shell: its desktop takes back the notes that went with the old one.
    if (message == CSystemTray::TaskbarCreatedMessage()) {
        m_deskNotes.OnTaskbarCreated();
        return 0;
    }
    // clang-format off
    switch (message) {
    case WM_TIMER:          return OnTimer(wParam);
    case WM_WEATHER_DONE:   m_weatherFetch.Deliver(wParam); ShowStoreProblems(); return 0;
    case WM_SYNC_CHANGED:   CheckSyncFolder(); return 0;
    case WM_HOTKEY:         RunCommand(m_globalKeys.CommandFor(wParam)); return 0;
    case WM_KEYS_REFUSED:   OnKeysRefused(); return 0;
    case WM_OPEN_NOTES:     if (m_deskNotes.IsOpening()) m_deskNotes.OpenNextSlice(); return 0;
    // Reminders that fell due while the computer slept, or that a new clock or
    // time zone makes due, alert now rather than at the next full minute.
    case WM_POWERBROADCAST: if (m_started && (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND))
                                m_deskNotes.RestartDueCheck();
                            return TRUE;
    case WM_TIMECHANGE:     if (m_started) m_deskNotes.RestartDueCheck(); return 0;
    case WM_MAIL_DONE:      return m_mail ? m_mail->OnMailDone(static_cast<ULONG>(wParam)) : 0;
    case WM_MAIL_PROGRESS:  return m_mail ? m_mail->OnMailProgress(wParam, lParam) : 0;
    default:                break;
    }
    // clang-format on
    return CWnd::WindowProc(message, wParam, lParam);
}

LRESULT Companion::OnTimer(UINT_PTR id)
{
    switch (id) {
    case TimerWeather:
        KillTimer(id);
        CheckWeather(false);
        SetTimer(id, ZorlaModel::kWeatherInterval, nullptr);
        break;
    case TimerSyncCheck: CheckSyncFolder(); break;
    case TimerFindRefresh:
        KillTimer(id);
        m_findNote.Refresh();
        break;
    case TimerLaunchReport:
        KillTimer(id);
        m_launchReport.Send(MainWindow(), m_switches.noInternet != 0);
        break;
    default: m_deskNotes.OnTimer(id); break;
    }
    return 0;
}
