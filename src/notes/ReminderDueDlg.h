#pragma once

#include "framework/CDialog.h"
#include "shared/AppTranslator.h"

// Asks what to do with a reminder: delete it, leave it, or have it come back
// after one of the fixed choices of minutes.
class ReminderDueDlg : public CDialog, public CAppTranslator {
public:
    // DoModal's results; 2 (IDCANCEL) when closed by Escape or the system menu.
    enum Result { Delete = 6, Cancel = 7, RemindAgain = 155 };

    // Without a parent the main window owns the dialog.
    explicit ReminderDueDlg(CWnd* parent = nullptr);

    // The minutes chosen with "&remind again"; 0 until then.
    int ChosenMinutes() const { return m_chosenMinutes; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Return, however it arrives, is "&remind again".
    void OnOK() override { OnRemindAgain(); }

private:
    void PlaceControls();
    void FillChoices();
    void OnRemindAgain();

    int m_chosenMinutes = 0;
};
