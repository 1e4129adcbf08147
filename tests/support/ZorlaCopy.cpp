#include "support/ZorlaCopy.h"

#include "resource.h"
#include "support/TestRegistry.h"

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
