#include "net/CLaunchReport.h"

#include "base/StoredNames.h"
#include "framework/ProfileSettings.h"

using stored::kAppSection;
using stored::kLaunchCount;

CLaunchReport::CLaunchReport(CHttpDownloader& client, std::string siteRoot)
    : m_client(client)
    , m_siteRoot(std::move(siteRoot))
{}

bool CLaunchReport::Send(HWND mainWindow, bool noInternet)
{
    if (noInternet)
        return false;
    const int launches = ProfileSettings().GetInt(kAppSection, kLaunchCount, 0);
    if (launches <= 9)
        return false;
    // The context is the window handle, not an object of ours: the callback may
    // come after the main window and everything it owned are gone.
    return m_client.StartDownload(m_siteRoot + "?LC=" + std::to_string(launches), &CLaunchReport::OnDone, mainWindow);
}

void CLaunchReport::OnDone(const std::string&, BYTE failed, void* context)
{
    const HWND mainWindow = static_cast<HWND>(context);
    if (failed || !mainWindow || !::IsWindow(mainWindow))
        return;
    ProfileSettings().WriteInt(kAppSection, kLaunchCount, 0);
}
