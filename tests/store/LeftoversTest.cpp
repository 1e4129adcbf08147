#include "shared/Leftovers.h"

#include "framework/Handles.h"
#include "support/TestFiles.h"
#include "support/TestProcess.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

std::set<std::string> Names(const TempFolder& folder)
{
    std::set<std::string> names;
    WIN32_FIND_DATAA found{};
    FindHandle search(FindFirstFileA(folder.File("*").c_str(), &found));
    if (!search)
        return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.insert(name);
    } while (FindNextFileA(search.get(), &found));
    return names;
}

void Plant(const TempFolder& folder, const std::set<std::string>& names)
{
    for (const std::string& name : names)
        ASSERT_TRUE(TestFiles::Write(folder.File(name), "x")) << name;
}

}  // namespace

TEST(Leftovers, OnlyTheProgramsOwnTemporariesAreRemoved)
{
    TempFolder data;
    TempFolder temp;
    const std::set<std::string> dataKept = {
        "Zorla_Notes", "Zorla_Notes.bad", "Zorla_Notes.bad2", "Zorla_Notes.tmp.bad", "Zorla_Notes.bad.tmp",
        // Its short name ends in ".TMP", which the wildcard matches.
        "Zorla_Notes.tmpx", "Zorla_.tmp", "Other_Notes.tmp", "zrl1A2B.tmp", "zpr3C4D.tmp", "Zorla.zip.0001ABCD.tmp"};
    const std::set<std::string> tempKept = {"Zorla.zip",
                                            "Zorla.zip.tmp",
                                            "Zorla.zip.0001ABC.tmp",
                                            "Zorla.zip.0001ABCG.tmp",
                                            "Zorla.zip.0001ABCDE.tmp",
                                            "Zorla.zip.0001ABCD.tmp.bad",
                                            "Other.zip.0001ABCD.tmp",
                                            "MyZorla.zip.0001ABCD.tmp",
                                            "zrl1A2B.tmp",
                                            "Zorla_Notes.tmp"};
    Plant(data, dataKept);
    Plant(data, {"Zorla_Notes.tmp", "Zorla_Weather.tmp", "zorla_timer.TMP"});
    Plant(temp, tempKept);
    Plant(temp, {"Zorla.zip.0001ABCD.tmp", "zorla.ZIP.deadbeef.TMP"});
    ASSERT_TRUE(CreateDirectoryA(data.File("Zorla_Folder.tmp").c_str(), nullptr));

    // A temporary some writer still holds open stays: it is no leftover.
    Plant(temp, {"Zorla.zip.00000001.tmp"});
    {
        KernelHandle open(CreateFileA(temp.File("Zorla.zip.00000001.tmp").c_str(), GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(open);
        EXPECT_EQ(Leftovers::Remove(data.Path(), temp.Path() + "\\", "Zorla.zip"), 5);
    }

    std::set<std::string> dataAfter = dataKept;
    dataAfter.insert("Zorla_Folder.tmp");
    EXPECT_EQ(Names(data), dataAfter);
    std::set<std::string> tempAfter = tempKept;
    tempAfter.insert("Zorla.zip.00000001.tmp");
    EXPECT_EQ(Names(temp), tempAfter);

    EXPECT_EQ(Leftovers::Remove(data.Path(), temp.Path(), "Zorla.zip"), 1) << "closed, it is one";
    EXPECT_EQ(Leftovers::Remove(data.File("missing"), "", "Zorla.zip"), 0);
    RemoveDirectoryA(data.File("Zorla_Folder.tmp").c_str());
}

TEST(Leftovers, ArchiveTemporariesGetNewNamesThatRemoveRecognises)
{
    TempFolder temp;
    const std::string archive = temp.File("My.Quokka.zip");
    const std::string first = Leftovers::CreateArchiveTemporary(archive);
    const std::string second = Leftovers::CreateArchiveTemporary(archive);
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
    EXPECT_NE(first, second);
    EXPECT_TRUE(TestFiles::Exists(first));
    EXPECT_TRUE(TestFiles::Exists(second));
    EXPECT_EQ(first.rfind(archive + ".", 0), 0u);
    EXPECT_TRUE(Leftovers::IsArchiveTemporary(first.substr(temp.Path().size() + 1), "My.Quokka.zip"));

    EXPECT_EQ(Leftovers::Remove("", temp.Path(), "My.Quokka.zip"), 2);
    EXPECT_EQ(Names(temp), std::set<std::string>{});
    EXPECT_EQ(Leftovers::CreateArchiveTemporary(temp.File("missing\\Zorla.zip")), "");
}
