#include "weather/CActionWeather.h"

#include "shared/Translator.h"
#include "framework/COleDateTime.h"
#include "framework/CWinApp.h"
#include "xml/XML2_Exception.h"
#include "xml/XmlParser.h"

#include <cmath>
#include <cstring>
#include <exception>
#include <vector>

using util::xml::XmlElement;

namespace {

const char* const AGENT = "User-Agent: Velloran Software/1.0 (" ZORLA_MAKER_HOST ")";
const char* const USER_NAME = "zorla";
const char* const PASSWORD = "$1$40213867$q";
const char* const STAMP_FORMAT = "%m/%d/%Y %H:%M:%S";
const LCID US_ENGLISH = 1033;

}  // namespace

const char* const CActionWeather::SECTION = "CActionWeather";
const char* const CActionWeather::DEFAULT_STAMP = "1/25/1996 8:30:00";

CActionWeather::CActionWeather()
    : CAction("Weather")
    , m_http(AGENT)
{
    Init();
}

CActionWeather::CActionWeather(const std::string& folder)
    : CAction("Weather", folder)
    , m_http(AGENT)
{
    Init();
}

void CActionWeather::Init()
{
    m_url = "http://" ZORLA_WEATHER_HOST "/myPHP/generate_zorla_Klimbim_info.php.xml";
    m_http.m_userName = USER_NAME;
    m_http.m_password = PASSWORD;
}

CActionWeather::~CActionWeather() = default;

void CActionWeather::CheckWeather(bool force)
{
    if (m_firstCheck) {
        m_firstCheck = false;
        RequestDisplayRefresh();
    }
    if (!force && !IsUpdateDue()) {
        if (Load())
            RequestDisplayRefresh();
        else
            StartUpdate(false);
        return;
    }
    StartUpdate(force);
}

bool CActionWeather::IsUpdateDue() const
{
    CWinApp* app = AfxGetApp();
    const std::string stamp = app ? app->GetProfileString(SECTION, "szLastUpdate", DEFAULT_STAMP) : DEFAULT_STAMP;
    COleDateTime last;
    // A stamp that is no date counts as the start of the date scale: due.
    if (!last.ParseDateTime(stamp.c_str(), 0, US_ENGLISH))
        last = COleDateTime(DATE(0.0));
    const double days = (COleDateTime::GetCurrentTime() - last).m_span;
    // A stamp in the future comes from a clock that was set back (or from the end
    // of daylight saving time); waiting for the clock to catch up could stop the
    // weather for years.
    if (days < 0)
        return true;
    const double halfSecond = 0.5 / 86400.0;
    const double minutes = std::trunc((days + halfSecond) * 1440.0);
    const int interval = app ? static_cast<int>(app->GetProfileInt(SECTION, "iUpdateIntervalPictures", 15)) : 15;
    return minutes >= interval;
}

void CActionWeather::StartUpdate(bool force)
{
    // No window means nobody could take the outcome.
    if (m_inProgress || !m_view || !m_view->Window())
        return;
    if (!force && m_view->IsInternetForbidden())
        return;
    m_inProgress = true;
    m_notifyWindow = m_view->Window();
    ShowStatus(Translate("Weather update - contacting server..."), false);
    if (!m_http.StartDownload(m_url, &CActionWeather::OnDownloadDone, this))
        m_inProgress = false;
}

void CActionWeather::OnDownloadDone(const std::string& url, BYTE failed, void* context)
{
    auto* self = static_cast<CActionWeather*>(context);
    try {
        self->HandOver(url, failed);
    } catch (...) {
        // Out of memory while taking the body: nothing to hand over, and the next
        // check may try again.
        std::lock_guard<std::mutex> lock(self->m_outcomeLock);
        self->m_outcome.reset();
        self->m_inProgress = false;
    }
}

void CActionWeather::HandOver(const std::string& url, BYTE failed)
{
    // The program is ending; the flag stays set so nothing new starts.
    const HWND window = m_notifyWindow;
    if (!window || !::IsWindow(window))
        return;

    std::vector<char> bytes;
    m_http.GetDownloadedData(url, bytes);
    // Readers take the text up to the first zero byte. A feed in UTF-16 is full
    // of zero bytes; it begins with its byte order mark and is taken whole, but
    // for the one zero byte the client puts after every body.
    const bool utf16 =
        bytes.size() >= 2 && ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF'));
    const std::size_t length =
        utf16 ? bytes.size() & ~std::size_t{1} : (bytes.empty() ? 0 : strnlen(bytes.data(), bytes.size()));
    const std::string text(bytes.data(), length);

    auto outcome = std::make_unique<Outcome>();
    outcome->failed = failed != 0;
    if (outcome->failed)
        outcome->error = text;
    else
        outcome->document = ParseFeed(text, outcome->error);
    {
        std::lock_guard<std::mutex> lock(m_outcomeLock);
        m_outcome = std::move(outcome);
    }
    if (!::PostMessageA(window, WM_WEATHER_DONE, 0, reinterpret_cast<LPARAM>(this))) {
        std::lock_guard<std::mutex> lock(m_outcomeLock);
        m_outcome.reset();
        m_inProgress = false;
    }
}

void CActionWeather::OnWorkerMessage(WPARAM, LPARAM lParam)
{
    if (lParam != reinterpret_cast<LPARAM>(this))
        return;
    std::unique_ptr<Outcome> outcome;
    {
        std::lock_guard<std::mutex> lock(m_outcomeLock);
        outcome = std::move(m_outcome);
    }
    if (!outcome)
        return;
    if (outcome->failed) {
        ShowStatus("Error: " + outcome->error, true);
    } else if (AcceptDocument(std::move(outcome->document), outcome->error)) {
        RequestDisplayRefresh();
        Save();
        StampLastUpdate();
    }
    m_inProgress = false;
}

bool CActionWeather::ParseWeatherText(const std::string& text)
{
    std::string error;
    std::unique_ptr<XmlElement> document = ParseFeed(text, error);
    return AcceptDocument(std::move(document), error);
}

std::unique_ptr<XmlElement> CActionWeather::ParseFeed(const std::string& text, std::string& error)
{
    try {
        util::xml::XmlParser parser;
        std::unique_ptr<XmlElement> root = parser.parseBuffer(text.data(), text.size());
        if (root)
            return root;
        error = "no element found";
    } catch (const util::xml::XML2_Exception& e) {
        error = e.what();
    } catch (const std::exception& e) {
        error = e.what();
    }
    return nullptr;
}

bool CActionWeather::AcceptDocument(std::unique_ptr<XmlElement> document, const std::string& error)
{
    // The previous document stays: the display keeps showing good weather rather
    // than nothing, and the next check tries again.
    if (!document) {
        ShowStatus("Error: " + error, true);
        return false;
    }
    SetDocument(std::move(document));
    ShowStatus("OK !", true);
    RequestDisplayRefresh();
    return true;
}

void CActionWeather::RequestDisplayRefresh()
{
    if (m_view)
        m_view->RequestDisplayRefresh();
}

void CActionWeather::OnDocumentChanged()
{
    if (m_view)
        m_view->OnWeatherDocumentChanged();
}

void CActionWeather::ShowStatus(const std::string& text, bool transient)
{
    if (m_view)
        m_view->ShowStatus(text, transient);
}

void CActionWeather::StampLastUpdate()
{
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileString(SECTION, "szLastUpdate", COleDateTime::GetCurrentTime().Format(STAMP_FORMAT).c_str());
}
