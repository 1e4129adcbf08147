#include "mail/ZipProgramForMail.h"
#include "mail/ZipWriter.h"

#include "ArchiveBytes.h"
#include "framework/CWinApp.h"
#include "framework/Utf8.h"
#include "shared/AppTranslator.h"
#include "shared/Translator.h"
#include "support/TestFiles.h"
#include "support/TestProcess.h"
#include "support/TestRegistry.h"
#include "widgets/CProgressWnd.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// The program file sits in a folder of its own; the temporary folder (TMP, which
// GetTempPathA reads first) is pointed at an empty folder for each test.
class ZipProgramForMailTest : public testing::Test {
protected:
    void SetUp() override
    {
        char saved[MAX_PATH] = "";
        m_hadTmp = GetEnvironmentVariableA("TMP", saved, sizeof saved) != 0;
        m_savedTmp = saved;
        program = programs.File("Zorla.exe");
        content = VariedBytes(300 * 1024, 5);
        ASSERT_TRUE(TestFiles::Write(program, content));
        ASSERT_TRUE(TestFiles::SetWriteTime(program, 2026, 11, 20, 10, 0, 0));
        ASSERT_TRUE(SetEnvironmentVariableA("TMP", temp.Path().c_str()));
    }
    void TearDown() override { SetEnvironmentVariableA("TMP", m_hadTmp ? m_savedTmp.c_str() : nullptr); }

    // "<temporary folder>\Zorla.zip" as GetTempPathA names the folder.
    static std::string Archive(const std::string& name = "Zorla.zip")
    {
        char folder[MAX_PATH] = "";
        GetTempPathA(sizeof folder, folder);
        return folder + name;
    }

    bool Zip(CProgressWnd* progress = nullptr)
    {
        path = program;
        title = "Zorla.exe";
        return ZipProgramForMail(path, title, progress);
    }

