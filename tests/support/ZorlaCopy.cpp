#include "support/ZorlaCopy.h"

#include "resource.h"
#include "framework/Utf8.h"
#include "support/TestRegistry.h"

#include <cstdio>

const char kMainTitle[] = "Zorla 1.0";

ZorlaCopy::ZorlaCopy(const std::string& name, const std::string& folderSuffix)
    : m_name(name)
    , m_folder(folderSuffix)
{
    TestRegistry::DeleteApp(m_name);
    CopyIn();
}

void ZorlaCopy::CopyIn() const
{
    CopyFileW(Widen(ModuleFolder() + "\\Zorla.exe").c_str(), Widen(Exe()).c_str(), FALSE);
}

ZorlaCopy::~ZorlaCopy()
{
    TestRegistry::DeleteApp(m_name);
}

std::unique_ptr<TestProcess> ZorlaCopy::Start(const std::vector<std::string>& environment) const
{
    auto process = std::make_unique<TestProcess>();
    if (!process->Start(Exe(), "", environment))
        return nullptr;
    return process;
}

HWND ZorlaCopy::StartAndWait(std::unique_ptr<TestProcess>& process, const std::vector<std::string>& environment) const
{
    // A start that fails, or a process that ends before it shows any window,
    // is tried once more: under Wine a start now and then fails at once,
    // before the program runs. A program that really cannot start fails the
    // second time as well.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (attempt > 0) {
            Sleep(500);
            CopyIn();
        }
        process = Start(environment);
        if (!process)
            continue;
        if (HWND window = WaitForProcessWindow(process->Id(), kMainTitle, 20000))
            return window;
        if (process->Running())
            return nullptr;
    }
    return nullptr;
}

bool ZorlaCopy::Exit(HWND mainWindow, TestProcess& process)
{
    PostMessageA(mainWindow, WM_COMMAND, ID_APP_EXIT, 0);
    return process.WaitExit(20000);
}

std::string ZorlaCopy::StampOfNow()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%02d/%02d/%04d %02d:%02d:%02d", now.wMonth, now.wDay, now.wYear, now.wHour,
                  now.wMinute, now.wSecond);
    return stamp;
}

std::string ZorlaCopy::MinuteOfNow()
{
    return StampOfNow().substr(0, 17) + "00";
}

bool ZorlaCopy::WaitUntilCitiesShown(HWND mainWindow, int count)
{
    return WaitUntil(
        [&] {
            HWND cities = GetDlgItem(mainWindow, IDC_CITY_LIST);
            DWORD_PTR shown = 0;
            return cities && SendMessageTimeoutA(cities, CB_GETCOUNT, 0, 0, SMTO_BLOCK, 5000, &shown) &&
                   static_cast<int>(shown) == count;
        },
        20000);
}
