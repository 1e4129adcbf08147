#include "mainwnd/CitySuggestions.h"

#include "framework/Utf8.h"

std::wstring CitySuggestions::ItemText(const CityMatch& match)
{
    std::wstring text = Widen(match.city.name);
    if (!match.city.country.empty())
        text += L", " + Widen(match.city.country);
    if (!match.alias.empty())
        text += L" (" + Widen(match.alias) + L")";
    return text;
}

void CitySuggestions::OnEditChange(HWND combo, const CityTable* table)
{
    // Setting the text back below must not come round as typing.
    if (m_filling)
        return;
    const int length = ::GetWindowTextLengthW(combo);
    std::wstring typed(static_cast<std::size_t>(length) + 1, L'\0');
    ::GetWindowTextW(combo, &typed[0], length + 1);
    typed.resize(static_cast<std::size_t>(length));
    DWORD start = 0;
    DWORD caret = 0;
    ::SendMessageW(combo, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&caret));

    m_filling = true;
    m_places.clear();
    const std::vector<CityMatch> matches =
        table ? table->Search(Narrow(typed.c_str()), kMaxShown) : std::vector<CityMatch>();
    ::SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    // Emptying the list empties the box's text too.
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const CityMatch& match : matches) {
        const std::wstring item = ItemText(match);
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        m_places.push_back(match.city);
    }
    m_showing = true;
    if (!matches.empty())
        ::SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    // Dropping down selects what begins like the text and writes it into the box.
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    ::SetWindowTextW(combo, typed.c_str());
    ::SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(caret, caret));
    // The list's drop hides the pointer until it moves; typing keeps it shown.
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    m_filling = false;
}

std::optional<City> CitySuggestions::Selected(HWND combo) const
{
    if (!m_showing)
        return std::nullopt;
    const LRESULT index = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR || static_cast<std::size_t>(index) >= m_places.size())
        return std::nullopt;
    return m_places[static_cast<std::size_t>(index)];
}

std::optional<City> CitySuggestions::First() const
{
    if (!m_showing || m_places.empty())
        return std::nullopt;
    return m_places.front();
}
