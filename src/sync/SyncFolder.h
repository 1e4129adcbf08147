#pragma once

#include "base/FileSystem.h"
#include "store/XmlStore.h"
#include "sync/ComputerFile.h"

#include <map>
#include <string>
#include <vector>

// The folder a sync service mirrors between the user's computers. Each
// computer writes one file of its own, "Zorla_<computer>.zorla", and only reads
// the others'. Copies a sync service made of a file when two computers wrote
// it at once ("Zorla_<computer> (conflicted copy ...).zorla" and the like) are
// read like the others and then removed.
class SyncFolder {
public:
    struct Arrival {
        std::string path;
        FileSystem::Facts facts;
        bool copy = false;  // a copy the sync service made: removed once read
    };

    SyncFolder(const std::string& folder, const std::string& computer, FileSystem& files);

    const std::string& Folder() const { return m_folder; }
    const std::string& OwnPath() const { return m_own.GetPath(); }

    // The computer whose file a name is: its file or a copy of it. False for any
    // other name.
    static bool ComputerOf(const std::string& name, std::string& computer, bool& copy);

    // The files that appeared or changed since they were last taken or refused,
    // this computer's own file excepted.
    std::vector<Arrival> Arrivals();
    // The arrival was read and merged (a copy is removed).
    void Taken(const Arrival& arrival);
    // The arrival could not be read: it is left alone until it changes. True
    // when the same file stayed unreadable over two checks, once, which is when
    // the user should hear of it: a file still being written is not news.
    bool Refused(const Arrival& arrival);

    // Writes this computer's file in one step; false (the problem waits in
    // TakeProblems) when it could not be written.
    bool WriteOwn(const ComputerFile& file);
    // This computer's file as it stands in the folder; false when there is none.
    bool ReadOwn(ComputerFile& file, std::string& reason) const;
    std::vector<StoreProblem> TakeProblems() { return m_own.TakeProblems(); }

private:
    std::string m_folder;
    std::string m_computer;
    FileSystem& m_files;
    XmlStore m_own;
    std::map<std::string, FileSystem::Facts> m_known;     // taken or refused for good, by name
    std::map<std::string, FileSystem::Facts> m_suspects;  // refused once, as they were then
};
