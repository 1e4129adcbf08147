#include "support/ZorlaCopy.h"

#include "resource.h"
#include "support/TestRegistry.h"

#include <cstdio>

const char kMainTitle[] = "Zorla 1.0";

ZorlaCopy::ZorlaCopy(const std::string& name)
    : m_name(name)
{
    TestRegistry::DeleteApp(m_name);
    CopyFileA((ModuleFolder() + "\\Zorla.exe").c_str(), Exe().c_str(), FALSE);
}

ZorlaCopy::~ZorlaCopy()
{
    TestRegistry::DeleteApp(m_name);
}

std::unique_ptr<TestProcess> ZorlaCopy::Start() const
{
    auto process = std::make_unique<TestProcess>();
    if (!process->Start(Exe()))
        return nullptr;
    return process;
}

HWND ZorlaCopy::StartAndWait(std::unique_ptr<TestProcess>& process) const
{
    process = Start();
    if (!process)
        return nullptr;
    return WaitForProcessWindow(process->Id(), kMainTitle, 20000);
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
