#include "shared/AppTranslator.h"
#include "widgets/StoreProblemMessage.h"
#include "shared/Translator.h"
#include "support/BoxRecorder.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

SeenBox Shown(const StoreProblem& problem)
{
    BoxRecorder recorder;
    StoreProblemMessage::Show(problem);
    const std::vector<SeenBox> boxes = recorder.Stop();
    EXPECT_EQ(boxes.size(), 1u);
    return boxes.empty() ? SeenBox() : boxes[0];
}

}  // namespace

TEST(StoreProblem, EachKindShowsItsOwnBox)
{
    FillTranslationTable(GetTranslator());
    const std::string file = "C:\\data\\Zorla_Notes";

    const SeenBox setAside = Shown({StoreProblem::SetAside, file, file + ".bad2"});
    EXPECT_EQ(setAside.text, "The file\n\t" + file + "\nis damaged and cannot be read. It has been kept as\n\t" + file +
                                 ".bad2\nand the program starts with an empty list.");
    EXPECT_EQ(setAside.icon, LoadIcon(nullptr, IDI_WARNING));

    const SeenBox notMovable = Shown({StoreProblem::NotMovable, file, "Access denied"});
    EXPECT_EQ(notMovable.text,
              "File \n\t" + file + "\n\ncan not be read because of the following reason:\n\n\tAccess denied.");
    EXPECT_EQ(notMovable.icon, LoadIcon(nullptr, IDI_ERROR));

    const SeenBox unreadable = Shown({StoreProblem::Unreadable, file, "uil.io.FileNotFoundException: " + file});
    EXPECT_EQ(unreadable.caption, "Exception");
    EXPECT_EQ(unreadable.text, "uil.io.FileNotFoundException: " + file);
    EXPECT_EQ(unreadable.icon, LoadIcon(nullptr, IDI_WARNING));

    const SeenBox damaged = Shown({StoreProblem::DamagedEntry, file, "Attribute not found: [wndY] in element: "});
    EXPECT_EQ(damaged.caption, "Exception");
    EXPECT_EQ(damaged.text, "Attribute not found: [wndY] in element: ");

    const SeenBox write = Shown({StoreProblem::WriteFailed, file, ""});
    EXPECT_EQ(write.text, "Error while writing data to hard disk.");
    EXPECT_EQ(write.icon, LoadIcon(nullptr, IDI_INFORMATION));
}

TEST(GermanStoreProblem, NoticesAreGerman)
{
    FillTranslationTable(GetTranslator());
    const std::string file = "C:\\data\\Zorla_Notes";
    EXPECT_EQ(Shown({StoreProblem::SetAside, file, file + ".bad"}).text,
              ("Die Datei\n\t" + file +
                     "\nist besch\u00e4digt und kann nicht gelesen werden. "
                     "Sie wurde als\n\t" +
                     file + ".bad\naufbewahrt; das Programm beginnt mit einer leeren Liste."));
    EXPECT_EQ(Shown({StoreProblem::WriteFailed, file, ""}).text, "Fehler beim schreiben von Daten auf Festplatte.");
}
