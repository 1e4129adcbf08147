#include "weather/CWeatherDisplay.h"

#include "framework/Utf8.h"
#include "shared/Translator.h"

#include <vector>

using util::xml::XmlElement;

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

std::optional<std::string> CWeatherDisplay::FillCityList(HWND combo, const XmlElement* root, std::string& selection)
{
    ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    const XmlElement* weather = root ? root->findChild("WEATHER") : nullptr;
    if (weather) {
        for (int i = 0; i < weather->getChildCount(); ++i) {
            const XmlElement* entry = weather->getChild(i);
            if (entry->getName() != "ENTRY")
                continue;
            const std::wstring city = Widen(entry->getText());
            const LRESULT index = ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(city.c_str()));
            if (index != CB_ERR && index != CB_ERRSPACE)
                ::SendMessageA(combo, CB_SETITEMDATA, index, reinterpret_cast<LPARAM>(entry));
        }
    }
    const std::wstring wanted = Widen(selection);
    const LRESULT found =
        ::SendMessageW(combo, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wanted.c_str()));
    if (found == CB_ERR)
        return std::nullopt;
    ::SendMessageA(combo, CB_SETCURSEL, found, 0);
    return OnCitySelChange(combo, selection);
}

std::string CWeatherDisplay::OnCitySelChange(HWND combo, std::string& selection)
{
    const LRESULT index = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return std::string();
    selection = ItemText(combo, static_cast<int>(index));
    return BuildWeatherText(SelectedEntry(combo));
}

const XmlElement* CWeatherDisplay::SelectedEntry(HWND combo)
{
    const LRESULT index = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return nullptr;
    const LRESULT data = ::SendMessageA(combo, CB_GETITEMDATA, index, 0);
    if (data == CB_ERR)
        return nullptr;
    return reinterpret_cast<const XmlElement*>(data);
}

std::string CWeatherDisplay::BuildWeatherText(const XmlElement* entry)
{
    std::string text;
    if (!entry || entry->getName() != "ENTRY")
        return text;
    if (const XmlElement* weather = entry->findChild("WEATHER"))
        text += weather->getText() + ", ";
    if (const XmlElement* clouds = entry->findChild("CLOUDS"))
        text += clouds->getText();
    if (const XmlElement* temp = entry->findChild("TEMP"))
        text += " " + temp->getText() + DEGREES;
    if (const XmlElement* feel = entry->findChild("FEEL"))
        text += Translate("\nFeels like: ") + feel->getText() + DEGREES;
    // Wind speed alone says nothing without the wind's direction.
    if (const XmlElement* wind = entry->findChild("WIND")) {
        text += "\nWind: " + wind->getText();
        if (const XmlElement* speed = entry->findChild("WINDSPEED"))
            text += " " + speed->getText();
    }
    if (const XmlElement* air = entry->findChild("ALTI"))
        text += Translate("\nAir: ") + air->getText();
    if (const XmlElement* humidity = entry->findChild("HUMI"))
        text += Translate(" with ") + humidity->getText() + Translate(" Humidity");
    if (const XmlElement* visibility = entry->findChild("VIS"))
        text += Translate("\nVisibility: ") + visibility->getText();
    if (const XmlElement* time = entry->findChild("TIME"))
        text += Translate("\nUpdated: ") + time->getText();
    return text;
}
