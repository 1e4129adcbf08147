// The note windows' cost: a start of Zorla.exe with 1,000 stored notes and
// 1,000 reminders until every window shows; its memory with 100 and 100 against
// the plain one-window program (startup_floor.cpp); and, in this process, the
// GDI and USER objects of 2,000 note windows and whether they all come back
// when the windows close.
#include "entries/CActionNotes.h"
#include "entries/CActionTimer.h"
#include "framework/CWinApp.h"
#include "model/ZorlaModel.h"
#include "notes/NoteWindowRegistry.h"
#include "resource.h"

#include "BenchFolders.h"
#include "MedianTime.h"

#include <windows.h>

#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

CWinApp benchApp;
using Steady = std::chrono::steady_clock;

// A store file of count entries spread over a 1000 x 700 area; reminders fall
// due in a year, so none alerts during the run.
void WriteStore(const std::string& path, int count, bool reminders)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<DATABASE>";
    for (int i = 1; i <= count; ++i) {
        xml += "<ENTRY _id_=\"" + std::to_string(i) + "\" date=\"12/07/2027 14:00:00\"";
        if (reminders)
            xml += " notify=\"0\"";
        xml += " text=\"Entry " + std::to_string(i) + "_BR_second line\" wndX=\"" +
               std::to_string(10 + (i * 37) % 800) + "\" wndY=\"" + std::to_string(10 + (i * 23) % 500) + "\"/>";
    }
    xml += "</DATABASE>";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return;
    std::fwrite(xml.data(), 1, xml.size(), file);
    std::fclose(file);
}

ULONGLONG FileBytes(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

struct EnumCount {
    DWORD process;
    int shown;
};

BOOL CALLBACK CountNoteWindow(HWND window, LPARAM param)
{
    auto* count = reinterpret_cast<EnumCount*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char title[32] = "";
    if (owner == count->process && IsWindowVisible(window) && GetWindowTextA(window, title, sizeof title) &&
        (std::strncmp(title, "Zorla 1.0NID:", 13) == 0 || std::strncmp(title, "Zorla 1.0TID:", 13) == 0))
        ++count->shown;
    return TRUE;
}

int ShownNotes(DWORD process)
{
    EnumCount count{process, 0};
    EnumWindows(CountNoteWindow, reinterpret_cast<LPARAM>(&count));
    return count.shown;
}

struct Started {
    PROCESS_INFORMATION info{};
    HWND main = nullptr;
    double msUntilAllShown = -1;
};

// Starts the program and waits (at most 60 s) until its window and wanted note
// windows show.
Started Start(const std::string& path, const char* caption, int wanted)
{
    Started started;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string command = "\"" + path + "\"";
    const auto start = Steady::now();
    const auto deadline = start + std::chrono::seconds(60);
    if (!CreateProcessA(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started.info))
        return started;
    while (!started.main && Steady::now() < deadline) {
        HWND candidate = FindWindowA(nullptr, caption);
        DWORD owner = 0;
        GetWindowThreadProcessId(candidate, &owner);
        if (candidate && owner == started.info.dwProcessId && IsWindowVisible(candidate))
            started.main = candidate;
        else
            Sleep(5);
    }
    while (started.main && Steady::now() < deadline) {
        if (ShownNotes(started.info.dwProcessId) >= wanted) {
            started.msUntilAllShown = std::chrono::duration<double, std::milli>(Steady::now() - start).count();
            break;
        }
        Sleep(20);
    }
    // Settled: the program has worked off its start-up messages.
    DWORD_PTR ignored = 0;
    if (started.main)
        SendMessageTimeoutA(started.main, WM_NULL, 0, 0, SMTO_BLOCK, 30000, &ignored);
    return started;
}

void Stop(Started& started, bool closeByCommand)
{
    if (started.main && closeByCommand)
        PostMessageA(started.main, WM_COMMAND, ID_APP_EXIT, 0);
    else if (started.main)
        PostMessageA(started.main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(started.info.hProcess, 60000) == WAIT_TIMEOUT)
        TerminateProcess(started.info.hProcess, 1);
    CloseHandle(started.info.hProcess);
    CloseHandle(started.info.hThread);
}

double PeakMegabytes(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters))
        return -1;
    return counters.PeakPagefileUsage / (1024.0 * 1024.0);
}

