#pragma once

#include <string>

// The program's own temporary files, which a kill in the middle of a write
// leaves behind: a data file being saved ("Zorla_<store>.tmp" beside the data
// files) and the mail's archive being packed ("<archive>.<8 hex digits>.tmp"
// beside the archive in the temporary folder). Both are written under their
// temporary name and moved into place once complete, so one still there while
// no other instance runs is the rest of a cut write.
class Leftovers {
public:
    // Creates an empty file under a new temporary name for the archive at
    // archivePath and returns its path; empty when none can be created.
    static std::string CreateArchiveTemporary(const std::string& archivePath);

    // Deletes the data files' temporaries in dataFolder and the temporaries of
    // the archive named archiveName ("Zorla.zip") in temporaryFolder, and
    // nothing else; returns how many went. Only for a program that runs alone:
    // another instance may be writing them.
    static int Remove(const std::string& dataFolder, const std::string& temporaryFolder,
                      const std::string& archiveName);

    // Whether a file name is one of those temporaries; letter case aside, as
    // Windows compares names.
    static bool IsDataTemporary(const std::string& name);
    static bool IsArchiveTemporary(const std::string& name, const std::string& archiveName);
};
