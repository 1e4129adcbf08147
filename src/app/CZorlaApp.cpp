#include "app/CZorlaApp.h"

#include "base/StoredNames.h"
#include "shared/WindowsContext.h"

#include "framework/CWnd.h"
#include "shared/CDataFolder.h"
#include "shared/Leftovers.h"
#include "framework/AfxFunctions.h"
#include "framework/ExceptionReport.h"
#include "app/Companion.h"
#include "mainwnd/CZorlaDlg.h"
#include "shared/AppTranslator.h"
#include "shared/ErrorReport.h"
#include "base/ProgramTitle.h"
#include "shared/Translator.h"

#include <cstdio>
#include <ctime>
#include <cstdlib>

namespace {

void ReportCaughtException(const char* file, int line)
{
    ReportUnknownError(file, line);
}

}  // namespace

// The program's own font is the shared one from the start; its face is set
// once the instance is known to be the only one.
CZorlaApp::CZorlaApp()
{
    m_ui.Install();
    m_ui.OwnFont();
    AfxSetExceptionReporter(ReportCaughtException);
}

CZorlaApp::~CZorlaApp() = default;

// The common controls are initialised by the main window when it makes its
// controls, after its first paint: loading their library is the largest part
// of a start that waits for it.
BOOL CZorlaApp::InitInstance()
{
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    SetRegistryKey(stored::kRegistryCompany);
    InstanceGuard::Init();
    FillTranslationTable(GetTranslator());
    // A refused second instance must not touch what the running one owns: the
    // main window (its pictures, its internet session, the data files) is only
    // built once the instance check has passed.
    if (!IsFirstInstance()) {
        ShowAlreadyRunning();
        return FALSE;
    }
    // Alone now: no save or packing of another run can still be going on, so
    // its temporaries are what a kill cut off.
    WindowsContext context;
    const AppContext handedDown = context.Get();
    Leftovers::Remove(handedDown.dataFolder, CDataFolder::TemporaryFolder(), AfxGetModuleBaseName() + ".zip");
    CWinApp::InitInstance();
    AppFont& font = m_ui.OwnFont();
    font.SetFaceName("Georgia");
    font.SetHeight(-12);
    font.SetItalic(true);
    CountLaunch();
    // Registered before any window exists, so none can miss a new taskbar.
    CSystemTray::TaskbarCreatedMessage();
    {
        Companion companion(handedDown);
        CZorlaDlg dlg(companion);
        // Nothing before the first paint needs OLE, and its library is loaded
        // only with it.
        dlg.SetAfterFirstPaint([this] { InitOle(); });
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
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
    MessageBoxString(GetDesktopWindow(), text, Translate("Warning"), MB_OK | MB_ICONINFORMATION);
}

void CZorlaApp::CountLaunch()
{
    const int launches = static_cast<int>(GetProfileInt(stored::kAppSection, stored::kLaunchCount, 0));
    WriteProfileInt(stored::kAppSection, stored::kLaunchCount, launches + 1);
}
