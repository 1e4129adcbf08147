#include "shared/AppTranslator.h"
#include "shared/Translator.h"
#include "shared/ErrorReport.h"
#include "shared/WebAddresses.h"
#include "resource.h"
#include "support/MessageBoxWatcher.h"

#include <gtest/gtest.h>

#include <string>

TEST(ErrorReport, UnknownErrorNamesFileAndLineOnTabbedLines)
{
    char text[1024];
    EXPECT_EQ(std::string(UnknownErrorText("PictureFace.cpp", 412, text, sizeof text)),
              "An unknown error occurred! Please report this to the manufacturer at:\n\t" ZORLA_MAKER_URL
              "\n\n\tFile: PictureFace.cpp\n\tLine: 412");
}

TEST(ErrorReport, UnknownErrorShowsAnInformationBoxAndAnswersFalse)
{
    MessageBoxWatcher watcher(GetCurrentProcessId(), IDOK);
    EXPECT_FALSE(ReportUnknownError("Action.cpp", 7));
    const SeenBox box = watcher.Result();
    ASSERT_TRUE(box.seen);
    EXPECT_NE(box.text.find("\n\tFile: Action.cpp\n\tLine: 7"), std::string::npos);
    EXPECT_TRUE(SameIconPicture(box.icon, SystemIcon(IDI_INFORMATION)));
}

TEST(ErrorReport, MissingStringShowsNothingAndAsksMinusOne)
{
    EXPECT_EQ(AskResourceMessage(999, MB_YESNO), -1);
    ShowResourceMessage(999, MB_OK);
    SeenBox none;
    EXPECT_FALSE(ReadMessageBox(GetCurrentProcessId(), none));
}

TEST(ErrorReport, QuestionReturnsTheAnswerAndShowsTheStringTable)
{
    FillTranslationTable(GetTranslator());
    MessageBoxWatcher watcher(GetCurrentProcessId(), IDYES);
    EXPECT_EQ(AskResourceMessage(IDS_ASK_DELETE_NOTICE, MB_YESNO | MB_ICONQUESTION), IDYES);
    const SeenBox box = watcher.Result();
    EXPECT_EQ(box.text, "Do you really want to delete this notice?");
}

TEST(ErrorReport, ReportErrorShowsTheStringWithAnInformationIcon)
{
    FillTranslationTable(GetTranslator());
    MessageBoxWatcher watcher(GetCurrentProcessId(), IDOK);
    ReportError(IDS_WRITE_ERROR, __FILE__, __LINE__);
    const SeenBox box = watcher.Result();
    EXPECT_EQ(box.text, "Error while writing data to hard disk.");
    EXPECT_TRUE(SameIconPicture(box.icon, SystemIcon(IDI_INFORMATION)));
}

TEST(GermanErrorReport, StringTableMessagesAreTranslated)
{
    FillTranslationTable(GetTranslator());
    MessageBoxWatcher watcher(GetCurrentProcessId(), IDOK);
    ShowResourceMessage(IDS_APPOINTMENT_IN_PAST, MB_ICONINFORMATION);
    EXPECT_EQ(watcher.Result().text, "Erinnerungstermin liegt in der Vergangenheit !");

    MessageBoxWatcher second(GetCurrentProcessId(), IDNO);
    EXPECT_EQ(AskResourceMessage(IDS_ASK_DELETE_NOTICE, MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(second.Result().text, ("Wollen sie diese Notiz wirklich löschen?"));
}
