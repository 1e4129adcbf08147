#include "sync/SyncFolder.h"

#include "base/StoredNames.h"

#include <cctype>

namespace {

const char kExtension[] = ".zorla";
const std::size_t kComputerLength = 16;

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

SyncFolder::SyncFolder(const std::string& folder, const std::string& computer, FileSystem& files)
    : m_folder(folder)
    , m_computer(computer)
    , m_files(files)
    , m_own((computer + kExtension).c_str(), folder, files)
{}

bool SyncFolder::ComputerOf(const std::string& name, std::string& computer, bool& copy)
{
    const std::string prefix = stored::kDataFilePrefix;
    if (name.compare(0, prefix.size(), prefix) != 0 || !EndsWith(name, kExtension) ||
        name.size() < prefix.size() + kComputerLength + std::string(kExtension).size())
        return false;
    const std::string id = name.substr(prefix.size(), kComputerLength);
    for (const char c : id)
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    computer = id;
    copy = name.size() != prefix.size() + kComputerLength + std::string(kExtension).size();
    return true;
}

std::vector<SyncFolder::Arrival> SyncFolder::Arrivals()
{
    std::vector<Arrival> arrivals;
    for (const FileSystem::Facts& facts : m_files.List(m_folder)) {
        std::string computer;
        bool copy = false;
        if (!ComputerOf(facts.name, computer, copy) || (computer == m_computer && !copy))
            continue;
        const auto known = m_known.find(facts.name);
        if (known != m_known.end() && known->second == facts)
            continue;
        arrivals.push_back(Arrival{XmlStore::PathIn(m_folder, facts.name), facts, copy});
    }
    return arrivals;
}

void SyncFolder::Taken(const Arrival& arrival)
{
    m_suspects.erase(arrival.facts.name);
    // A copy that cannot be removed yet (another reader holds it) is read and
    // merged again at the next check, and its removal tried again: merging the
    // same file twice changes nothing.
    if (arrival.copy) {
        m_files.Remove(arrival.path);
        return;
    }
    m_known[arrival.facts.name] = arrival.facts;
}

bool SyncFolder::Refused(const Arrival& arrival)
{
    // Read once more at the next check: a file still being written has changed
    // by then, a damaged one has not.
    const auto suspect = m_suspects.find(arrival.facts.name);
    if (suspect == m_suspects.end() || !(suspect->second == arrival.facts)) {
        m_suspects[arrival.facts.name] = arrival.facts;
        return false;
    }
    m_suspects.erase(suspect);
    m_known[arrival.facts.name] = arrival.facts;
    return true;
}

bool SyncFolder::WriteOwn(const ComputerFile& file)
{
    m_own.SetDocument(file.Document());
    return m_own.Save();
}

bool SyncFolder::ReadOwn(ComputerFile& file, std::string& reason) const
{
    if (!m_files.Exists(m_own.GetPath()))
        return false;
    return ComputerFile::ReadPath(m_own.GetPath(), file, reason);
}
