// The main window's speed: one view change (decode a 440 x 444 picture, apply the
// view's region, repaint) and a whole start of Zorla.exe up to its first paint.
#include "entries/CDataFolder.h"
#include "framework/CWinApp.h"
#include "mainwnd/CZorlaDlg.h"
#include "resource.h"

#include "MedianTime.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {


CWinApp benchApp;

std::string TempFolder(const char* name)
{
    char base[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, base);
    const std::string folder = std::string(base) + name + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void ViewChange()
{
    CDataFolder::SetForTest(TempFolder("zorla-view-bench-"));
    CZorlaDlg dlg;
    dlg.Create(IDD_ZORLA_DIALOG);
    ShowWindow(dlg.m_hWnd, SW_SHOWNOACTIVATE);
    bool weather = false;
    const double median = MedianMs(41, [&] {
        weather = !weather;
        if (weather)
            dlg.GoWeather();
        else
            dlg.GoHome();
    });
    std::printf("view change (decode, region, repaint): median %.2f ms over 41 runs\n", median);
    dlg.DestroyWindow();
}

// Time from CreateProcess until the main window exists, is shown and has worked
// off its first messages (its first paint among them).
void StartUp()
{
    char exe[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string folder = exe;
    folder = folder.substr(0, folder.rfind('\\'));
    const std::string copyFolder = TempFolder("zorla-start-bench-");
    const std::string copy = copyFolder + "\\ZorlaBench.exe";
    CopyFileA((folder + "\\Zorla.exe").c_str(), copy.c_str(), FALSE);

    const double median = MedianMs(7, [&] {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        std::string command = "\"" + copy + "\"";
        if (!CreateProcessA(copy.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
            return;
        HWND main = nullptr;
        for (int i = 0; i < 2000 && !main; ++i) {
            HWND candidate = FindWindowA(nullptr, "Zorla 1.0");
            DWORD owner = 0;
            GetWindowThreadProcessId(candidate, &owner);
            if (candidate && owner == info.dwProcessId && IsWindowVisible(candidate))
                main = candidate;
            else
                Sleep(1);
        }
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &ignored);
        PostMessageA(main, WM_COMMAND, ID_APP_EXIT, 0);
        WaitForSingleObject(info.hProcess, 20000);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    });
    std::printf("start-up to first paint (process start included): median %.0f ms over 7 runs\n", median);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Velloran Software\\ZorlaBench");
}

}  // namespace

int main()
{
    ViewChange();
    StartUp();
    return 0;
}
