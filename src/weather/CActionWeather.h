#pragma once

#include "store/CAction.h"
#include "net/CHttpDownloader.h"
#include "shared/PrivateMessages.h"
#include "weather/WeatherView.h"

#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

// The weather store ("Zorla_Weather"): decides when the weather is due, fetches
// the feed from the weather server and keeps the last good document.
//
// The download and the parse run on the HTTP client's worker thread; the worker
// never touches the document, the registry or any window. It leaves its outcome
// in a locked slot and posts WM_WEATHER_DONE to the main window, whose handler
// calls OnWorkerMessage: the document is swapped, saved and stamped there, on
// the user-interface thread that also reads it.
class CActionWeather : public CAction {
public:
    static const char* const SECTION;        // registry section of the settings below
    static const char* const DEFAULT_STAMP;  // "szLastUpdate" before the first update

    CActionWeather();
    // The store file lives in folder. For tests and tools.
    explicit CActionWeather(const std::string& folder);
    // Destroys the HTTP client first, which ends a running download without a
    // callback.
    ~CActionWeather() override;

    // Set by the owner right after construction.
    void SetView(WeatherView* view) { m_view = view; }
    // The feed's address; the build's weather host unless a test points it elsewhere.
    void SetWeatherUrlForTest(const std::string& url) { m_url = url; }
    const std::string& GetWeatherUrl() const { return m_url; }

    // The schedule step: timer 12 (force false), the update command and hot spot
    // (force true).
    void CheckWeather(bool force);
    bool IsUpdateDue() const;
    // Starts a download unless one is running, or unless the user forbids the
    // internet and force is false.
    void StartUpdate(bool force);
    bool IsUpdateInProgress() const { return m_inProgress; }

    // The client's completion callback; runs on its worker thread.
    static void OnDownloadDone(const std::string& url, BYTE failed, void* context);
    // The main window's handler of WM_WEATHER_DONE (user-interface thread).
    void OnWorkerMessage(WPARAM wParam, LPARAM lParam);

    // Takes text as the new document when it parses. When it does not, the
    // previous document and its display stay, the status line says why, and the
    // result is false. User-interface thread.
    bool ParseWeatherText(const std::string& text);
    // Asks the view to rebuild its city list and weather text.
    void RequestDisplayRefresh();

    // Parses a feed; null with the reason in error when it is not a document.
    // Safe on any thread.
    static std::unique_ptr<util::xml::XmlElement> ParseFeed(const std::string& text, std::string& error);

protected:
    void OnDocumentChanged() override;

private:
    // What the worker hands over.
    struct Outcome {
        bool failed = false;
        std::string error;  // the client's error text, or why the feed did not parse
        std::unique_ptr<util::xml::XmlElement> document;
    };

    void Init();
    void HandOver(const std::string& url, BYTE failed);
    bool AcceptDocument(std::unique_ptr<util::xml::XmlElement> document, const std::string& error);
    void ShowStatus(const std::string& text, bool transient);
    void StampLastUpdate();

    WeatherView* m_view = nullptr;
    std::string m_url;
    bool m_firstCheck = true;
    // Set and normally cleared on the user-interface thread; the worker clears it
    // only when it cannot post its outcome.
    std::atomic<bool> m_inProgress{false};
    // Where the worker posts; taken on the user-interface thread when a download starts.
    std::atomic<HWND> m_notifyWindow{nullptr};
    std::mutex m_outcomeLock;
    std::unique_ptr<Outcome> m_outcome;  // guarded by m_outcomeLock

    // Last, so it is destroyed first: a callback still running is waited for
    // while everything above is alive.
    CHttpDownloader m_http;
};
