#include "framework/CWnd.h"
#include "shared/AppTranslator.h"
#include "shared/Translator.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

std::string TextOf(HWND window)
{
    return GetWindowTextString(window);
}

// A real top-level window with the kinds of children a dialog has.
class TranslateWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        FillTranslationTable(GetTranslator());
        top = CreateWindowExA(0, "Static", "Warning", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
        label = Child("Static", "To:");
        button = Child("Button", "&Cancel");
        edit = Child("Edit", "To:");
        combo = Child("ComboBox", "");
        grandchild = CreateWindowExA(0, "Static", "Warning", WS_CHILD, 0, 0, 10, 10, label, nullptr, nullptr, nullptr);
        ASSERT_TRUE(top && label && button && edit && combo && grandchild);
    }
    void TearDown() override { DestroyWindow(top); }

    HWND Child(const char* className, const char* text)
    {
        return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, top, nullptr, nullptr,
                               nullptr);
    }

    HWND top = nullptr, label = nullptr, button = nullptr, edit = nullptr, combo = nullptr, grandchild = nullptr;
    CAppTranslator translator;
};

class GermanTranslateWindowTest : public TranslateWindowTest {};

}  // namespace

TEST_F(TranslateWindowTest, EnglishSystemChangesNothing)
{
    translator.TranslateWindow(top, -1);
    EXPECT_EQ(TextOf(top), "Warning");
    EXPECT_EQ(TextOf(label), "To:");
    EXPECT_EQ(TextOf(button), "&Cancel");
}

TEST_F(TranslateWindowTest, OnlyLanguageMinusOneTranslatesAndNullIsHarmless)
{
    translator.TranslateWindow(top, UiGerman);
    EXPECT_EQ(TextOf(label), "To:");
    translator.TranslateWindow(nullptr, -1);
    CWndTranslator plain;
    plain.TranslateWindow(nullptr, UiGerman);
}

TEST_F(TranslateWindowTest, BaseTranslatesIntoTheGivenLanguageAndCutsLongTexts)
{
    const std::string longText(300, 'x');
    SetWindowTextA(label, longText.c_str());
    CWndTranslator plain;
    plain.TranslateWindow(top, UiGerman);
    EXPECT_EQ(TextOf(top), "Warnung");
    EXPECT_EQ(TextOf(label), std::string(254, 'x'));
    EXPECT_EQ(TextOf(button), "&Abbrechen");
    EXPECT_EQ(TextOf(edit), "To:");
    EXPECT_EQ(TextOf(grandchild), "Warning");
}

TEST_F(TranslateWindowTest, MenuItemsAreTranslatedKeepingIdsAndSubmenus)
{
    HMENU bar = CreateMenu();
    HMENU sub = CreatePopupMenu();
    AppendMenuA(sub, MF_STRING | MF_CHECKED, ID_APP_EXIT, "E&xit");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "&Notes");
    AppendMenuA(bar, MF_STRING, ID_SHOW_REMINDER_EDITOR, "&Timer");
    CWndTranslator plain;
    plain.TranslateMenu(bar, UiGerman);
    char text[64] = "";
    GetMenuStringA(bar, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Notizen");
    EXPECT_EQ(GetSubMenu(bar, 0), sub);
    GetMenuStringA(sub, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Beenden");
    EXPECT_EQ(GetMenuItemID(sub, 0), static_cast<UINT>(ID_APP_EXIT));
    EXPECT_TRUE(GetMenuState(sub, 0, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_EQ(GetMenuItemID(bar, 1), static_cast<UINT>(ID_SHOW_REMINDER_EDITOR));
    DestroyMenu(bar);
}

TEST_F(GermanTranslateWindowTest, DialogTranslatesStaticsAndButtonsOnly)
{
    ASSERT_EQ(GetUiLanguage(), UiGerman);
    translator.TranslateWindow(top, -1);
    EXPECT_EQ(TextOf(top), "Warnung");
    EXPECT_EQ(TextOf(label), ("Empfänger:"));
    EXPECT_EQ(TextOf(button), "&Abbrechen");
    EXPECT_EQ(TextOf(edit), "To:");
    EXPECT_EQ(TextOf(grandchild), "Warning");
}
