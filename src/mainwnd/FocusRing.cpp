#include "mainwnd/FocusRing.h"

#include "mainwnd/HotSpotId.h"
#include "resource.h"

#include <algorithm>

namespace {

const FocusRing::Stop kOrder[] = {
    {true, IDC_CITY_LIST},         {false, HotSpotRefresh},  {true, IDC_EDITOR_TEXT},   {true, IDC_DATE_PICKER},
    {true, IDC_TIME_PICKER},       {true, IDC_REPEAT_CHOICE}, {false, HotSpotNotes},     {false, HotSpotReminder},
    {false, HotSpotWeather},       {false, HotSpotFileNote},  {false, HotSpotAlarmClock}, {false, HotSpotBack},
    {false, HotSpotFigure},        {false, HotSpotBrandLogo}, {false, HotSpotEnvelope},  {false, HotSpotClose},
};

}  // namespace

FocusRing::FocusRing(const std::function<bool(int)>& hotSpotActive, const std::function<bool(int)>& controlShown)
{
    for (const Stop& stop : kOrder) {
        if (stop.isControl ? controlShown(stop.id) : hotSpotActive(stop.id))
            m_stops.push_back(stop);
    }
}

std::vector<int> FocusRing::HotSpots() const
{
    std::vector<int> ids;
    for (const Stop& stop : m_stops) {
        if (!stop.isControl)
            ids.push_back(stop.id);
    }
    return ids;
}

const FocusRing::Stop* FocusRing::Step(const Stop* current, int step) const
{
    if (m_stops.empty())
        return nullptr;
    const int count = static_cast<int>(m_stops.size());
    const auto found = current ? std::find(m_stops.begin(), m_stops.end(), *current) : m_stops.end();
    if (found == m_stops.end())
        return step > 0 ? &m_stops.front() : &m_stops.back();
    const int at = static_cast<int>(found - m_stops.begin());
    return &m_stops[((at + step) % count + count) % count];
}
