#pragma once

#include "base/FileSystem.h"

// The stores' file operations through the Windows API, by wide names.
class WindowsFileSystem : public FileSystem {
public:
    bool Exists(const std::string& path) const override;
    bool Flush(const std::string& path) override;
    bool Replace(const std::string& from, const std::string& to) override;
    MoveResult Move(const std::string& from, const std::string& to, bool copyAllowed) override;
    bool CopyNew(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
    bool SamePath(const std::string& a, const std::string& b) const override;
    std::vector<Facts> List(const std::string& folder) const override;
    std::string LastErrorText() const override;
};
