#include "app/InstanceGuard.h"

#include "framework/CWinApp.h"

void InstanceGuard::Init()
{
    m_oleInitialised = AfxOleInit();
    if (m_instanceName.empty())
        m_instanceName = AfxGetApp()->m_pszAppName;
}

bool InstanceGuard::IsFirstInstance(const char* suffix)
{
    std::string name = m_instanceName + "Prevent";
    if (suffix)
        name += suffix;
    HANDLE mutex = CreateMutexA(nullptr, TRUE, name.c_str());
    const DWORD error = GetLastError();
    if (mutex)
        ReleaseMutex(mutex);
    // The handle is deliberately never closed: the open handle is what keeps the
    // name taken for as long as this process runs.
    return error != ERROR_ALREADY_EXISTS;
}
