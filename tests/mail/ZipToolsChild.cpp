#include "mail/ZipProgramForMail.h"
#include "mail/ZipWriter.h"

#include "ArchiveBytes.h"
#include "support/TestFiles.h"
#include "support/TestProcess.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

// Started by tests/mail/check_archives.sh, never by ctest itself: makes the
// archives that Debian's unzip and Python's zipfile then check on the Linux
// side, in the folder that ZORLA_ZIP_CHECK_FOLDER names, each beside its source.
TEST(ZipToolsChild, MakeArchivesForTheStandardTools)
{
    const char* folder = std::getenv("ZORLA_ZIP_CHECK_FOLDER");
    ASSERT_TRUE(folder && *folder) << "ZORLA_ZIP_CHECK_FOLDER names no folder";
    const std::string out = folder;

    // The real program, packed the way the mail packs it.
    const std::string program = out + "\\Zorla.exe";
    ASSERT_TRUE(CopyFileA((ModuleFolder() + "\\Zorla.exe").c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(SetEnvironmentVariableA("TMP", out.c_str()));
    std::string path = program;
    std::string title = "Zorla.exe";
    ASSERT_TRUE(ZipProgramForMail(path, title, nullptr));
    ASSERT_EQ(title, "Zorla.zip");

    // Varied data with a known time and the read-only attribute; and an empty file.
    const std::string varied = out + "\\Varied.bin";
    ASSERT_TRUE(TestFiles::Write(varied, VariedBytes(400 * 1024, 21)));
    ASSERT_TRUE(TestFiles::SetWriteTime(varied, 2019, 6, 15, 13, 45, 38));
    ASSERT_TRUE(SetFileAttributesA(varied.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string empty = out + "\\Empty.txt";
    ASSERT_TRUE(TestFiles::Write(empty, ""));
    // A name in other scripts, which goes in as UTF-8 with the flag that says so.
    const std::string named = out + "\\" + kNonAnsiName + ".txt";
    ASSERT_TRUE(TestFiles::Write(named, "named"));
    for (const std::string& source : {varied, empty, named}) {
        ZipWriter writer;
        const std::string archive =
            source == named ? out + "\\Named.zip" : source.substr(0, source.rfind('.')) + ".zip";
        ASSERT_TRUE(writer.Create(archive));
        ASSERT_TRUE(writer.AddFile(source, 9));
        ASSERT_TRUE(writer.Close());
    }
    ASSERT_TRUE(SetFileAttributesA(varied.c_str(), FILE_ATTRIBUTE_NORMAL));
}
