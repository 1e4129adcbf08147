#include "mainwnd/CityList.h"

#include "framework/Utf8.h"
#include "shared/Translator.h"

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

}  // namespace

std::optional<std::string> CityList::Fill(HWND combo, const std::vector<WeatherRecord>& records,
                                          std::string& selection)
{
    ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const WeatherRecord& record : records) {
        const std::wstring city = Widen(record.city);
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(city.c_str()));
    }
    const std::wstring wanted = Widen(selection);
    const LRESULT found =
        ::SendMessageW(combo, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wanted.c_str()));
    if (found == CB_ERR)
        return std::nullopt;
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
