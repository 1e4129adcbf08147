#include "framework/AnsiPath.h"
#include "support/TestFiles.h"
#include "support/TestProcess.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// What the C runtime reads of a file by a narrow name.
std::string ReadNarrow(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return "not opened: " + path;
    char bytes[16] = "";
    const size_t read = std::fread(bytes, 1, sizeof bytes, file);
    std::fclose(file);
    return std::string(bytes, read);
}

TEST(AnsiPath, FilesInFoldersOfAnyScriptOpenByTheNarrowName)
{
    TempFolder other(kNonAnsiName);
    TempFolder western("M\xC3\xBCller");  // in the ANSI code page of Western Europe
    TempFolder ascii;
    for (const TempFolder* folder : {&other, &western, &ascii}) {
        const std::string file = folder->File("Zorla_Notes");
        ASSERT_TRUE(TestFiles::Write(file, "notes"));
        EXPECT_EQ(ReadNarrow(PathForAnsiCalls(file)), "notes") << file;
    }
    EXPECT_EQ(PathForAnsiCalls(ascii.File("Zorla_Notes")), ascii.File("Zorla_Notes"));
}

}  // namespace
