#pragma once

class CWnd;
class ReminderDueDlg;

// The question a note window's close button asks: a note whether it is to be
// deleted, a reminder what is to become of it. The entry may go elsewhere (the
// user deleted it on another computer) while the question is open.
class NoteQuestion {
public:
    enum Answer { Keep, Gone, Delete, EndOccurrence, RemindAgain };

    Answer AskNote();
    // over: the window the question stands above (null: the main window's);
    // minutes: the choice for RemindAgain.
    Answer AskReminder(CWnd* over, bool repeating, int& minutes);
    // The entry went elsewhere. True when a question is open: it ends, and
    // answers Gone.
    bool GoneElsewhere();

private:
    bool m_asking = false;
    bool m_goneElsewhere = false;
    ReminderDueDlg* m_dueQuestion = nullptr;
};
