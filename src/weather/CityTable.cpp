#include "weather/CityTable.h"

#include "base/TextFold.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace {

const char kMagic[] = "ZCITIES1";
const std::size_t kMagicSize = sizeof kMagic - 1;
// Far above the real table's few megabytes; garbage naming more is refused
// before anything is allocated for it.
const std::uint32_t kMaxPayload = 64u << 20;
// Bytes of one place in the payload without its texts: two coordinates, the
// population, the country, the alias count, the name's length byte.
const std::size_t kMinPlaceBytes = 4 + 4 + 4 + 2 + 1 + 1;

std::uint32_t ReadU32(const char* at)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(at);
    return std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16 |
           std::uint32_t(bytes[3]) << 24;
}

// The u32 stored as the two's complement of a signed difference.
std::int32_t Signed(std::uint32_t value)
{
    return value <= 0x7FFFFFFFu ? static_cast<std::int32_t>(value)
                                : -static_cast<std::int32_t>(~value) - 1;
}

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::uint64_t Head(std::string_view text)
{
    std::uint64_t head = 0;
    for (std::size_t i = 0; i < 8; ++i)
        head = head << 8 | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0u);
    return head;
}

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

void CityTable::Clear()
{
    payload_.clear();
    places_.clear();
    aliases_.clear();
    folded_.clear();
    keys_.clear();
}

bool CityTable::Load(std::string bytes, std::string& error)
{
    Clear();
    if (bytes.size() < kMagicSize + 4 || bytes.compare(0, kMagicSize, kMagic) != 0) {
        error = "not a city table (its first bytes are not \"ZCITIES1\")";
        return false;
    }
    const std::uint32_t size = ReadU32(bytes.data() + kMagicSize);
    if (size > kMaxPayload) {
        error = "the city table names a size of " + std::to_string(size) + " bytes, more than it can be";
        return false;
    }
    std::string payload(size, '\0');
    uLongf inflated = size;
    const std::size_t packed = bytes.size() - kMagicSize - 4;
    const int result = uncompress(reinterpret_cast<Bytef*>(payload.data()), &inflated,
                                  reinterpret_cast<const Bytef*>(bytes.data() + kMagicSize + 4), uLong(packed));
    if (result != Z_OK || inflated != size) {
        error = "the city table is damaged or cut (its data does not inflate to the size it names)";
        return false;
    }
    if (!Parse(payload, error)) {
        Clear();
        return false;
    }
    payload_ = std::move(payload);
    BuildKeys();
    return true;
}

bool CityTable::Parse(const std::string& payload, std::string& error)
{
    if (payload.size() < 4) {
        error = "the city table is cut before its count of places";
        return false;
    }
    const std::size_t count = ReadU32(payload.data());
    if (count > (payload.size() - 4) / kMinPlaceBytes) {
        error = "the city table names " + std::to_string(count) + " places, more than its data holds";
        return false;
    }
    const char* lat = payload.data() + 4;
    const char* lon = lat + 4 * count;
    const char* pop = lon + 4 * count;
    const char* country = pop + 4 * count;
    const char* aliasCounts = country + 2 * count;
    std::size_t at = static_cast<std::size_t>(aliasCounts + count - payload.data());

    std::vector<Place> places(count);
    std::vector<Text> texts;
    texts.reserve(count * 2);
    std::int32_t latitude = 0, longitude = 0;
    for (std::size_t i = 0; i < count; ++i) {
        Place& place = places[i];
        // Wrapping sums: damaged differences give wrong places, never overflow.
        latitude = Signed(std::uint32_t(latitude) + ReadU32(lat + 4 * i));
        longitude = Signed(std::uint32_t(longitude) + ReadU32(lon + 4 * i));
        if (latitude < -90000 || latitude > 90000 || longitude < -180000 || longitude > 180000) {
            error = "the city table has a place outside the globe";
            return false;
        }
        place.latitude = latitude;
        place.longitude = longitude;
        place.population = ReadU32(pop + 4 * i);
        std::memcpy(place.country, country + 2 * i, 2);
        place.aliasCount = static_cast<unsigned char>(aliasCounts[i]);
        place.firstAlias = static_cast<std::uint32_t>(texts.size());
        for (std::uint32_t t = 0; t <= place.aliasCount; ++t) {
            const std::size_t length = at < payload.size() ? static_cast<unsigned char>(payload[at]) : 0;
            if (at >= payload.size() || length == 0 || length > payload.size() - at - 1) {
                error = "the city table is cut in the names of its place " + std::to_string(i + 1);
                return false;
            }
            texts.push_back({static_cast<std::uint32_t>(at + 1), static_cast<std::uint32_t>(length)});
            at += 1 + length;
        }
    }
    if (at != payload.size()) {
        error = "the city table has data after its last place";
        return false;
    }

    // Most populous first: a place's index is its rank. Sorted as plain numbers,
    // (inhabitants, reversed) then the place's row, for speed.
    std::vector<std::uint64_t> order(count);
    for (std::size_t i = 0; i < count; ++i)
        order[i] = std::uint64_t(0xFFFFFFFFu - places[i].population) << 32 | i;
    std::sort(order.begin(), order.end());
    places_.reserve(count);
    aliases_.reserve(texts.size() - count);
    for (std::uint64_t ranked : order) {
        Place place = places[ranked & 0xFFFFFFFFu];
        place.name = texts[place.firstAlias];
        const std::uint32_t first = place.firstAlias + 1;
        place.firstAlias = static_cast<std::uint32_t>(aliases_.size());
        aliases_.insert(aliases_.end(), texts.begin() + first, texts.begin() + first + place.aliasCount);
        places_.push_back(place);
    }
    return true;
}

