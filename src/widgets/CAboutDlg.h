#pragma once

#include "framework/CDialog.h"
#include "framework/Handles.h"
#include "image/DisplayScale.h"
#include "image/PLDIBSection.h"
#include "shared/AppFont.h"
#include "shared/AppTranslator.h"
#include "widgets/CHoverBitmapButton.h"
#include "widgets/CHyperLink.h"

#include <string>
#include <vector>

// The About box: a captionless picture with the program's title and credits
// drawn onto it, a link to the advertising agency's site, an elliptic spot on
// the picture that opens the advertised brand's site and closes the box, and a
// small close button. The band along the top moves the box. All of it is drawn
// for the scale of the monitor the box is on.
class CAboutDlg : public CDialog, public CAppTranslator {
public:
    // The elliptic hot spot's bounding box, in client pixels at 96 DPI.
    static constexpr RECT kHotSpot{6, 6, 114, 117};
    // A press above this line (in client pixels at 96 DPI) moves the box.
    static const int kDragBand = 33;

    // One line of the credits as the box draws it.
    struct Credit {
        POINT place;  // client pixels at 96 DPI of the text's top-left corner
        bool title;   // in the bold title font, else the text font
        std::string text;
    };
    // The credits in the interface language.
    static std::vector<Credit> Credits();

    explicit CAboutDlg(CWnd* parent = nullptr);
    ~CAboutDlg() override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The picture at m_scale; false, the user told when tell, when it cannot be decoded.
    bool DecodeBackground(bool tell);
    void PlaceWindowAndControls();
    void PlaceControls();
    SIZE WindowSize() const;
    // Button pictures, the link's font, the hot spot and the children's font at m_scale.
    void MakeScaledParts();
    bool IsOverHotSpot(POINT client) const;

    LRESULT OnEraseBackground(HDC dc);
    LRESULT OnPaint();
    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);

    AppFont m_titleFont;
    AppFont m_textFont;
    CHoverBitmapButton m_closeButton;
    CHyperLink m_makerLink;
    CHyperLink m_agencyLink;
    // Bound to no control: it only opens the brand's site.
    CHyperLink m_brandLink;
    GdiRegion m_hotSpot;
    bool m_overHotSpot = false;
    PLDIBSection m_background;
    DisplayScale m_scale;
};
