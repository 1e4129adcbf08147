#include "framework/AfxFunctions.h"

#include "framework/ProgramPath.h"

#include <ole2.h>

namespace {

// OLE initialisation is per thread; count the successful ones to undo.
thread_local int t_oleInitCount = 0;

}  // namespace

std::string AfxGetModuleBaseName()
{
    std::string name = ProgramPath();
    const size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}

HINSTANCE AfxGetResourceHandle()
{
    return ::GetModuleHandleA(nullptr);
}

BOOL AfxOleInit()
{
    if (FAILED(::OleInitialize(nullptr)))
        return FALSE;
    ++t_oleInitCount;
    return TRUE;
}

void AfxOleTerm(BOOL justRevoke)
{
    if (justRevoke || t_oleInitCount == 0)
        return;
    --t_oleInitCount;
    ::OleUninitialize();
}
