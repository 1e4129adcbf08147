#pragma once

#include "net/CHttpDownloader.h"
#include "shared/WebAddresses.h"

#include <windows.h>

#include <string>

// Tells the maker's web site how often the program was started, once the count
// in "LC" has passed 9, and starts counting again when the site has been reached.
// Run by the main window's timer 18; the user sees nothing of it either way.
class CLaunchReport {
public:
    // client is the main window's; siteRoot is the maker's web site root, which
    // tests point at a local server.
    explicit CLaunchReport(CHttpDownloader& client, std::string siteRoot = ZORLA_MAKER_URL);

    // Requests "<site root>?LC=<count>" unless the count is 9 or less or the user
    // forbids the internet. True when a request was started.
    bool Send(HWND mainWindow, bool noInternet);

    // The completion callback (worker thread); context is the main window's handle.
    static void OnDone(const std::string& url, BYTE failed, void* context);

private:
    CHttpDownloader& m_client;
    std::string m_siteRoot;
};
