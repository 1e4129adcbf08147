#pragma once

#include <nlohmann/json.hpp>

#include <optional>
#include <string>

// A weather service's JSON answer, parsed without exceptions and read with
// every type checked: a value of the wrong type reads as missing.
class JsonAnswer {
public:
    using Json = nlohmann::json;

    // Larger answers are no forecast of one place; deeper ones are no forecast at all.
    static constexpr std::size_t kMaxBytes = 8 * 1024 * 1024;
    static constexpr int kMaxDepth = 64;

    // The document of body; false with error in words when it is too large, too
    // deep or not JSON.
    static bool Parse(const std::string& body, Json& root, std::string& error);
    // The member key of object; null when object is null, no object, or lacks it.
    static const Json* Member(const Json* object, const char* key);
    // A finite number; none for null, text or anything else.
    static std::optional<double> Number(const Json* value);
    // A string's text; null for anything else.
    static const std::string* Text(const Json* value);
};
