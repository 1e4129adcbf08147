#include "entries/CEntry.h"

#include "base/ProgramTitle.h"
#include "xml/Utf8Sequence.h"
#include "xml/XML2_Exception.h"
#include "xml/XmlElement.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <optional>
#include <memory>

using util::xml::XmlElement;

namespace {

const char* const ENTRY = "ENTRY";
const char* const LINE_BREAK = "\r\n";
const char* const STORED_BREAK = "_BR_";
const char* const DATE_FORMAT = "%m/%d/%Y %H:%M:%S";

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

int Digits(const std::string& text, std::size_t at, std::size_t count)
{
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// The form DATE_FORMAT writes, e.g. "03/14/2004 09:05:00". Years before 1000
// are left to the general reader, as is every other form.
bool ReadWrittenDate(const std::string& text, DateTime& date)
{
    if (text.size() != 19 || text[2] != '/' || text[5] != '/' || text[10] != ' ' || text[13] != ':' ||
        text[16] != ':' || text[6] == '0')
        return false;
    const int month = Digits(text, 0, 2);
    const int day = Digits(text, 3, 2);
    const int year = Digits(text, 6, 4);
    const int hour = Digits(text, 11, 2);
    const int minute = Digits(text, 14, 2);
    const int second = Digits(text, 17, 2);
    if (month < 0 || day < 0 || year < 0 || hour < 0 || minute < 0 || second < 0)
        return false;
    return date.SetDateTime(year, month, day, hour, minute, second) == 0;
}

// The form the program writes itself is read here at a tenth of the general
// reader's cost; only other forms, from hand-edited files, go to that reader.
bool ReadDate(const std::string& text, DateTime& date)
{
    return ReadWrittenDate(text, date) || date.ParseDateTime(text.c_str());
}

}  // namespace

bool CEntry::ReadFrom(const XmlElement* element, std::string* warning)
{
    if (!element || element->getName() != ENTRY)
        return false;
    try {
        // The order decides which missing attribute the warning names.
        const std::string storedText = element->getAttribute("text");
        const int newId = ReadDecimal(element->getAttribute("_id_"));
        int newNotify = notify;
        if (auto value = element->findAttribute("notify"))
            newNotify = ReadDecimal(*value);
        const int newY = ReadDecimal(element->getAttribute("wndY"));
        const int newX = ReadDecimal(element->getAttribute("wndX"));
        DateTime newDate;
        if (!ReadDate(element->getAttribute("date"), newDate))
            return false;
        const std::optional<std::string> newUid = element->findAttribute("uid");
        const std::optional<std::string> newVersions = element->findAttribute("versions");
        const std::optional<std::string> newStamp = element->findAttribute("stamp");
        const std::optional<std::string> newRepeat = element->findAttribute("repeat");
        const std::optional<std::string> newRepeatDay = element->findAttribute("repeatDay");
        const std::optional<std::string> newBaseVersions = element->findAttribute("baseVersions");
        const std::optional<std::string> newBase = element->findAttribute("base");
        const std::optional<std::string> newBaseWhen = element->findAttribute("baseWhen");
        const std::optional<std::string> newBaseColor = element->findAttribute("baseColor");
        const std::optional<std::string> newColor = element->findAttribute("color");

        SetText(storedText);
        id = newId;
        notify = newNotify;
        wndX = newX;
        wndY = newY;
        date = newDate;
        uid = newUid.value_or(std::string());
        versions = newVersions.value_or(std::string());
        stamp = newStamp ? std::strtoull(newStamp->c_str(), nullptr, 10) : 0;
        repeat = newRepeat.value_or(std::string());
        repeatDay = newRepeatDay ? ReadDecimal(*newRepeatDay) : 0;
        color = newColor.value_or(std::string());
        baseVersions = newBaseVersions.value_or(std::string());
        baseText = baseVersions.empty() ? std::string() : newBase.value_or(text);
        baseWhen = baseVersions.empty() ? std::string() : newBaseWhen.value_or(When());
        baseColor = baseVersions.empty() ? std::string() : newBaseColor.value_or(color);
        return true;
    } catch (const util::xml::XML2_Exception& e) {
        if (warning)
            *warning = e.toString();
    }
    return false;
}

bool CEntry::AppendTo(XmlElement* root)
{
    if (!root)
        return false;
    auto element = std::make_unique<XmlElement>(ENTRY);
    id = element->assignId(root, id);
    element->setAttribute("text", text);
    element->setAttribute("date", date.Format(DATE_FORMAT));
    element->setAttribute("wndX", wndX);
    element->setAttribute("wndY", wndY);
    if (notify != -1)
        element->setAttribute("notify", notify);
    // A reminder that comes once is written as every earlier version wrote it.
    if (!repeat.empty()) {
        element->setAttribute("repeat", repeat);
        if (repeatDay > 0)
            element->setAttribute("repeatDay", repeatDay);
    }
    if (!color.empty())
        element->setAttribute("color", color);
    if (!uid.empty()) {
        element->setAttribute("uid", uid);
        element->setAttribute("versions", versions);
        element->setAttribute("stamp", std::to_string(stamp));
        if (!baseVersions.empty()) {
            element->setAttribute("baseVersions", baseVersions);
            if (baseText != text)
                element->setAttribute("base", baseText);
            if (!baseWhen.empty() && baseWhen != When())
                element->setAttribute("baseWhen", baseWhen);
            if (baseColor != color)
                element->setAttribute("baseColor", baseColor);
        }
    }
    root->addChild(std::move(element));
    return true;
}

std::string CEntry::When() const
{
    return date.Format(DATE_FORMAT) + " " + std::to_string(notify) + " " + repeat + " " + std::to_string(repeatDay);
}

void CEntry::SetText(const std::string& typed)
{
    text = ReplaceAll(typed, LINE_BREAK, STORED_BREAK);
}

std::string CEntry::GetDisplayText() const
{
    return ReplaceAll(text, STORED_BREAK, LINE_BREAK);
}

std::string CEntry::FormatDate(const char* format) const
{
    return date.Format(format);
}

DateTime CEntry::GetReminderTime() const
{
    return date + DateTimeSpan(0, 0, notify, 0);
}

DateTime CEntry::NextOccurrence(const DateTime& after) const
{
    return ::NextOccurrence(date, GetRepeat(), after < date ? date : after, repeatDay);
}

std::string CEntry::GetKey() const
{
    return std::string(ProgramTitle) + (kind == EntryKind::Note ? "N" : "T") + "ID:" + std::to_string(id);
}

std::string FilterText(const std::string& typed)
{
    std::string kept;
    kept.reserve(typed.size());
    for (std::size_t i = 0; i < typed.size();) {
        const unsigned char c = static_cast<unsigned char>(typed[i]);
        if (c < 0x80) {
            if ((c >= 0x20 && c != 0x7F) || c == '\r' || c == '\n' || c == '\t')
                kept += static_cast<char>(c);
            ++i;
            continue;
        }
        unsigned long codePoint = 0;
        const std::size_t length = util::xml::decodeUtf8(typed, i, codePoint);
        if (length == 0) {
            ++i;
            continue;
        }
        if (codePoint > 0x9F)
            kept.append(typed, i, length);
        i += length;
    }
    return kept;
}

int ReadDecimal(const std::string& text)
{
    return util::xml::readDecimal(text);
}
