#include "framework/AfxFunctions.h"
#include "framework/ProgramPath.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

namespace {

// What the loader says, asked with room for the longest path Windows allows.
std::string LoaderPath()
{
    std::vector<char> path(32768);
    const DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return std::string(path.data(), length);
}

TEST(ProgramPath, IsTheWholePathOfTheRunningExecutable)
{
    const std::string path = ProgramPath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path, LoaderPath());
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(ProgramPath, FolderIsThePathWithoutTheFileName)
{
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '\\');
    EXPECT_EQ(folder + "\\" + AfxGetModuleBaseName() + ".exe", ProgramPath());
    const DWORD attributes = ::GetFileAttributesA(folder.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace
