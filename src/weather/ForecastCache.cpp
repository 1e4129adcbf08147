#include "weather/ForecastCache.h"

#include "base/StoredNames.h"
#include "weather/CityTable.h"
#include "xml/XmlElement.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <memory>

using util::xml::XmlElement;

namespace {

const char kAnswer[] = "ANSWER";

// Missing in a file that was edited or cut: empty.
std::string Attribute(const XmlElement& element, const char* name)
{
    return element.findAttribute(name).value_or(std::string());
}

std::int64_t Seconds(const XmlElement& element, const char* name)
{
    return std::strtoll(Attribute(element, name).c_str(), nullptr, 10);
}

std::string Text(std::int64_t seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%" PRId64, seconds);
    return text;
}

ForecastCache::Answer AnswerOf(const XmlElement& element)
{
    ForecastCache::Answer answer;
    answer.provider = Attribute(element, "provider");
    answer.place = Attribute(element, "place");
    answer.at = Attribute(element, "at");
    answer.body = element.getText();
    answer.fetched = Seconds(element, "fetched");
    answer.expires = Seconds(element, "expires");
    answer.lastModified = Attribute(element, "modified");
    return answer;
}

bool IsAnswer(const XmlElement& element, const std::string& provider, const std::string& place)
{
    return element.getName() == kAnswer && Attribute(element, "provider") == provider &&
           Attribute(element, "place") == place;
}

}  // namespace

ForecastCache::ForecastCache(const std::string& folder, FileSystem& files)
    : XmlStore(stored::kForecastStore, folder, files)
{}

// Places are told apart by their coordinates to four decimals (about 10 m), as
// the services take them.
std::string ForecastCache::Coordinates(const City& place)
{
    char key[64];
    std::snprintf(key, sizeof key, "%.4f,%.4f", place.latitude, place.longitude);
    return key;
}

std::optional<ForecastCache::Answer> ForecastCache::Find(const std::string& provider, const std::string& place) const
{
    const XmlElement* root = GetDocument();
    for (int i = 0; root && i < root->getChildCount(); ++i) {
        const XmlElement& element = *root->getChild(i);
        if (IsAnswer(element, provider, place))
            return AnswerOf(element);
    }
    return std::nullopt;
}

void ForecastCache::Put(const City& place, const Answer& answer)
{
    XmlElement* root = GetDocument();
    if (!root)
        return;
    for (int i = root->getChildCount() - 1; i >= 0; --i)
        if (IsAnswer(*root->getChild(i), answer.provider, place.name))
            root->removeChild(i);
    auto element = std::make_unique<XmlElement>(kAnswer);
    element->setAttribute("provider", answer.provider);
    element->setAttribute("place", place.name);
    element->setAttribute("at", Coordinates(place));
    element->setAttribute("fetched", Text(answer.fetched));
    element->setAttribute("expires", Text(answer.expires));
    if (!answer.lastModified.empty())
        element->setAttribute("modified", answer.lastModified);
    element->appendText(answer.body.data(), answer.body.size());
    root->addChild(std::move(element));
    while (root->getChildCount() > kMaxAnswers)
        root->removeChild(0);
}
