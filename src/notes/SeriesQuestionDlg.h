#pragma once

#include "framework/CDialog.h"
#include "shared/AppTranslator.h"

// Asks, when a repeating reminder is deleted, whether only this occurrence
// ends (the reminder comes again at its next time) or the whole series goes.
class SeriesQuestionDlg : public CDialog, public CAppTranslator {
public:
    // DoModal's results; IDCANCEL (2) leaves the reminder as it was.
    enum Result { ThisOccurrence = 8, WholeSeries = 9 };

    explicit SeriesQuestionDlg(CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Return takes the default button, the one that loses nothing.
    void OnOK() override { EndDialog(ThisOccurrence); }
};
