#pragma once

#include <string>
#include <vector>

// What the stores need of the file system beyond reading and writing a file's
// bytes. Paths are UTF-8.
class FileSystem {
public:
    enum class MoveResult { Moved, TargetExists, Failed };
    // A file as a folder's listing shows it: what tells that it changed.
    struct Facts {
        std::string name;
        unsigned long long size = 0;
        unsigned long long modified = 0;  // in the system's own unit
        bool operator==(const Facts& other) const
        {
            return name == other.name && size == other.size && modified == other.modified;
        }
    };

    virtual ~FileSystem() = default;

    virtual bool Exists(const std::string& path) const = 0;
    // Brings what was written to the file to the disk, so that a rename done
    // after it never reaches the disk before the data.
    virtual bool Flush(const std::string& path) = 0;
    // Moves from onto to, replacing what is there, in one step that a power cut
    // leaves either before or after.
    virtual bool Replace(const std::string& from, const std::string& to) = 0;
    // Moves from to a name that must not be taken yet; may copy across volumes
    // when copyAllowed.
    virtual MoveResult Move(const std::string& from, const std::string& to, bool copyAllowed) = 0;
    // Copies from to a new file to; fails when to exists.
    virtual bool CopyNew(const std::string& from, const std::string& to) = 0;
    virtual bool Remove(const std::string& path) = 0;
    // The same file by the system's rules of naming (under Windows letter case aside).
    virtual bool SamePath(const std::string& a, const std::string& b) const = 0;
    // The files (not folders) in folder; none when it cannot be read.
    virtual std::vector<Facts> List(const std::string& folder) const = 0;
    // Why the last call of this thread failed, as the system words it.
    virtual std::string LastErrorText() const = 0;
};