void StartWithThousands()
{
    const std::string folder = TempFolder("zorla-notes-bench-");
    const std::string copy = folder + "\\ZorlaNotesBench.exe";
    CopyFileA(BesideThisProgram("Zorla.exe").c_str(), copy.c_str(), FALSE);
    WriteStore(folder + "\\Zorla_Notes", 1000, false);
    WriteStore(folder + "\\Zorla_Timer", 1000, true);
    Started started = Start(copy, "Zorla 1.0", 2000);
    if (started.msUntilAllShown < 0)
        std::printf("1,000 notes and 1,000 reminders: not all windows showed within 60 s (%d shown)\n",
                    ShownNotes(started.info.dwProcessId));
    else
        std::printf("1,000 notes and 1,000 reminders: every window shown %.0f ms after the start (goal < 5000 ms)\n",
                    started.msUntilAllShown);
    std::printf("  peak private memory %.1f MB\n", PeakMegabytes(started.info.hProcess));
    // Another process's handles are known only where GetGuiResources works (not under Wine).
    if (const DWORD gdi = GetGuiResources(started.info.hProcess, GR_GDIOBJECTS))
        std::printf("  GDI objects %lu, USER objects %lu\n", gdi,
                    GetGuiResources(started.info.hProcess, GR_USEROBJECTS));
    Stop(started, true);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Velloran Software\\ZorlaNotesBench");
}

void MemoryAgainstFloor()
{
    const std::string folder = TempFolder("zorla-notes-memory-");
    const std::string copy = folder + "\\ZorlaNotesMemory.exe";
    CopyFileA(BesideThisProgram("Zorla.exe").c_str(), copy.c_str(), FALSE);
    WriteStore(folder + "\\Zorla_Notes", 100, false);
    WriteStore(folder + "\\Zorla_Timer", 100, true);

    Started floor = Start(BesideThisProgram("startup_floor.exe"), "Zorla floor", 0);
    const double floorPeak = PeakMegabytes(floor.info.hProcess);
    Stop(floor, false);
    Started zorla = Start(copy, "Zorla 1.0", 200);
    // Every view once, as a user looking around would.
    for (UINT command : {ID_SHOW_WEATHER, ID_SHOW_NOTE_EDITOR, ID_SHOW_TIMER_EDITOR, ID_SHOW_HOME}) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(zorla.main, WM_COMMAND, command, 0, SMTO_BLOCK, 10000, &ignored);
    }
    const double zorlaPeak = PeakMegabytes(zorla.info.hProcess);
    std::printf("100 notes and 100 reminders: peak private memory %.1f MB, floor program %.1f MB: %.1f MB above "
                "(goal <= 15 MB)\n",
                zorlaPeak, floorPeak, zorlaPeak - floorPeak);
    Stop(zorla, true);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Velloran Software\\ZorlaNotesMemory");
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == GetCurrentProcessId()) {
        ++*reinterpret_cast<int*>(count);
        EnumChildWindows(window, CountWindow, count);
    }
    return TRUE;
}

// Under Wine GetGuiResources reports 0: the windows of this process are counted
// instead, they are its USER objects.
DWORD UserObjects()
{
    if (const DWORD count = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS))
        return count;
    int windows = 0;
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&windows));
    return static_cast<DWORD>(windows);
}

