#include "weather/JsonAnswer.h"

#include <cmath>

namespace {

// Whether arrays and objects in text, counted outside strings, nest deeper
// than limit. The parser itself keeps no depth limit, and a document's later
// copies and comparisons recurse.
bool TooDeep(const std::string& text, int limit)
{
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > limit)
                return true;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return false;
}

}  // namespace

bool JsonAnswer::Parse(const std::string& body, Json& root, std::string& error)
{
    if (body.size() > kMaxBytes) {
        error = "the answer is too large";
        return false;
    }
    if (TooDeep(body, kMaxDepth)) {
        error = "the answer is nested too deeply";
        return false;
    }
    root = Json::parse(body.begin(), body.end(), nullptr, false);
    if (root.is_discarded()) {
        error = "the answer is not JSON";
        return false;
    }
    return true;
}

const JsonAnswer::Json* JsonAnswer::Member(const Json* object, const char* key)
{
    if (object == nullptr || !object->is_object())
        return nullptr;
    const auto found = object->find(key);
    return found == object->end() ? nullptr : &*found;
}

std::optional<double> JsonAnswer::Number(const Json* value)
{
    if (value == nullptr || !value->is_number())
        return std::nullopt;
    const double number = value->get<double>();
    if (!std::isfinite(number))
        return std::nullopt;
    return number;
}

const std::string* JsonAnswer::Text(const Json* value)
{
    if (value == nullptr || !value->is_string())
        return nullptr;
    return value->get_ptr<const std::string*>();
}
