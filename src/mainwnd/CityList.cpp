#include "mainwnd/CityList.h"

#include "framework/Utf8.h"
#include "shared/CTranslator.h"
#include "shared/LocalTime.h"
#include "shared/Translator.h"
#include "weather/ForecastText.h"
#include "weather/WeatherChain.h"

#include <algorithm>

namespace {

const char* const DEGREES = " °C";

std::string ItemText(HWND combo, int index)
{
    const LRESULT length = ::SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR)
        return std::string();
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
    if (::SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data())) == CB_ERR)
        return std::string();
    return Narrow(text.data());
}

// The user's own measure: US units where the locale says so.
bool MeasuresInUsUnits()
{
    wchar_t system[4] = L"";
    return ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, system, 4) > 0 && system[0] == L'1';
}

}  // namespace

std::optional<std::string> CityList::Fill(HWND combo, const std::vector<std::string>& chosen,
                                          const std::vector<WeatherRecord>& records, std::string& selection)
{
    std::vector<std::wstring> brand;
    for (const WeatherRecord& record : records)
        brand.push_back(Widen(record.city));
    // As a sorted list box orders its items.
    std::stable_sort(brand.begin(), brand.end(), [](const std::wstring& a, const std::wstring& b) {
        return ::lstrcmpiW(a.c_str(), b.c_str()) < 0;
    });
    std::vector<std::wstring> items;
    for (const std::string& place : chosen)
        items.push_back(Widen(place));
    for (std::wstring& city : brand)
        if (std::find(items.begin(), items.begin() + chosen.size(), city) == items.begin() + chosen.size())
            items.push_back(std::move(city));

    ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& item : items)
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    const std::wstring wanted = Widen(selection);
    const LRESULT found =
        ::SendMessageW(combo, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wanted.c_str()));
    if (found == CB_ERR) {
        ::SetWindowTextW(combo, wanted.c_str());
        return std::nullopt;
    }
    ::SendMessageA(combo, CB_SETCURSEL, found, 0);
    return OnSelChange(combo, records, selection);
}

std::string CityList::OnSelChange(HWND combo, const std::vector<WeatherRecord>& records, std::string& selection)
{
    const LRESULT index = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return std::string();
    selection = ItemText(combo, static_cast<int>(index));
    return WeatherText(FindCity(records, selection));
}

std::string CityList::WeatherText(const WeatherRecord* record)
{
    std::string text;
    if (!record)
        return text;
    if (record->condition)
        text += *record->condition + ", ";
    if (record->clouds)
        text += *record->clouds;
    if (record->temperature)
        text += " " + *record->temperature + DEGREES;
    if (record->feelsLike)
        text += Translate("\nFeels like: ") + *record->feelsLike + DEGREES;
    // Wind speed alone says nothing without the wind's direction.
    if (record->wind) {
        text += "\nWind: " + *record->wind;
        if (record->windSpeed)
            text += " " + *record->windSpeed;
    }
    if (record->pressure)
        text += Translate("\nAir: ") + *record->pressure;
    if (record->humidity)
        text += Translate(" with ") + *record->humidity + Translate(" Humidity");
    if (record->visibility)
        text += Translate("\nVisibility: ") + *record->visibility;
    if (record->observed)
        text += Translate("\nUpdated: ") + *record->observed;
    return text;
}

std::string CityList::ForecastText(const WeatherChain& chain, std::int64_t now, WeatherUnits units)
{
    const Forecast* forecast = chain.ShownForecast();
    if (!forecast)
        return std::string();
    ForecastTextOptions options;
    options.german = GetUiLanguage() == UiGerman;
    options.fahrenheit = ShowsFahrenheit(units, MeasuresInUsUnits());
    options.attribution = Translate(chain.ShownAttribution().c_str());
    return ForecastText::Compose(*forecast, now, chain.ShownFetched(), &LocalTime::Of, options);
}
