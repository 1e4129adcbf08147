#include "shared/AppFont.h"
#include "shared/SharedFont.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(AppFont, StartsAsTimesNewRomanAndEveryChangeMakesAFontThatMatches)
{
    AppFont font;
    EXPECT_STREQ(font.Log().lfFaceName, "Times New Roman");
    EXPECT_EQ(font.Log().lfHeight, -12);
    EXPECT_EQ(font.Log().lfQuality, ANTIALIASED_QUALITY);
    EXPECT_EQ(font.Log().lfPitchAndFamily, VARIABLE_PITCH | FF_ROMAN);
    ASSERT_NE(font.Handle(), nullptr);

    HFONT before = font.Handle();
    font.SetFaceName("Georgia");
    EXPECT_EQ(GetObjectType(before), 0u) << "the replaced font is deleted";
    font.SetItalic(true);
    LOGFONTA made{};
    ASSERT_EQ(GetObjectA(font.Handle(), sizeof made, &made), static_cast<int>(sizeof made));
    EXPECT_STREQ(made.lfFaceName, "Georgia");
    EXPECT_EQ(made.lfItalic, 1);
    EXPECT_EQ(made.lfHeight, -12);
}

TEST(AppFont, SetLogTakesAnotherFontsFieldsAndMakesTheFontAnew)
{
    AppFont font;
    LOGFONTA log = font.Log();
    std::strcpy(log.lfFaceName, "Georgia");
    log.lfWeight = FW_BOLD;
    log.lfItalic = 1;
    HFONT before = font.Handle();
    font.SetLog(log);
    EXPECT_EQ(GetObjectType(before), 0u) << "the replaced font is deleted";
    LOGFONTA made{};
    ASSERT_EQ(GetObjectA(font.Handle(), sizeof made, &made), static_cast<int>(sizeof made));
    EXPECT_STREQ(made.lfFaceName, "Georgia");
    EXPECT_EQ(made.lfWeight, FW_BOLD);
    EXPECT_EQ(made.lfItalic, 1);
    EXPECT_EQ(font.Log().lfWeight, FW_BOLD);
}

TEST(AppFont, SharedFontFallsBackToTheSystemsWhileNoApplicationOwnsOne)
{
    SetSharedFont(nullptr);
    EXPECT_EQ(SharedFont(), GetStockObject(DEFAULT_GUI_FONT));
    AppFont font;
    SetSharedFont(&font);
    EXPECT_EQ(SharedFont(), font.Handle());
    SetSharedFont(nullptr);
}
