#include "support/BoxRecorder.h"
#include "support/core/StoreFiles.h"

#include "entries/NoteStore.h"
#include "shared/CDataFolder.h"
#include "support/TestProcess.h"
#include "xml/Exception.h"
#include "xml/XmlParser.h"
#include "support/TestPlatform.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using util::xml::XmlElement;

namespace {

const char* const SAVE_LOOP_VARIABLE = "ZORLA_ENTRIES_SAVE_LOOP";
const int SMALL_COUNT = 300;
const int LARGE_COUNT = 3000;

std::unique_ptr<XmlElement> MakeDocument(int count, const std::string& prefix)
{
    auto root = std::make_unique<XmlElement>("DATABASE");
    for (int i = 0; i < count; ++i) {
        CEntry entry;
        entry.SetText(prefix + std::to_string(i));
        entry.id = i + 1;
        entry.date = DateTime(2026, 12, 7, 14, 0, 0);
        entry.AppendTo(root.get());
    }
    return root;
}

// True when the file holds exactly one of the two documents the save loop writes.
::testing::AssertionResult IsWholeDocument(const std::string& path)
{
    std::unique_ptr<XmlElement> root;
    try {
        root = util::xml::XmlParser().parseFile(path);
    } catch (const util::io::Exception& e) {
        return ::testing::AssertionFailure() << e.toString();
    }
    const int count = root->getChildCount();
    const std::string prefix = count == SMALL_COUNT ? "alpha " : "beta ";
    if (count != SMALL_COUNT && count != LARGE_COUNT)
        return ::testing::AssertionFailure() << count << " entries";
    for (int i = 0; i < count; ++i) {
        if (root->getChild(i)->getAttribute("text") != prefix + std::to_string(i))
            return ::testing::AssertionFailure() << "entry " << i << " differs";
    }
    return ::testing::AssertionSuccess();
}

std::string SelfPath()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

const std::string GARBAGE = std::string(DECLARATION) + "<DATABASE><ENTRY _id_=\"1\"";

}  // namespace

// Started by AtomicSave.KilledSaveLeavesOldOrNewFile as a child process; does
// nothing in a normal test run.
TEST(SaveLoopChild, SavesUntilKilled)
{
    char folder[MAX_PATH] = "";
    if (!GetEnvironmentVariableA(SAVE_LOOP_VARIABLE, folder, MAX_PATH))
        GTEST_SKIP() << "runs only as the child of AtomicSave.KilledSaveLeavesOldOrNewFile";
    NoteStore small(folder, TestPlatform::Files());
    NoteStore large(folder, TestPlatform::Files());
    small.SetDocument(MakeDocument(SMALL_COUNT, "alpha "));
    large.SetDocument(MakeDocument(LARGE_COUNT, "beta "));
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 60000;) {
        ASSERT_TRUE(small.Save());
        ASSERT_TRUE(large.Save());
    }
}

TEST(AtomicSave, KilledSaveLeavesOldOrNewFile)
{
    TempFolder folder;
    const std::string file = folder.File("Zorla_Notes");
    SetEnvironmentVariableA(SAVE_LOOP_VARIABLE, folder.Path().c_str());
    for (int round = 0; round < 24; ++round) {
        DeleteFileA(file.c_str());
        TestProcess child;
        ASSERT_TRUE(child.Start(SelfPath(), "--gtest_filter=SaveLoopChild.SavesUntilKilled"));
        ASSERT_TRUE(WaitUntil([&] { return FileExists(file); }, 30000)) << "the child never saved";
        // Different moments of the save cycle, which takes some milliseconds.
        Sleep(static_cast<DWORD>(round * 13 % 97));
        ASSERT_TRUE(child.Running()) << "the child stopped saving on its own";
        child.Kill();
        ASSERT_TRUE(IsWholeDocument(file)) << "killed after " << round * 13 % 97 << " ms";
    }
    SetEnvironmentVariableA(SAVE_LOOP_VARIABLE, nullptr);

    NoteStore store(folder.Path(), TestPlatform::Files());
    ASSERT_TRUE(store.Load());
    EXPECT_TRUE(store.HasEntries());
}

