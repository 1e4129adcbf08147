#include "notes/NoteQuestion.h"

#include "notes/ReminderDueDlg.h"
#include "resource.h"
#include "shared/ErrorReport.h"

#include <windows.h>

NoteQuestion::Answer NoteQuestion::AskNote()
{
    m_asking = true;
    const int answer = AskResourceMessage(IDS_ASK_DELETE_NOTICE, MB_YESNO | MB_ICONQUESTION);
    m_asking = false;
    if (m_goneElsewhere)
        return Gone;
    return answer == IDYES ? Delete : Keep;
}

// Whether the reminder is due or not: delete it, have it come again, or leave
// it as it is.
NoteQuestion::Answer NoteQuestion::AskReminder(CWnd* over, bool repeating, int& minutes)
{
    ReminderDueDlg due(over, repeating);
    m_asking = true;
    m_dueQuestion = &due;
    const INT_PTR answer = due.DoModal();
    m_dueQuestion = nullptr;
    m_asking = false;
    if (m_goneElsewhere)
        return Gone;
    switch (answer) {
    case ReminderDueDlg::Delete: return Delete;
    case ReminderDueDlg::EndOccurrence: return EndOccurrence;
    case ReminderDueDlg::RemindAgain: minutes = due.ChosenMinutes(); return RemindAgain;
    default: return Keep;
    }
}

// The due question is moot now; a note's delete question waits for its answer.
bool NoteQuestion::GoneElsewhere()
{
    if (!m_asking)
        return false;
    m_goneElsewhere = true;
    if (m_dueQuestion)
        m_dueQuestion->Abandon();
    return true;
}