// Under Wine a GDI handle is its table index, its kind (bits 16 to 23) and a
// generation (bits 24 to 31): every combination of the kinds the program makes
// is probed. Slow, and only for a benchmark.
DWORD GdiObjects()
{
    if (const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
        return count;
    // DC, region, surface, palette, bitmap, font, brush, pen, extended pen.
    const unsigned kinds[] = {0x01, 0x04, 0x05, 0x08, 0x09, 0x0a, 0x10, 0x30, 0x50};
    DWORD count = 0;
    for (unsigned index = 0; index < 0x4000; ++index) {
        for (unsigned kind : kinds) {
            for (unsigned generation = 0; generation < 0x100; ++generation) {
                const ULONG_PTR handle = (generation << 24) | (kind << 16) | index;
                if (GetObjectType(reinterpret_cast<HGDIOBJ>(handle))) {
                    ++count;
                    break;
                }
            }
        }
    }
    return count;
}

// The platform's own cost: top-level tool windows with three controls each,
// shown at the bottom, nothing of Zorla's.
void PlatformFloor(int count)
{
    const auto start = Steady::now();
    std::vector<HWND> windows;
    for (int i = 0; i < count; ++i) {
        HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 10 + i % 800, 10 + i % 500, 193, 218,
                                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        for (int child = 0; child < 3; ++child)
            CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10 + child * 20, 100, 15, window, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
        SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        windows.push_back(window);
    }
    std::printf("platform floor: %d plain windows with three controls each shown in %.0f ms\n", count,
                std::chrono::duration<double, std::milli>(Steady::now() - start).count());
    for (HWND window : windows)
        DestroyWindow(window);
}

// In this process: what 2,000 windows hold, and that closing gives it all back.
void HandlesComeBack()
{
    const std::string folder = TempFolder("zorla-notes-handles-");
    WriteStore(folder + "\\Zorla_Notes", 1000, false);
    WriteStore(folder + "\\Zorla_Timer", 1000, true);
    CActionNotes notes(folder);
    CActionTimer timers(folder);
    notes.Load();
    timers.Load();
    HWND main = CreateWindowExA(0, "STATIC", "main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    CWnd mainWindow(main);
    const DWORD gdiBefore = GdiObjects();
    const DWORD userBefore = UserObjects();
    {
        NoteWindowRegistry registry;
        const auto start = Steady::now();
        for (CEntryStore* store : {static_cast<CEntryStore*>(&timers), static_cast<CEntryStore*>(&notes)}) {
            for (CEntry& entry : store->ReadAll())
                registry.Open(entry, &mainWindow);
        }
        const double opening = std::chrono::duration<double, std::milli>(Steady::now() - start).count();
        std::printf("2,000 note windows opened in %.0f ms; they hold %lu GDI and %lu USER objects\n", opening,
                    GdiObjects() - gdiBefore, UserObjects() - userBefore);
        registry.CloseAllKeepingState();
    }
    std::printf("after closing them: GDI objects %lu (before %lu), USER objects %lu (before %lu)\n", GdiObjects(),
                gdiBefore, UserObjects(), userBefore);
    DestroyWindow(main);
}

// What saving as the user writes costs: a keystroke only arms the save timer;
// the timer's save takes the note's text and place into the store and writes
// the whole file atomically (a temporary file, flushed, then swapped in).
void SaveAsYouWrite(int count)
{
    const std::string folder = TempFolder("zorla_bench_typing");
    WriteStore(folder + "\\Zorla_Notes", count, false);
    ZorlaModel model(folder);
    model.Load();
    CActionNotes& notes = model.Notes();
    HWND main = CreateWindowExA(0, "STATIC", "main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    CWnd mainWindow(main);
    {
        NoteWindowRegistry registry;
        registry.SetModel(&model);
        for (CEntry& entry : notes.ReadAll())
            registry.Open(entry, &mainWindow);
        CNoteDlg* note = registry.Find(CEntry(notes.ReadAll().front()).GetKey());
        HWND edit = GetDlgItem(*note, IDC_NOTE_TEXT);
        const double key = MedianMs(41, [&] { SendMessageA(edit, WM_CHAR, 'x', 0); });
        const double save = MedianMs(21, [&] {
            SendMessageA(edit, WM_CHAR, 'y', 0);
            SendMessageA(*note, WM_TIMER, CNoteDlg::TimerSave, 0);
        });
        std::printf("save as you write, %d notes: a keystroke %.2f ms, the save after a burst %.2f ms "
                    "(file of %lu KB)\n",
                    count, key, save, static_cast<unsigned long>(FileBytes(notes.GetPath()) / 1024));
        registry.CloseAllKeepingState();
    }
    DestroyWindow(main);
}

}  // namespace

int main()
{
    SaveAsYouWrite(100);
    SaveAsYouWrite(1000);
    PlatformFloor(2000);
    HandlesComeBack();
    StartWithThousands();
    MemoryAgainstFloor();
    return 0;
}
