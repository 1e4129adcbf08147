// The send-to-friend dialog in a real window: its texts in English and
// German, the hidden ZIP box, when Send may be pressed, the limits and what
// Send hands back.
#include "SendDialogDriver.h"

#include "mail/CSendToFriendDlg.h"
#include "resource.h"
#include "shared/AppTranslator.h"
#include "shared/Translator.h"
#include "support/MessageBoxAnswerer.h"
#include "support/WindowState.h"

#include <richedit.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const int kLabels = -1;

bool Enabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

// The texts of the dialog's label controls (those without an id), in order.
std::vector<std::string> Labels(HWND dialog)
{
    std::vector<std::string> labels;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetDlgCtrlID(child) == 0xFFFF || GetDlgCtrlID(child) == kLabels)
            labels.push_back(GetWindowTextString(child));
    return labels;
}

// The width the control's font needs for the longest line of its text.
int TextWidth(HWND control)
{
    std::string text = GetWindowTextString(control);
    text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT bounds{0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), -1, &bounds, DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return bounds.right;
}

// Every visible control inside the client area, none over another, every
// text within its control.
void ExpectTidyLayout(HWND dialog)
{
    RECT client{};
    GetClientRect(dialog, &client);
    std::vector<std::pair<int, RECT>> shown;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!(GetWindowLongPtrA(child, GWL_STYLE) & WS_VISIBLE))
            continue;
        const RECT place = PlaceIn(dialog, child);
        RECT inside{};
        IntersectRect(&inside, &place, &client);
        EXPECT_TRUE(EqualRect(&inside, &place)) << "control " << GetDlgCtrlID(child) << " leaves the dialog";
        char name[32] = "";
        GetClassNameA(child, name, sizeof name);
        if (std::string(name) == "Static" || std::string(name) == "Button") {
            EXPECT_LE(TextWidth(child), place.right - place.left) << GetWindowTextString(child);
        }
        for (const auto& other : shown) {
            RECT both{};
            EXPECT_FALSE(IntersectRect(&both, &place, &other.second))
                << "control " << GetDlgCtrlID(child) << " covers " << other.first;
        }
        shown.emplace_back(GetDlgCtrlID(child), place);
    }
}

INT_PTR RunDialog(CSendToFriendDlg& dialog, SendDialogDriver::Answer answer)
{
    SendDialogDriver driver(std::move(answer));
    const INT_PTR result = dialog.DoModal();
    EXPECT_EQ(driver.Shown(), 1);
    EXPECT_FALSE(driver.GaveUp());
    return result;
}

}  // namespace

