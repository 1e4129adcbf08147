#include "app/CZorlaApp.h"

#include "app/ErrorReport.h"
#include "app/ProgramTitle.h"
#include "framework/ExceptionReport.h"
#include "app/Translator.h"
#include "mainwnd/CZorlaDlg.h"

#include <commctrl.h>

#include <cstdio>
#include <ctime>
#include <cstdlib>

namespace {

void ReportCaughtException(const char* file, int line)
{
    ReportUnknownError(file, line);
}

}  // namespace

CZorlaApp::CZorlaApp()
{
    AppFont::SetShared(&m_font);
    AfxSetExceptionReporter(ReportCaughtException);
}

CZorlaApp::~CZorlaApp()
{
    AppFont::SetShared(nullptr);
}

BOOL CZorlaApp::InitInstance()
{
    InitCommonControls();
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    SetRegistryKey("Velloran Software");
    InstanceGuard::Init();
    {
        // Constructed before the instance check: it fills the translation table
        // that the "already running" message needs.
        CZorlaDlg dlg;
        if (!IsFirstInstance()) {
            ShowAlreadyRunning();
        } else {
            CWinApp::InitInstance();
            m_font.SetFaceName("Georgia");
            m_font.SetHeight(-12);
            m_font.SetItalic(true);
            CountLaunch();
            m_pMainWnd = &dlg;
            dlg.DoModal();
            m_pMainWnd = nullptr;
        }
    }
    return FALSE;
}

int CZorlaApp::ExitInstance()
{
    AfxOleTerm(FALSE);
    m_oleInitialised = FALSE;
    return CWinApp::ExitInstance();
}

void CZorlaApp::ShowAlreadyRunning()
{
    char text[512];
    std::snprintf(text, sizeof text, Translate("%s already running on this machine.").c_str(), ProgramTitle);
    MessageBoxA(GetDesktopWindow(), text, Translate("Warning").c_str(), MB_OK | MB_ICONINFORMATION);
}

void CZorlaApp::CountLaunch()
{
    const int launches = static_cast<int>(GetProfileInt("CZorlaApp", "LC", 0));
    WriteProfileInt("CZorlaApp", "LC", launches + 1);
}
