#include "framework/AfxFunctions.h"

#include "framework/CWinApp.h"
#include "framework/CWnd.h"
#include "framework/ProgramPath.h"

#include <ole2.h>

namespace {

// OLE initialisation is per thread; count the successful ones to undo.
thread_local int t_oleInitCount = 0;

}  // namespace

CWnd* AfxGetMainWnd()
{
    CWinApp* app = AfxGetApp();
    return app ? app->m_pMainWnd : nullptr;
}

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

int AfxMessageBox(const char* text, UINT type, UINT /*helpId: there is no help file*/)
{
    HWND owner = ::GetActiveWindow();
    if (!owner) {
        CWnd* mainWnd = AfxGetMainWnd();
        if (mainWnd && ::IsWindow(mainWnd->GetSafeHwnd()))
            owner = mainWnd->GetSafeHwnd();
    }
    CWinApp* app = AfxGetApp();
    const std::string caption = app ? app->m_pszAppName : AfxGetModuleBaseName();
    return MessageBoxString(owner, text ? text : "", caption, type);
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
