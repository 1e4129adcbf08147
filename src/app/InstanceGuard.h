#pragma once

#include <string>

#include <windows.h>

// One running instance per executable name and user: a named mutex that stays
// open until the process ends.
class InstanceGuard {
public:
    // Initialises OLE and takes the application name as instance name when none
    // was set.
    void Init();

    // False exactly when another process already holds the mutex
    // <instance name>Prevent<suffix>.
    bool IsFirstInstance(const char* suffix = nullptr);

    void SetInstanceName(const std::string& name) { m_instanceName = name; }
    const std::string& GetInstanceName() const { return m_instanceName; }

protected:
    std::string m_instanceName;
    BOOL m_oleInitialised = FALSE;
};
