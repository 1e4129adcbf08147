#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A populated place of the world, as GeoNames knows it.
struct City {
    std::string name;     // GeoNames' main name, UTF-8: the local one ("Köln", "Łódź"), for the
                          // largest cities often the English one ("Munich", "Warsaw")
    std::string country;  // ISO 3166 two-letter code ("DE")
    double latitude = 0;  // degrees north
    double longitude = 0;  // degrees east
    std::uint32_t population = 0;
};

struct CityMatch {
    City city;
    std::string alias;  // the other-language name that matched ("München"), empty when the name itself matched
};

// The world's places of 5,000 inhabitants or more (tools/cities/make_city_table.py
// writes the table), found as the user types a place's name in the weather view.
class CityTable {
public:
    // Reads a table as the generator writes it; false (and an empty table, error
    // saying why) for bytes that are not one: cut, wrong magic, counts or lengths
    // beyond the data. Never crashes on any bytes.
    bool Load(std::string bytes, std::string& error);
    std::size_t Size() const;
    // Places whose name or an alias begins with typed, blind to case and accents
    // (base/TextFold), each place once, at most max. First the places matched at
    // the start of a name or alias, most inhabitants first; after them those
    // matched only at a later word of their name ("main" finds Mainz before
    // Frankfurt am Main). Empty typed gives nothing.
    std::vector<CityMatch> Search(const std::string& typed, std::size_t max) const;
    // The place of exactly this name (fold-blind), in that country when one is
    // given; the most populous when several. Also answers for an alias.
    std::optional<City> Find(const std::string& name, const std::string& country = std::string()) const;

private:
    struct Text {
        std::uint32_t at = 0;  // into payload_
        std::uint32_t size = 0;
    };
    struct Place {
        std::int32_t latitude = 0;  // thousandths of a degree
        std::int32_t longitude = 0;
        std::uint32_t population = 0;
        char country[2] = {};
        Text name;
        std::uint32_t firstAlias = 0;  // into aliases_
        std::uint32_t aliasCount = 0;
    };
    // A folded name, alias or later word of a name, pointing to its place.
    struct Key {
        std::uint64_t head = 0;  // the first 8 bytes, big-endian: most comparisons end here
        std::uint32_t at = 0;  // into folded_
        std::uint32_t size = 0;
        std::uint32_t place = 0;  // index into places_, most populous first
        std::int32_t alias = -1;  // index into aliases_, -1 for the name
        bool inner = false;  // a later word of the name
    };

    void Clear();
    bool Parse(const std::string& payload, std::string& error);
    void BuildKeys();
    std::string_view Folded(const Key& key) const { return std::string_view(folded_).substr(key.at, key.size); }
    std::string TextOf(Text text) const { return payload_.substr(text.at, text.size); }
    City CityOf(const Place& place) const;

    std::string payload_;  // the inflated table: the names' bytes stay here
    std::vector<Place> places_;
    std::vector<Text> aliases_;
    std::string folded_;
    std::vector<Key> keys_;  // sorted by their folded text
};
