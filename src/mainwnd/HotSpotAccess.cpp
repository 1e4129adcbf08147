#include "mainwnd/HotSpotAccess.h"

#include "base/ProgramTitle.h"
#include "mainwnd/CommandTriggers.h"
#include "mainwnd/HotSpot.h"
#include "mainwnd/HotSpotId.h"
#include "mainwnd/MainKeyboard.h"
#include "mainwnd/PictureFace.h"
#include "shared/Translator.h"

#include <cstdio>

namespace {

// A menu row's text as a name: no mnemonic, no dots of a row that asks more.
std::string AsName(const std::string& menuText)
{
    std::string name;
    for (size_t i = 0; i < menuText.size(); ++i) {
        if (menuText[i] == '&' && i + 1 < menuText.size())
            ++i;
        name += menuText[i];
    }
    if (name.size() > 3 && name.compare(name.size() - 3, 3, "...") == 0)
        name.resize(name.size() - 3);
    return name;
}

}  // namespace

HotSpotAccess::HotSpotAccess(MainKeyboard& keys)
    : m_keys(keys)
{}

long HotSpotAccess::ChildCount() const
{
    return static_cast<long>(m_keys.HotSpots().size());
}

int HotSpotAccess::HotSpotOf(long child) const
{
    const std::vector<int> spots = m_keys.HotSpots();
    return child >= 1 && child <= static_cast<long>(spots.size()) ? spots[child - 1] : 0;
}

std::string HotSpotAccess::NameOf(int hotSpot)
{
    switch (hotSpot) {
    case HotSpotBrandLogo: {
        char text[256] = "";
        std::snprintf(text, sizeof text, Translate("%s on the web").c_str(), ProgramTitle);
        return text;
    }
    case HotSpotClose: return Translate("Close");
    case HotSpotEnvelope: return AsName(Translate("&Send me to a friend..."));
    case HotSpotBack: return Translate("Back");
    case HotSpotRefresh: return AsName(Translate("&Update weather data"));
    case HotSpotFigure: return AsName(Translate("M&enu"));
    case HotSpotWeather: return AsName(Translate("&German weather"));
    case HotSpotNotes: return AsName(Translate("&Notes"));
    case HotSpotFileNote: return Translate("File the note");
    case HotSpotReminder: return AsName(Translate("&Timer"));
    case HotSpotAlarmClock: return Translate("Set the reminder");
    default: return std::string();
    }
}

std::string HotSpotAccess::Name(long child) const
{
    return NameOf(HotSpotOf(child));
}

std::string HotSpotAccess::DefaultAction()
{
    return Translate("Press");
}

bool HotSpotAccess::ScreenRect(long child, RECT& rect) const
{
    const HotSpot* spot = m_keys.Find(HotSpotOf(child));
    if (!spot)
        return false;
    rect = spot->Bounds();
    ::MapWindowPoints(m_keys.Window(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return true;
}

bool HotSpotAccess::DoDefaultAction(long child) const
{
    const int hotSpot = HotSpotOf(child);
    return hotSpot && ::PostMessageW(m_keys.Window(), WM_COMMAND, CommandForHotSpot(hotSpot), 0);
}

long HotSpotAccess::ChildAt(POINT screenPoint) const
{
    POINT point = screenPoint;
    ::ScreenToClient(m_keys.Window(), &point);
    const std::vector<int> spots = m_keys.HotSpots();
    // The hot spot a click there would run: the first in the picture's own order.
    for (const auto& spot : m_keys.Face().HotSpots()) {
        if (!spot->Contains(point) || !spot->IsActive(m_keys.Face().GetView()))
            continue;
        for (size_t i = 0; i < spots.size(); ++i) {
            if (spots[i] == spot->Id())
                return static_cast<long>(i) + 1;
        }
    }
    return 0;
}

long HotSpotAccess::FocusedChild() const
{
    if (::GetFocus() != m_keys.Window())
        return 0;
    const std::vector<int> spots = m_keys.HotSpots();
    for (size_t i = 0; i < spots.size(); ++i) {
        if (spots[i] == m_keys.FocusedHotSpot())
            return static_cast<long>(i) + 1;
    }
    return 0;
}

bool HotSpotAccess::Focus(long child)
{
    const int hotSpot = HotSpotOf(child);
    if (hotSpot)
        m_keys.FocusHotSpot(hotSpot);
    return hotSpot != 0;
}