void CityTable::BuildKeys()
{
    keys_.reserve(places_.size() * 2 + aliases_.size());
    folded_.reserve(payload_.size());
    auto add = [&](Text text, std::uint32_t place, std::int32_t alias) {
        const std::size_t start = folded_.size();
        AppendFoldForSearch(std::string_view(payload_).substr(text.at, text.size), folded_);
        const auto size = static_cast<std::uint32_t>(folded_.size() - start);
        if (size == 0)
            return;
        keys_.push_back({0, static_cast<std::uint32_t>(start), size, place, alias, false});
        if (alias >= 0)
            return;
        // Each later word of the name: "Frankfurt am Main" is found by "am" and "main" too.
        for (std::size_t i = start + 1; i < folded_.size(); ++i) {
            const char before = folded_[i - 1];
            if ((before == ' ' || before == '-') && folded_[i] != ' ' && folded_[i] != '-')
                keys_.push_back({0, static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(folded_.size() - i),
                                 place, -1, true});
        }
    };
    for (std::uint32_t p = 0; p < places_.size(); ++p) {
        const Place& place = places_[p];
        add(place.name, p, -1);
        for (std::uint32_t a = 0; a < place.aliasCount; ++a)
            add(aliases_[place.firstAlias + a], p, static_cast<std::int32_t>(place.firstAlias + a));
    }
    for (Key& key : keys_)
        key.head = Head(Folded(key));
    std::sort(keys_.begin(), keys_.end(), [&](const Key& a, const Key& b) {
        if (a.head != b.head)
            return a.head < b.head;
        const int order = Folded(a).compare(Folded(b));
        return order != 0 ? order < 0 : a.place < b.place;
    });
}

std::size_t CityTable::Size() const
{
    return places_.size();
}

City CityTable::CityOf(const Place& place) const
{
    City city;
    city.name = TextOf(place.name);
    city.country.assign(place.country, 2);
    city.latitude = place.latitude / 1000.0;
    city.longitude = place.longitude / 1000.0;
    city.population = place.population;
    return city;
}

std::vector<CityMatch> CityTable::Search(const std::string& typed, std::size_t max) const
{
    std::string query = FoldForSearch(typed);
    query.erase(0, std::min(query.find_first_not_of(' '), query.size()));
    if (query.empty() || max == 0)
        return {};

    // The best max places so far, by (later word, rank), each with the key it is
    // shown by: its name rather than an alias.
    struct Hit {
        bool inner;
        std::uint32_t place;
        std::int32_t alias;
        bool operator<(const Hit& other) const
        {
            return inner != other.inner ? !inner : place < other.place;
        }
    };
    std::vector<Hit> best;
    auto key = std::lower_bound(keys_.begin(), keys_.end(), query,
                                [&](const Key& k, const std::string& q) { return Folded(k) < q; });
    for (; key != keys_.end() && StartsWith(Folded(*key), query); ++key) {
        const Hit hit{key->inner, key->place, key->alias};
        if (best.size() == max && best.back() < hit)
            continue;
        auto same = std::find_if(best.begin(), best.end(), [&](const Hit& h) { return h.place == hit.place; });
        if (same != best.end()) {
            if (hit < *same || (!(*same < hit) && hit.alias < 0))
                *same = hit;
        } else {
            best.push_back(hit);
        }
        std::sort(best.begin(), best.end());
        if (best.size() > max)
            best.pop_back();
    }

    std::vector<CityMatch> matches;
    matches.reserve(best.size());
    for (const Hit& hit : best) {
        CityMatch match{CityOf(places_[hit.place]), std::string()};
        if (hit.alias >= 0)
            match.alias = TextOf(aliases_[static_cast<std::size_t>(hit.alias)]);
        matches.push_back(std::move(match));
    }
    return matches;
}

std::optional<City> CityTable::Find(const std::string& name, const std::string& country) const
{
    const std::string query = FoldForSearch(name);
    if (query.empty())
        return std::nullopt;
    auto key = std::lower_bound(keys_.begin(), keys_.end(), query,
                                [&](const Key& k, const std::string& q) { return Folded(k) < q; });
    // Keys of one text are in rank order: the first that fits is the most populous.
    for (; key != keys_.end() && Folded(*key) == query; ++key) {
        const Place& place = places_[key->place];
        if (key->inner)
            continue;
        if (country.empty() || (country.size() == 2 && Upper(country[0]) == place.country[0] &&
                                Upper(country[1]) == place.country[1]))
            return CityOf(place);
    }
    return std::nullopt;
}
