#pragma once

#include "entries/CEntry.h"
#include "image/DisplayScale.h"
#include "widgets/CColorLabel.h"
#include "widgets/CHoverBitmapButton.h"
#include "widgets/CTransparentEdit.h"

#include <windows.h>

#include <string>

class CWnd;

// The controls of a note window on its picture: the text, drawn straight onto
// the picture, a reminder's date label and the close button, and the mark
// under the text that tells of lines out of sight. They are placed, pictured
// and given their font for the window's scale.
class NoteControls {
public:
    static constexpr COLORREF kTextColor = RGB(0, 101, 136);

    // Takes over the dialog's controls; a note's date label stays hidden.
    void Attach(CWnd& dialog, bool reminder);
    // Button pictures, places and font for scale; pictureWidth: the width of
    // the window's picture at that scale, which a repeating reminder's label
    // may reach to.
    void ApplyScale(const DisplayScale& scale, int pictureWidth, const CEntry& entry);
    // The reminder's time, and its repeat, in the date label.
    void ShowTime(const CEntry& entry);

    HWND TextWindow() const { return m_edit.m_hWnd; }
    std::string Text() const;
    void SetText(const std::string& text);
    // The keyboard's focus in the text, the caret after it.
    void FocusText();
    // As the window is first painted: the caret after the text, nothing
    // selected, and a long text showing its beginning, the mark telling of
    // the rest.
    void ShowBeginning();

    // Shows or hides the mark of text below the edit's visible lines.
    void UpdateMoreBelow();
    void DrawMoreBelow(HDC dc) const;

private:
    void Place();
    void SelectEnd();

    HWND m_dialog = nullptr;
    bool m_reminder = false;
    DisplayScale m_scale;
    // No picture yet: the label keeps its place.
    int m_pictureWidth = 0;
    CTransparentEdit m_edit;
    CColorLabel m_dateLabel;
    // The label reaches further for a repeating reminder's word.
    bool m_dateWidened = false;
    CHoverBitmapButton m_closeButton;
    // The text goes on below the edit's last visible line.
    bool m_moreBelow = false;
};
