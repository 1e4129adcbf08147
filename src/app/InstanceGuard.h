#pragma once

#include "framework/Handles.h"

#include <string>

#include <windows.h>

// One running instance per executable name and user: a named mutex that the
// guard keeps open while it lives (the application object lives as long as the
// process), because the open handle is what keeps the name taken.
class InstanceGuard {
public:
    // Takes the application name as instance name when none was set.
    void Init();
    // Initialises OLE for the rest of the run, once.
    void InitOle();

    // False exactly when another process (or guard) already holds the mutex
    // <instance name>Prevent<suffix>. When true the guard holds that name, in
    // place of any name it held before.
    bool IsFirstInstance(const char* suffix = nullptr);

    void SetInstanceName(const std::string& name) { m_instanceName = name; }
    const std::string& GetInstanceName() const { return m_instanceName; }

protected:
    std::string m_instanceName;
    BOOL m_oleInitialised = FALSE;

private:
    KernelHandle m_mutex;
};