    // The names in the temporary folder: an archive, and no temporary file left.
    std::set<std::string> TempFiles() const { return NamesIn(temp); }
    static std::set<std::string> NamesIn(const TempFolder& folder)
    {
        std::set<std::string> names;
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW(Widen(folder.Path() + "\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            const std::string name = Narrow(found.cFileName);
            if (name != "." && name != "..")
                names.insert(name);
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return names;
    }

    // The archive holds the program file as it is now.
    void ExpectArchiveOfProgram(const std::string& archive)
    {
        const ArchiveBytes zip = ArchiveBytes::Read(TestFiles::Bytes(archive));
        ASSERT_EQ(zip.problem, "");
        EXPECT_EQ(zip.entries, 1);
        EXPECT_EQ(zip.name, "Zorla.exe");
        EXPECT_EQ(zip.method, 8);
        EXPECT_EQ(zip.flag, 2);
        EXPECT_EQ(zip.crc, Crc32(content));
        std::string inflated;
        EXPECT_TRUE(InflateRaw(zip.compressed, inflated));
        EXPECT_TRUE(inflated == content) << "the archive holds this program, byte for byte";
    }

    // Puts an archive of source at the archive's place, stamped as made after the
    // program, so only its content can make it stale.
    void PlaceArchiveOf(const std::string& source)
    {
        ZipWriter writer;
        ASSERT_TRUE(writer.Create(Archive()));
        ASSERT_TRUE(writer.AddFile(source, 9));
        ASSERT_TRUE(writer.Close());
        ASSERT_TRUE(TestFiles::SetWriteTime(Archive(), 2026, 12, 1, 9, 0, 0));
    }

    TempFolder programs;
    TempFolder temp;
    std::string program;
    std::string content;
    std::string path;
    std::string title;

private:
    bool m_hadTmp = false;
    std::string m_savedTmp;
};

}  // namespace

TEST_F(ZipProgramForMailTest, ArchiveInTheTemporaryFolderIsNamedAfterTheProgram)
{
    ASSERT_TRUE(Zip());
    EXPECT_EQ(path, Archive());
    EXPECT_EQ(path, temp.Path() + "\\Zorla.zip");
    EXPECT_EQ(title, "Zorla.zip");
    ExpectArchiveOfProgram(path);
    EXPECT_EQ(TempFiles(), std::set<std::string>{"Zorla.zip"}) << "no temporary file stays behind";

    // Only the last extension goes; the entry keeps the whole file name.
    const std::string dotted = programs.File("My.Quokka.exe");
    ASSERT_TRUE(TestFiles::Write(dotted, "dotted"));
    path = dotted;
    title = "My.Quokka.exe";
    ASSERT_TRUE(ZipProgramForMail(path, title, nullptr));
    EXPECT_EQ(path, Archive("My.Quokka.zip"));
    EXPECT_EQ(title, "My.Quokka.zip");
    EXPECT_EQ(ArchiveBytes::Read(TestFiles::Bytes(path)).name, "My.Quokka.exe");
}

// A program copied into a folder named in other scripts, by a user whose profile
// (and so temporary folder) is named so too: the archive keeps the name in
// UTF-8 and says so, and an ASCII name above stays without the flag.
TEST_F(ZipProgramForMailTest, FoldersAndNamesInOtherScriptsSurvive)
{
    TempFolder otherPrograms(kNonAnsiName);
    TempFolder otherTemp(kNonAnsiName);
    const std::string name = kNonAnsiName;
    program = otherPrograms.File(name + ".exe");
    ASSERT_TRUE(TestFiles::Write(program, content));
    ASSERT_TRUE(TestFiles::SetWriteTime(program, 2026, 11, 20, 10, 0, 0));
    ASSERT_TRUE(SetEnvironmentVariableW(L"TMP", Widen(otherTemp.Path()).c_str()));

    path = program;
    title = name + ".exe";
    ASSERT_TRUE(ZipProgramForMail(path, title, nullptr));
    EXPECT_EQ(path, otherTemp.File(name + ".zip"));
    EXPECT_EQ(title, name + ".zip");
    EXPECT_EQ(NamesIn(otherTemp), std::set<std::string>{name + ".zip"}) << "no temporary file stays behind";
    const ArchiveBytes zip = ArchiveBytes::Read(TestFiles::Bytes(path));
    ASSERT_EQ(zip.problem, "");
    EXPECT_EQ(zip.name, name + ".exe");
    EXPECT_EQ(zip.localName, name + ".exe");
    EXPECT_EQ(zip.flag, 0x802) << "bit 11: the name is UTF-8";
    EXPECT_EQ(zip.localFlag, 0x802);

    // Recognised as this program's archive and reused.
    ASSERT_TRUE(TestFiles::SetWriteTime(path, 2026, 12, 1, 9, 0, 0));
    const ULONGLONG stamp = TestFiles::WriteTime(path);
    path = program;
    ASSERT_TRUE(ZipProgramForMail(path, title, nullptr));
    EXPECT_EQ(TestFiles::WriteTime(path), stamp);
}

TEST_F(ZipProgramForMailTest, ArchiveOfThisProgramIsReusedUnchanged)
{
    ASSERT_TRUE(Zip());
    // Stamped by hand: a rebuild would stamp it with today.
    ASSERT_TRUE(TestFiles::SetWriteTime(Archive(), 2026, 12, 1, 9, 0, 0));
    const ULONGLONG stamped = TestFiles::WriteTime(Archive());
    const std::string before = TestFiles::Bytes(Archive());

    ASSERT_TRUE(Zip());
    EXPECT_EQ(path, Archive());
    EXPECT_EQ(title, "Zorla.zip");
    EXPECT_EQ(TestFiles::WriteTime(Archive()), stamped);

    // A running program file cannot be opened by others in every way; the check
    // of a fresh archive only reads its attributes.
    KernelHandle locked(CreateFileA(program.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(locked);
    ASSERT_TRUE(Zip());
    EXPECT_EQ(TestFiles::WriteTime(Archive()), stamped);
    EXPECT_TRUE(TestFiles::Bytes(Archive()) == before);
    EXPECT_EQ(TempFiles(), std::set<std::string>{"Zorla.zip"});
}

TEST_F(ZipProgramForMailTest, ArchiveThatIsNotOfThisProgramIsRebuilt)
{
    auto expectRebuilt = [&](const char* what) {
        SCOPED_TRACE(what);
        const ULONGLONG stamped = TestFiles::WriteTime(Archive());
        ASSERT_TRUE(Zip());
        EXPECT_EQ(path, Archive());
        EXPECT_NE(TestFiles::WriteTime(Archive()), stamped);
        ExpectArchiveOfProgram(Archive());
        EXPECT_EQ(TempFiles(), std::set<std::string>{"Zorla.zip"});
    };

    // Made from an earlier version of the same size, before this one was installed.
    const std::string earlier = programs.File("earlier\\Zorla.exe");
    ASSERT_TRUE(CreateDirectoryA(programs.File("earlier").c_str(), nullptr));
    ASSERT_TRUE(TestFiles::Write(earlier, VariedBytes(content.size(), 99)));
    PlaceArchiveOf(earlier);
    ASSERT_TRUE(TestFiles::SetWriteTime(Archive(), 2026, 11, 1, 9, 0, 0));
    expectRebuilt("older than the program");

    ASSERT_TRUE(TestFiles::Write(earlier, VariedBytes(content.size() - 1, 99)));
    PlaceArchiveOf(earlier);
    expectRebuilt("of another size");

    const std::string other = programs.File("Other.exe");
    ASSERT_TRUE(TestFiles::Write(other, content));
    PlaceArchiveOf(other);
    expectRebuilt("of another name");

    ASSERT_TRUE(Zip());
    const std::string whole = TestFiles::Bytes(Archive());
    ASSERT_TRUE(TestFiles::Write(Archive(), whole.substr(0, whole.size() - 10)));
    ASSERT_TRUE(TestFiles::SetWriteTime(Archive(), 2026, 12, 1, 9, 0, 0));
    expectRebuilt("cut short");

    ASSERT_TRUE(TestFiles::Write(Archive(), VariedBytes(5000, 1)));
    ASSERT_TRUE(TestFiles::SetWriteTime(Archive(), 2026, 12, 1, 9, 0, 0));
    expectRebuilt("garbage");

    ASSERT_TRUE(TestFiles::Write(Archive(), ""));
    ASSERT_TRUE(TestFiles::SetWriteTime(Archive(), 2026, 12, 1, 9, 0, 0));
    expectRebuilt("empty");
}

TEST_F(ZipProgramForMailTest, FailureLeavesNoArchiveAndPathAndTitleAsTheyWere)
{
    auto expectFailure = [&](const char* what) {
        SCOPED_TRACE(what);
        EXPECT_FALSE(Zip());
        EXPECT_EQ(path, program);
        EXPECT_EQ(title, "Zorla.exe");
    };

    ASSERT_TRUE(SetEnvironmentVariableA("TMP", temp.File("missing").c_str()));
    expectFailure("temporary folder missing");
    EXPECT_FALSE(TestFiles::Exists(temp.File("missing")));
    ASSERT_TRUE(TestFiles::Write(temp.File("a file"), "not a folder"));
    ASSERT_TRUE(SetEnvironmentVariableA("TMP", temp.File("a file").c_str()));
    expectFailure("temporary folder is a file");
    ASSERT_TRUE(DeleteFileA(temp.File("a file").c_str()));
    ASSERT_TRUE(SetEnvironmentVariableA("TMP", temp.Path().c_str()));

    {
        KernelHandle locked(CreateFileA(program.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(locked);
        expectFailure("program file locked");
        EXPECT_EQ(TempFiles(), std::set<std::string>{});

        // An old archive must not go out in place of the program that cannot be read.
        const std::string old = programs.File("old\\Zorla.exe");
        ASSERT_TRUE(CreateDirectoryA(programs.File("old").c_str(), nullptr));
        ASSERT_TRUE(TestFiles::Write(old, "an old version"));
        PlaceArchiveOf(old);
        ASSERT_TRUE(TestFiles::SetWriteTime(Archive(), 2026, 11, 1, 9, 0, 0));
        const std::string stale = TestFiles::Bytes(Archive());
        expectFailure("stale archive and program file locked");
        EXPECT_TRUE(TestFiles::Bytes(Archive()) == stale) << "left as it was, not half overwritten";
        EXPECT_EQ(TempFiles(), std::set<std::string>{"Zorla.zip"});
        ASSERT_TRUE(DeleteFileA(Archive().c_str()));
    }

    // A folder where the archive belongs: the finished archive cannot be moved there.
    ASSERT_TRUE(CreateDirectoryA(Archive().c_str(), nullptr));
    expectFailure("archive's place taken by a folder");
    EXPECT_EQ(TempFiles(), std::set<std::string>{"Zorla.zip"});
    ASSERT_TRUE(RemoveDirectoryA(Archive().c_str()));

    ASSERT_TRUE(DeleteFileA(program.c_str()));
    expectFailure("program file missing");
    EXPECT_EQ(TempFiles(), std::set<std::string>{});
}

namespace {

class ZipProgressTest : public ZipProgramForMailTest {
protected:
    void SetUp() override
    {
        ZipProgramForMailTest::SetUp();
        app = AfxGetApp()->m_pszAppName;
        TestRegistry::DeleteApp(app);
        AfxGetApp()->SetRegistryKey("Velloran Software");
        FillTranslationTable(GetTranslator());
    }
    void TearDown() override
    {
        TestRegistry::DeleteApp(app);
        ZipProgramForMailTest::TearDown();
    }

    // The progress window's text line and bar after packing.
    void Pack(std::string& text, LRESULT& position)
    {
        CProgressWnd progress(nullptr, "Send Quokka");
        ASSERT_TRUE(progress.IsCreated());
        ASSERT_TRUE(Zip(&progress));
        text = CWnd::FromHandle(::GetDlgItem(progress, CProgressWnd::kTextId))->GetWindowText();
        position = ::SendMessageA(::GetDlgItem(progress, CProgressWnd::kBarId), PBM_GETPOS, 0, 0);
    }

    std::string app;
};

using GermanZipProgressTest = ZipProgressTest;

}  // namespace

TEST_F(ZipProgressTest, ProgressWindowShowsCompressingAtFortyPercent)
{
    std::string text;
    LRESULT position = 0;
    Pack(text, position);
    EXPECT_EQ(text, "Start compressing program...");
    EXPECT_EQ(position, 40);
}

TEST_F(GermanZipProgressTest, ProgressWindowShowsCompressingInGerman)
{
    ASSERT_EQ(GetUiLanguage(), UiGerman);
    std::string text;
    LRESULT position = 0;
    Pack(text, position);
    EXPECT_EQ(text, "Komprimiere zu verschickendes Programm...");
    EXPECT_EQ(position, 40);
}