TEST(SendToFriendDialog, OpensCentredWithItsTextsSendDisabledAndTheZipBoxHiddenButTicked)
{
    CSendToFriendDlg dialog;
    dialog.m_subject = "Zorla 1.0";
    const INT_PTR result = RunDialog(dialog, [](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), "Send me to a friend...");
        EXPECT_EQ(Labels(window), (std::vector<std::string>{"To:", "Subject:", "Text:"}));
        EXPECT_EQ(ItemText(window, IDC_MAIL_HINT), kRecipientHint);
        EXPECT_EQ(ItemText(window, IDC_MAIL_SUBJECT), "Zorla 1.0");
        EXPECT_EQ(ItemText(window, IDC_MAIL_RECIPIENTS), "");
        EXPECT_EQ(ItemText(window, IDOK), "&Send");
        EXPECT_EQ(ItemText(window, IDCANCEL), "&Cancel");
        EXPECT_FALSE(Enabled(window, IDOK));

        HWND zip = GetDlgItem(window, IDC_MAIL_ZIP);
        EXPECT_EQ(GetWindowTextString(zip), "Compress and attach as ZIP - Archive");
        EXPECT_FALSE(GetWindowLongPtrA(zip, GWL_STYLE) & WS_VISIBLE);
        EXPECT_EQ(SendMessageA(zip, BM_GETCHECK, 0, 0), BST_CHECKED);

        EXPECT_EQ(SendDlgItemMessageA(window, IDC_MAIL_SUBJECT, EM_GETLIMITTEXT, 0, 0), 150);
        EXPECT_EQ(SendDlgItemMessageA(window, IDC_MAIL_RECIPIENTS, EM_GETLIMITTEXT, 0, 0), 250);
        EXPECT_EQ(SendDlgItemMessageA(window, IDC_MAIL_TEXT, EM_GETLIMITTEXT, 0, 0), 500);

        RECT area{}, place{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
        GetWindowRect(window, &place);
        EXPECT_LE(std::abs((place.left + place.right) - (area.left + area.right)), 2);
        EXPECT_LE(std::abs((place.top + place.bottom) - (area.top + area.bottom)), 2);
        ExpectTidyLayout(window);
        PostMessageA(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST(SendToFriendDialog, SendIsOfferedOnlyForRecipientsWithAnAtAndADot)
{
    CSendToFriendDlg dialog;
    RunDialog(dialog, [](HWND window) {
        for (const char* text : {"anna@example", "anna.example.com", "", "@."}) {
            SetDlgItemTextA(window, IDC_MAIL_RECIPIENTS, text);
            EXPECT_EQ(Enabled(window, IDOK), std::string(text) == "@.") << text;
        }
        SetDlgItemTextA(window, IDC_MAIL_RECIPIENTS, "anna@example.com");
        EXPECT_TRUE(Enabled(window, IDOK));
        SetDlgItemTextA(window, IDC_MAIL_RECIPIENTS, "anna@example");
        EXPECT_FALSE(Enabled(window, IDOK));
        // Return, or a command from elsewhere, does not send while Send is disabled.
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_TRUE(IsWindow(window));
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
}

TEST(SendToFriendDialog, SendHandsBackTheFieldsWithSemicolonsForCommas)
{
    CSendToFriendDlg dialog;
    dialog.m_subject = "Zorla 1.0";
    const INT_PTR result = RunDialog(dialog, [](HWND window) {
        SetDlgItemTextA(window, IDC_MAIL_SUBJECT, "Look at this");
        SendDialogDriver::Send("anna@example.com,ben@example.org, carl@example.net", "Hi,\r\nhave fun!")(window);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.m_recipients, "anna@example.com;ben@example.org; carl@example.net");
    EXPECT_EQ(dialog.m_subject, "Look at this");
    EXPECT_EQ(dialog.m_text, "Hi,\r\nhave fun!");
    EXPECT_EQ(dialog.m_attachAsZip, 1);
}

TEST(SendToFriendDialog, ATextBeyondItsLimitIsRefusedAndTheDialogStaysOpen)
{
    MessageBoxAnswerer boxes;
    CSendToFriendDlg dialog;
    const INT_PTR result = RunDialog(dialog, [&](HWND window) {
        // Typing stops at the limit; a text set from outside does not.
        SetDlgItemTextA(window, IDC_MAIL_SUBJECT, std::string(151, 's').c_str());
        SetDlgItemTextA(window, IDC_MAIL_RECIPIENTS, "anna@example.com");
        PostMessageA(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_EQ(result, IDCANCEL) << "the refused Send left the dialog open for Cancel";
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Please enter no more than 150 characters.");
}

TEST(GermanSendToFriendDialog, TextsAreGermanAndFit)
{
    FillTranslationTable(GetTranslator());
    CSendToFriendDlg dialog;
    RunDialog(dialog, [](HWND window) {
        EXPECT_EQ(GetWindowTextString(window), "Sende mich an einen Freund...");
        EXPECT_EQ(Labels(window), (std::vector<std::string>{("Empfänger:"), "Betreff:", "Text:"}));
        EXPECT_EQ(ItemText(window, IDC_MAIL_HINT), ("Mehrfachempfänger mit Semikolons trennen"));
        EXPECT_EQ(ItemText(window, IDOK), "&Senden");
        EXPECT_EQ(ItemText(window, IDCANCEL), "&Abbrechen");
        EXPECT_EQ(ItemText(window, IDC_MAIL_ZIP), ("Komprimieren und als ZIP - Archiv anhängen"));
        ExpectTidyLayout(window);
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
}
