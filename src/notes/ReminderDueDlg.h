#pragma once

#include "framework/CDialog.h"
#include "shared/AppTranslator.h"

// Asks what to do with a reminder: delete it, leave it, or have it come back
// after one of the fixed choices of minutes. For a reminder that repeats,
// "&Delete" asks whether only this occurrence ends or the whole series.
class ReminderDueDlg : public CDialog, public CAppTranslator {
public:
    // DoModal's results; 2 (IDCANCEL) when closed by Escape or the system menu.
    // EndOccurrence: the user is done with this occurrence of a repeating one.
    enum Result { Delete = 6, Cancel = 7, RemindAgain = 155, EndOccurrence = 156 };

    // Without a parent the main window owns the dialog.
    explicit ReminderDueDlg(CWnd* parent = nullptr, bool repeating = false);

    // The minutes chosen with "&remind again"; 0 until then.
    int ChosenMinutes() const { return m_chosenMinutes; }
    // Ends the dialog as Escape would, and the question it is asking, if any:
    // the reminder is gone elsewhere.
    void Abandon();

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Return, however it arrives, is "&remind again".
    void OnOK() override { OnRemindAgain(); }

private:
    void FillChoices();
    void OnRemindAgain();
    void OnDelete();

    bool m_repeating;
    CDialog* m_question = nullptr;
    int m_chosenMinutes = 0;
};
