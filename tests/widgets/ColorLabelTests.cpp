#include "widgets/CColorLabel.h"

#include "WidgetDialog.h"

#include <gtest/gtest.h>

namespace {

enum : WORD { kDate = 1012 };

COLORREF BrushColour(HBRUSH brush)
{
    LOGBRUSH logBrush{};
    ::GetObjectA(brush, sizeof logBrush, &logBrush);
    return logBrush.lbColor;
}

class CColorLabelTest : public testing::Test {
protected:
    CColorLabelTest()
        : dialogTemplate(WS_POPUP | WS_CAPTION, 200, 60, "Label")
    {
        dialogTemplate.AddControl(TestDialogTemplate::Static, kDate, SS_LEFT, 10, 10, 150, 12, "01.02.2027 10:00");
    }

    TestDialogTemplate dialogTemplate;
};

TEST_F(CColorLabelTest, ColoursFontAndBackgroundItAnswersForItself)
{
    WidgetDialog dialog(dialogTemplate);
    CColorLabel label;
    ASSERT_TRUE(label.SubclassDlgItem(kDate, &dialog));

    const ReflectedColours fresh(dialog, label);
    EXPECT_EQ(fresh.text, ::GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(fresh.backgroundMode, TRANSPARENT);
    EXPECT_EQ(::GetObjectType(fresh.brush), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(BrushColour(fresh.brush), ::GetSysColor(COLOR_BTNFACE));
    LOGFONTA gui{};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
    EXPECT_EQ(fresh.font.lfHeight, gui.lfHeight);
    EXPECT_STREQ(fresh.font.lfFaceName, gui.lfFaceName);

    label.SetTextColour(RGB(200, 30, 40));
    label.SetBold(true);
    label.SetTransparent();
    const ReflectedColours changed(dialog, label);
    EXPECT_EQ(changed.text, RGB(200, 30, 40));
    EXPECT_EQ(changed.font.lfWeight, FW_BOLD);
    EXPECT_EQ(changed.brush, ::GetStockObject(NULL_BRUSH));

    label.SetBold(false);
    EXPECT_EQ(ReflectedColours(dialog, label).font.lfWeight, FW_NORMAL);
}

TEST_F(CColorLabelTest, FollowsTheDialogFontKeepingOnlyLaterWeightChanges)
{
    WidgetDialog dialog(dialogTemplate);
    CColorLabel label;
    ASSERT_TRUE(label.SubclassDlgItem(kDate, &dialog));
    label.SetBold(true);

    GdiFont dialogFont(::CreateFontA(-20, 0, 0, 0, FW_NORMAL, TRUE, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial"));
    label.SetFont(dialogFont.get());
    const ReflectedColours followed(dialog, label);
    EXPECT_EQ(followed.font.lfHeight, -20);
    EXPECT_TRUE(followed.font.lfItalic);
    EXPECT_EQ(followed.font.lfWeight, FW_NORMAL) << "the earlier bold is gone";
    LOGFONTA held{};
    ::GetObjectA(label.GetFont(), sizeof held, &held);
    EXPECT_EQ(held.lfHeight, -20) << "the static draws with the label's copy";

    label.SetBold(true);
    ::GetObjectA(label.GetFont(), sizeof held, &held);
    EXPECT_EQ(held.lfWeight, FW_BOLD) << "the static itself selects its font after asking for colours";

    label.SetBold(true);
    const ReflectedColours bold(dialog, label);
    EXPECT_EQ(bold.font.lfHeight, -20);
    EXPECT_EQ(bold.font.lfWeight, FW_BOLD);
}

}  // namespace
