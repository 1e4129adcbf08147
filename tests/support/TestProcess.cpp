#include "support/TestProcess.h"

#include "framework/Utf8.h"

#include <shellapi.h>

#include <cstdio>
#include <vector>

TestProcess::~TestProcess()
{
    if (Running())
        Kill();
    if (m_info.hProcess)
        CloseHandle(m_info.hProcess);
    if (m_info.hThread)
        CloseHandle(m_info.hThread);
}

bool TestProcess::Start(const std::string& exe, const std::string& arguments,
                        const std::vector<std::string>& environment)
{
    std::string command = "\"" + exe + "\"";
    if (!arguments.empty())
        command += " " + arguments;
    std::wstring buffer = Widen(command);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    // The child inherits this process's environment: the entries hold for its start only.
    const auto set = [&](bool on) {
        for (const std::string& entry : environment)
            SetEnvironmentVariableW(Widen(entry.substr(0, entry.find('='))).c_str(),
                                    on ? Widen(entry.substr(entry.find('=') + 1)).c_str() : nullptr);
    };
    set(true);
    const bool started = CreateProcessW(Widen(exe).c_str(), &buffer[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                        &startup, &m_info) != FALSE;
    set(false);
    return started;
}

bool TestProcess::WaitExit(DWORD ms, DWORD* code)
{
    if (!m_info.hProcess || WaitForSingleObject(m_info.hProcess, ms) != WAIT_OBJECT_0)
        return false;
    if (code)
        GetExitCodeProcess(m_info.hProcess, code);
    return true;
}

void TestProcess::Kill()
{
    if (m_info.hProcess) {
        TerminateProcess(m_info.hProcess, 99);
        WaitForSingleObject(m_info.hProcess, 5000);
    }
}

bool TestProcess::Running() const
{
    return m_info.hProcess && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

namespace {

struct WindowQuery {
    DWORD processId;
    const char* title;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param)
{
    auto* query = reinterpret_cast<WindowQuery*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != query->processId)
        return TRUE;
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    if (std::string(text) != query->title)
        return TRUE;
    if (query->className) {
        char name[256] = "";
        GetClassNameA(window, name, sizeof name);
        if (std::string(name) != query->className)
            return TRUE;
    }
    query->found = window;
    return FALSE;
}

}  // namespace

HWND WaitForProcessWindow(DWORD processId, const char* title, DWORD ms, const char* className)
{
    WindowQuery query{processId, title, className, nullptr};
    WaitUntil(
        [&] {
            EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
            return query.found != nullptr;
        },
        ms);
    return query.found;
}

namespace {

struct DialogQuery {
    DWORD process;
    int control;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM param)
{
    auto* query = reinterpret_cast<DialogQuery*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == query->process && IsWindowVisible(window) && GetDlgItem(window, query->control)) {
        query->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND WaitForProcessDialog(DWORD processId, int controlId, DWORD ms)
{
    DialogQuery query{processId, controlId, nullptr};
    WaitUntil(
        [&] {
            EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&query));
            return query.found != nullptr;
        },
        ms);
    return query.found;
}

const char kNonAnsiName[] = "app-\u0416\u043e\u0440\u0430 \u0141\u00f3d\u017a \u65e5\u672c";

std::string ModuleFolder()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\'));
}

TempFolder::TempFolder(const std::string& suffix)
{
    wchar_t base[MAX_PATH + 1] = L"";
    GetTempPathW(MAX_PATH + 1, base);
    static unsigned counter = 0;
    char name[64];
    std::snprintf(name, sizeof name, "zorla-test-%lu-%u", GetCurrentProcessId(), ++counter);
    m_path = Narrow(base) + name + (suffix.empty() ? "" : " " + suffix);
    CreateDirectoryW(Widen(m_path).c_str(), nullptr);
}

TempFolder::~TempFolder()
{
    RemoveFolderTree(m_path);
}

void RemoveFolderTree(const std::string& folder)
{
    // SHFileOperation wants a double-terminated list.
    std::wstring from = Widen(folder);
    from.push_back(L'\0');
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationW(&op);
}

void PumpMessages(DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < ms);
}