TEST(AtomicSave, FailedWriteReportsAndKeepsTheOldFile)
{
    TempFolder folder;
    NoteStore store(folder.Path(), TestPlatform::Files());
    ASSERT_TRUE(store.Load());
    CEntry entry;
    ASSERT_TRUE(store.AddEntry(entry));
    ASSERT_TRUE(store.Save());
    const std::string before = ReadBytes(store.GetPath());

    // A folder where the temporary file must go makes its creation fail.
    ASSERT_TRUE(CreateDirectoryA((store.GetPath() + ".tmp").c_str(), nullptr));
    CEntry second;
    ASSERT_TRUE(store.AddEntry(second));
    BoxRecorder recorder;
    EXPECT_FALSE(store.Save());
    EXPECT_TRUE(recorder.Stop().empty()) << "the store shows nothing itself";
    EXPECT_EQ(store.TakeProblems(),
              std::vector<StoreProblem>({{StoreProblem::WriteFailed, store.GetPath(), std::string()}}));
    EXPECT_FALSE(store.HasProblems()) << "taken once";
    EXPECT_EQ(ReadBytes(store.GetPath()), before);
}

TEST(AtomicSave, UnreplaceableTargetReportsAndLeavesNoTemporaryFile)
{
    TempFolder folder;
    NoteStore store(folder.Path(), TestPlatform::Files());
    ASSERT_TRUE(store.Load());
    // A folder in the place of the data file can be neither written nor replaced.
    ASSERT_TRUE(CreateDirectoryA(store.GetPath().c_str(), nullptr));
    EXPECT_FALSE(store.Save());
    const std::vector<StoreProblem> problems = store.TakeProblems();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].kind, StoreProblem::WriteFailed);
    EXPECT_FALSE(FileExists(store.GetPath() + ".tmp"));
    EXPECT_TRUE(GetFileAttributesA(store.GetPath().c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(DamagedFile, IsMovedAsideWithNumberedNamesAndReported)
{
    TempFolder folder;
    const std::string file = folder.File("Zorla_Notes");
    NoteStore store(folder.Path(), TestPlatform::Files());
    for (const char* suffix : {".bad", ".bad2", ".bad3"}) {
        const std::string damaged = GARBAGE + suffix;
        WriteBytes(file, damaged);
        EXPECT_FALSE(store.Load());
        EXPECT_EQ(store.TakeProblems(), std::vector<StoreProblem>({{StoreProblem::SetAside, file, file + suffix}}));
        EXPECT_EQ(ReadBytes(file + suffix), damaged);
        EXPECT_FALSE(FileExists(file));
        EXPECT_FALSE(store.HasEntries());
    }
}

TEST(DamagedFile, LoadOrStartEmptyGoesOnWithAnEmptyStore)
{
    TempFolder folder;
    const std::string file = folder.File("Zorla_Notes");
    WriteBytes(file, "");
    NoteStore store(folder.Path(), TestPlatform::Files());
    EXPECT_FALSE(store.LoadOrStartEmpty());
    EXPECT_EQ(store.TakeProblems().size(), 1u);
    EXPECT_TRUE(FileExists(file + ".bad"));
    CEntry entry;
    ASSERT_TRUE(store.AddEntry(entry));
    EXPECT_EQ(entry.id, 1);
    ASSERT_TRUE(store.Save());
    EXPECT_TRUE(store.Load());
    EXPECT_TRUE(store.HasEntries());
}

TEST(UnreadableFile, IsReportedWithTheExceptionAndNeverOverwritten)
{
    TempFolder folder;
    const std::string file = folder.File("Zorla_Notes");
    WriteBytes(file, std::string(DECLARATION) + "<DATABASE/>");
    NoteStore store(folder.Path(), TestPlatform::Files());
    {
        // Another program holds the file open without sharing it.
        HANDLE lock = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(lock, INVALID_HANDLE_VALUE);
        EXPECT_FALSE(store.LoadOrStartEmpty());
        CloseHandle(lock);
        EXPECT_EQ(store.TakeProblems(), std::vector<StoreProblem>({{StoreProblem::Unreadable, file,
                                                                    "uil.io.FileNotFoundException: " + file}}));
    }
    CEntry entry;
    EXPECT_FALSE(store.AddEntry(entry)) << "a store without a document takes nothing";
    EXPECT_TRUE(store.Save());
    EXPECT_EQ(ReadBytes(file), std::string(DECLARATION) + "<DATABASE/>");
}

TEST(DataFolder, ProgramFolderWhenFilesCanBeCreatedThere)
{
    TempFolder program;
    TempFolder user;
    EXPECT_EQ(CDataFolder::Choose(program.Path(), user.Path() + "\\a"), program.Path() + "\\");
    EXPECT_FALSE(FileExists(user.Path() + "\\a"));

    // The probe leaves nothing behind.
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((program.Path() + "\\*").c_str(), &found);
    int names = 0;
    if (search != INVALID_HANDLE_VALUE) {
        do
            ++names;
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    EXPECT_EQ(names, 2) << "only . and ..";
}

TEST(DataFolder, ReadOnlyAttributeAloneDoesNotMoveTheFiles)
{
    TempFolder program;
    TempFolder user;
    ASSERT_TRUE(SetFileAttributesA(program.Path().c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string chosen = CDataFolder::Choose(program.Path(), user.Path() + "\\a");
    SetFileAttributesA(program.Path().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(chosen, program.Path() + "\\");
}

TEST(DataFolder, UserFolderIsCreatedWhenTheProgramFolderTakesNoFiles)
{
    TempFolder base;
    const std::string user = base.Path() + "\\Velloran Software\\entries_tests";
    EXPECT_EQ(CDataFolder::Choose(base.Path() + "\\missing", user), user + "\\");
    EXPECT_TRUE(GetFileAttributesA(user.c_str()) & FILE_ATTRIBUTE_DIRECTORY);

    // A file where the program folder should be, as a stand-in for a folder the
    // user may not write to.
    WriteBytes(base.File("program"), "x");
    EXPECT_EQ(CDataFolder::Choose(base.File("program"), user), user + "\\");

    // Neither usable: the temporary folder is the last resort.
    EXPECT_EQ(CDataFolder::Choose(base.File("program"), base.File("program") + "\\user"),
              CDataFolder::TemporaryFolder());
}

TEST(DataFolder, UserFolderIsNamedAfterTheExecutable)
{
    const std::string user = CDataFolder::UserFolder();
    const std::string tail = "\\Velloran Software\\entries_tests";
    ASSERT_GT(user.size(), tail.size());
    EXPECT_EQ(user.substr(user.size() - tail.size()), tail);
    EXPECT_EQ(CDataFolder::ProgramFolder(), ModuleFolder());
}

TEST(LegacyFile, FileInTheTemporaryFolderIsMovedOverOnFirstLoad)
{
    TempFolder data;
    TempFolder legacy;
    const std::string old =
        std::string(DECLARATION) +
        "<DATABASE><ENTRY _id_=\"4\" date=\"03/14/2004 09:05:00\" text=\"kept\" wndX=\"1\" wndY=\"2\"/></DATABASE>";
    WriteBytes(legacy.File("Zorla_Notes"), old);
    NoteStore store(data.Path(), TestPlatform::Files(), {legacy.Path()});
    ASSERT_TRUE(store.Load());
    CEntry entry;
    ASSERT_TRUE(store.GetEntryById(4, entry));
    EXPECT_EQ(entry.text, "kept");
    EXPECT_EQ(ReadBytes(data.File("Zorla_Notes")), old);
    EXPECT_FALSE(FileExists(legacy.File("Zorla_Notes")));
}

TEST(LegacyFile, FileInTheDataFolderWins)
{
    TempFolder data;
    TempFolder legacy;
    WriteBytes(data.File("Zorla_Notes"), std::string(DECLARATION) + "<DATABASE/>");
    WriteBytes(legacy.File("Zorla_Notes"), "old");
    NoteStore store(data.Path(), TestPlatform::Files(), {legacy.Path()});
    ASSERT_TRUE(store.Load());
    EXPECT_FALSE(store.HasEntries());
    EXPECT_EQ(ReadBytes(legacy.File("Zorla_Notes")), "old");
}
