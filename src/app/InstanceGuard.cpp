#include "app/InstanceGuard.h"

#include "framework/AfxFunctions.h"
#include "framework/Utf8.h"

#include <utility>

void InstanceGuard::Init()
{
    if (m_instanceName.empty())
        m_instanceName = AfxGetAppName();
}

void InstanceGuard::InitOle()
{
    if (!m_oleInitialised)
        m_oleInitialised = AfxOleInit();
}

bool InstanceGuard::IsFirstInstance(const char* suffix)
{
    std::string name = m_instanceName + "Prevent";
    if (suffix)
        name += suffix;
    // Wide, like the installer's look-up: a copy named in other scripts gets a
    // name of its own rather than question marks it might share.
    KernelHandle mutex(CreateMutexW(nullptr, TRUE, Widen(name).c_str()));
    const DWORD error = GetLastError();
    if (mutex)
        ReleaseMutex(mutex.get());
    const bool first = error != ERROR_ALREADY_EXISTS;
    // A handle to somebody else's mutex is closed here; our own stays open.
    if (first && mutex)
        m_mutex = std::move(mutex);
    return first;
}
