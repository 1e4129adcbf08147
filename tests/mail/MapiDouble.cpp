#include "MapiDouble.h"

#include <cstdlib>
#include <sstream>

const char kNull[] = "<null>";
const char kAnsiOnlyMapi[] = "MAPIANSI.DLL";

namespace {

const char* const kVariables[] = {"ZORLA_MAPI_RECORD", "ZORLA_MAPI_RESULT", "ZORLA_MAPI_HOLD_EVENT",
                                  "ZORLA_MAPI_HOLD_MS", "ZORLA_MAPI_REFUSE_LOAD"};

std::string Unescaped(const std::string& text)
{
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            plain += text[i];
            continue;
        }
        const char next = text[++i];
        plain += next == 'r' ? '\r' : next == 'n' ? '\n' : next;
    }
    return plain;
}

std::vector<std::string> Fields(const std::string& value)
{
    std::vector<std::string> fields;
    std::stringstream stream(value);
    std::string field;
    while (std::getline(stream, field, '|'))
        fields.push_back(Unescaped(field));
    return fields;
}

MapiCall::Recipient RecipientOf(const std::string& value)
{
    const std::vector<std::string> fields = Fields(value);
    MapiCall::Recipient recipient;
    if (fields.size() == 3) {
        recipient.recipientClass = static_cast<unsigned>(std::strtoul(fields[0].c_str(), nullptr, 10));
        recipient.name = fields[1];
        recipient.address = fields[2];
    }
    return recipient;
}

}  // namespace

MapiDouble::MapiDouble()
    : m_record(m_folder.File("mapi-calls.txt"))
    , m_holdEvent("ZorlaMapiHold" + std::to_string(GetCurrentProcessId()))
{
    for (const char* name : kVariables)
        SetEnvironmentVariableA(name, nullptr);
    SetEnvironmentVariableA("ZORLA_MAPI_RECORD", m_record.c_str());
}

MapiDouble::~MapiDouble()
{
    Release();
    for (const char* name : kVariables)
        SetEnvironmentVariableA(name, nullptr);
    if (m_hold)
        CloseHandle(m_hold);
}

void MapiDouble::FailWith(unsigned long result)
{
    SetEnvironmentVariableA("ZORLA_MAPI_RESULT", std::to_string(result).c_str());
}

void MapiDouble::RefuseToLoad()
{
    SetEnvironmentVariableA("ZORLA_MAPI_REFUSE_LOAD", "1");
}

void MapiDouble::Hold()
{
    if (!m_hold)
        m_hold = CreateEventA(nullptr, TRUE, FALSE, m_holdEvent.c_str());
    ResetEvent(m_hold);
    SetEnvironmentVariableA("ZORLA_MAPI_HOLD_EVENT", m_holdEvent.c_str());
}

void MapiDouble::Release()
{
    if (m_hold)
        SetEvent(m_hold);
}

std::vector<MapiCall> MapiDouble::Calls() const
{
    std::vector<MapiCall> calls;
    std::stringstream lines(TestFiles::Bytes(m_record));
    std::string line;
    while (std::getline(lines, line)) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string key = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        if (key == "call") {
            calls.emplace_back();
            calls.back().function = value;
            continue;
        }
        if (calls.empty())
            continue;
        MapiCall& call = calls.back();
        if (key == "flags")
            call.flags = std::strtoul(value.c_str(), nullptr, 10);
        else if (key == "owner")
            call.owner = std::strtoull(value.c_str(), nullptr, 10);
        else if (key == "owner-enabled")
            call.ownerEnabled = std::atoi(value.c_str());
        else if (key == "owner-topmost")
            call.ownerTopMost = std::atoi(value.c_str());
        else if (key == "cursor")
            call.cursor = value;
        else if (key == "subject")
            call.subject = Unescaped(value);
        else if (key == "note")
            call.note = Unescaped(value);
        else if (key == "originator")
            call.originator = RecipientOf(value);
        else if (key == "recipient")
            call.recipients.push_back(RecipientOf(value));
        else if (key == "file") {
            const std::vector<std::string> fields = Fields(value);
            if (fields.size() >= 3)
                call.files.push_back(MapiCall::File{
                    fields[0], fields[1], static_cast<unsigned>(std::strtoul(fields[2].c_str(), nullptr, 10))});
        }
    }
    return calls;
}
