// Folders named in letters no ANSI code page holds all at once: a program copied
// into one, or a user profile named so. The data files must land there and come
// back from there, not in some other folder.
#include "store/XmlStore.h"
#include "support/TestPlatform.h"
#include "shared/CDataFolder.h"
#include "shared/Leftovers.h"

#include "support/TestFiles.h"
#include "support/TestProcess.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

const char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n";

std::unique_ptr<util::xml::XmlElement> OneEntry(const char* text)
{
    auto root = std::make_unique<util::xml::XmlElement>("DATABASE");
    auto entry = std::make_unique<util::xml::XmlElement>("ENTRY");
    entry->setAttribute("text", text);
    root->addChild(std::move(entry));
    return root;
}

}  // namespace

TEST(OtherScriptFolders, DataFolderIsTheProgramFolderOrAUserFolderNamedSo)
{
    TempFolder program(kNonAnsiName);
    TempFolder base(kNonAnsiName);
    const std::string user = base.Path() + "\\Velloran Software\\" + kNonAnsiName;
    EXPECT_EQ(CDataFolder::Choose(program.Path(), user), program.Path() + "\\");
    EXPECT_FALSE(TestFiles::Exists(user));

    EXPECT_EQ(CDataFolder::Choose(base.File("missing"), user), user + "\\");
    EXPECT_TRUE(TestFiles::Exists(user)) << "created, all levels";
    EXPECT_TRUE(CDataFolder::CanCreateFileIn(user));
}

TEST(OtherScriptFolders, StoreSavesLoadsTakesOverAndSetsAsideThere)
{
    TempFolder data(kNonAnsiName);
    TempFolder legacy(kNonAnsiName);
    const std::string legacyFile = legacy.File("Zorla_Notes");
    ASSERT_TRUE(TestFiles::Write(legacyFile, std::string(kDeclaration) + "<DATABASE><ENTRY text=\"old\"/></DATABASE>"));

    XmlStore store("Notes", data.Path(), TestPlatform::Files(), {legacy.Path()});
    ASSERT_TRUE(store.Load());
    EXPECT_EQ(store.GetDocument()->getChild(0)->getAttribute("text"), "old");
    EXPECT_FALSE(TestFiles::Exists(legacyFile)) << "moved over into the data folder";

    store.SetDocument(OneEntry("new"));
    ASSERT_TRUE(store.Save()) << (store.HasProblems() ? store.TakeProblems().front().file : "");
    EXPECT_EQ(store.GetPath(), data.File("Zorla_Notes"));
    EXPECT_EQ(TestFiles::Bytes(data.File("Zorla_Notes")),
              std::string(kDeclaration) + "<DATABASE><ENTRY text=\"new\"/></DATABASE>");
    EXPECT_FALSE(TestFiles::Exists(data.File("Zorla_Notes.tmp")));

    XmlStore again("Notes", data.Path(), TestPlatform::Files());
    ASSERT_TRUE(again.Load());
    EXPECT_EQ(again.GetDocument()->getChild(0)->getAttribute("text"), "new");

    ASSERT_TRUE(TestFiles::Write(data.File("Zorla_Notes"), "<DATABASE><ENTRY"));
    EXPECT_FALSE(again.Load());
    const std::vector<StoreProblem> problems = again.TakeProblems();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].kind, StoreProblem::SetAside);
    EXPECT_EQ(problems[0].file, data.File("Zorla_Notes")) << "shown with the name the user knows";
    EXPECT_EQ(problems[0].detail, data.File("Zorla_Notes.bad"));
    EXPECT_EQ(TestFiles::Bytes(data.File("Zorla_Notes.bad")), "<DATABASE><ENTRY");
}

TEST(OtherScriptFolders, LeftoversThereAreFoundAndRemoved)
{
    TempFolder data(kNonAnsiName);
    TempFolder temp(kNonAnsiName);
    const std::string archiveName = std::string(kNonAnsiName) + ".zip";
    const std::string archiveTemporary = Leftovers::CreateArchiveTemporary(temp.File(archiveName));
    ASSERT_FALSE(archiveTemporary.empty());
    EXPECT_TRUE(TestFiles::Exists(archiveTemporary));
    ASSERT_TRUE(TestFiles::Write(data.File("Zorla_Notes.tmp"), "x"));
    ASSERT_TRUE(TestFiles::Write(data.File("Zorla_Notes"), "kept"));

    EXPECT_EQ(Leftovers::Remove(data.Path(), temp.Path(), archiveName), 2);
    EXPECT_FALSE(TestFiles::Exists(archiveTemporary));
    EXPECT_FALSE(TestFiles::Exists(data.File("Zorla_Notes.tmp")));
    EXPECT_TRUE(TestFiles::Exists(data.File("Zorla_Notes")));
}
