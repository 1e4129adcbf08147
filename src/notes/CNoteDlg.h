#pragma once

#include "desktop/CDesktopHost.h"
#include "entries/CEntry.h"
#include "framework/CDialog.h"
#include "image/DisplayScale.h"
#include "notes/NoteAlert.h"
#include "notes/NoteWindowOwner.h"
#include "notes/NoteControls.h"
#include "notes/NotePlace.h"
#include "notes/NoteQuestion.h"
#include "notes/NoteSaver.h"

#include <memory>
#include <string>

class CPopupMenu;
class NoteCascade;
class ZorlaModel;
class NotePictures;
class PLDIBSection;
class SoundBoard;

// A note or reminder on the desktop: its picture, shaped by its outline, with
// the text in an edit drawn straight onto the picture and a close button. The
// window rests on the desktop beneath all other windows; it keeps a copy of its
// entry and gives it back to the model when it is saved or deleted.
class CNoteDlg : public CDialog {
public:
    // The timers of a due reminder.
    static const UINT_PTR TimerShake = NoteAlert::TimerShake;
    static const UINT_PTR TimerShakeEnd = NoteAlert::TimerShakeEnd;
    static const UINT_PTR TimerBlink = NoteAlert::TimerBlink;
    // Writes what was typed or moved: once per burst of changes, never on the
    // typing path itself, and again while the disk refuses the file.
    static const UINT_PTR TimerSave = NoteSaver::TimerSave;
    static const UINT kSaveDelay = NoteSaver::kSaveDelay;
    static const UINT kRetryDelay = NoteSaver::kRetryDelay;

    // pictures are shared by all note windows and outlive them, as do the
    // sounds (null: silent); the main window owns the window while it rests.
    CNoteDlg(NotePictures& pictures, NoteCascade& cascade, CWnd* mainWindow, SoundBoard* sounds = nullptr);
    ~CNoteDlg() override;

    void SetEntry(const CEntry& entry, const std::string& key)
    {
        m_entry = entry;
        m_key = key;
    }
    // Where the entry is kept (null: nowhere, the window only shows it) and
    // who hears of the window's going (null: nobody). Both outlive the window.
    void SetModel(ZorlaModel* model) { m_saver.SetModel(model); }
    void SetOwner(NoteWindowOwner owner) { m_owner = std::move(owner); }
    // Creates the window on the desktop; false when it could not be made.
    bool DockIntoDesktop();
    // Takes the text and the resting place into the entry; when either changed,
    // the entry moves to the end of its store in the model, which is written if
    // saveFile is set (and written again while an earlier write of it failed).
    void SaveState(bool saveFile);
    // A change is waiting for the save timer.
    bool IsSavePending() const { return m_saver.IsPending(); }
    // SaveState, then the window goes.
    void CloseKeep(bool saveFile);
    // The entry goes into the bin and out of its store, and the window goes.
    // The owner is told last; it may then delete this object.
    void Delete();

    // Another computer changed the entry: the window shows it as it is now; an
    // alert whose reminder now lies ahead ends, and the window goes back onto
    // the desktop.
    void TakeChange(const CEntry& entry);
    // Another computer deleted the entry (the model has put it in the bin): an
    // alert ends and the window goes, now or, while it asks the user, once
    // the question is over. The owner is told last.
    void GoneElsewhere();

    // The reminder has come due: off the desktop to the front, then StartAlert.
    // False when it is alerting already. A reminder whose window could not be
    // made only plays the alert sound, this once.
    bool Alert();
    // The alert sound, shaking for a while, then blinking until the user deals
    // with the reminder.
    void StartAlert() { m_alert.Start(); }
    // The reminder comes again minutes after the current minute; the window
    // goes back onto the desktop at its place.
    void Snooze(int minutes);
    // The user is done with this occurrence of a repeating reminder: it moves
    // to the next one, and the window goes back onto the desktop at its place.
    void EndOccurrence();
    bool IsAlerting() const { return m_alert.IsAlerting(); }
    // Moves an alerting window that would cover another one; Snooze takes the
    // window back to its own place.
    void ShiftAlertBy(int dx, int dy) { m_alert.ShiftBy(dx, dy); }

    // The paper and header in the colour, which is stored as typing is.
    void SetColour(NoteColour colour);

    // Above every other window, for the user to see or type into (every note
    // shown at once, a new note, a found one) until PutBack; an alerting
    // reminder stands there already. focus: activated with the caret in the text.
    void Raise(bool focus);
    // Back to rest on the desktop at its place; an alert goes on where it is.
    void PutBack();
    bool IsRaised() const { return m_place.IsRaised(); }
    // The alert picture once, briefly: this is the note looked for.
    void BlinkOnce();

    // Where the window rests: its place without the alert's shaking and
    // moving apart. Screen coordinates.
    POINT RestingPlace() const;
    // The scale of the monitor the window is drawn for.
    const DisplayScale& Scale() const { return m_scale; }

    const CEntry& Entry() const { return m_entry; }
    const std::string& Key() const { return m_key; }
    CDesktopHost& Host() { return m_place.Host(); }
    bool IsReminder() const { return m_entry.kind != EntryKind::Note; }
    bool IsRepeating() const { return IsReminder() && m_entry.GetRepeat() != Repeat::Once; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The close button and the dialog's default button: a note asks before it
    // is deleted.
    void OnOK() override;
    // Escape does not close a note; it puts raised notes back.
    void OnCancel() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    // Back onto the desktop at the entry's place.
    void RedockAtStoredPlace();
    // Button pictures, control places, fonts, outline and alert picture made
    // for m_scale, whose background m_background is already.
    void ApplyScale();
    // The text and place into the entry and the model; true when they changed.
    bool TakeState();
    // Whatever the save timer waits for, written now.
    void SaveNow();
    void DestroyByUs();
    // Destroys the window and tells the owner, which may delete this object.
    void Go();
    LRESULT OnDestroy();

    LRESULT OnPaint();
    LRESULT OnEraseBackground(HDC dc);
    LRESULT OnTimer(UINT_PTR id);
    LRESULT OnLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnWindowPosChanging(WINDOWPOS* position);
    LRESULT OnWindowPosChanged(WINDOWPOS* position);
    LRESULT OnExitSizeMove();
    LRESULT OnActivateApp(bool active);
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
    // The note's own menu, at the point or, from the keyboard (-1), at the note.
    LRESULT OnContextMenu(LPARAM lParam);
    // The entry's colour on the picture; false when it cannot be made.
    bool ShowColour();

    NotePictures& m_pictures;
    // The window rests at the place it keeps, or stands raised.
    NotePlace m_place;
    CWnd* m_mainWindow;
    SoundBoard* m_sounds;
    NoteQuestion m_question;
    NoteWindowOwner m_owner;
    CEntry m_entry;
    std::string m_key;
    DisplayScale m_scale;
    const PLDIBSection* m_background = nullptr;
    NoteControls m_controls;
    // Made at its first showing: most notes never show it.
    std::unique_ptr<CPopupMenu> m_menu;
    NoteSaver m_saver{*this};
    bool m_firstPaint = true;
    NoteAlert m_alert{*this, m_pictures, m_sounds};
    // The window is being destroyed by the program, not by its host's end.
    bool m_destroyingByUs = false;
};
