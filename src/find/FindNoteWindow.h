#pragma once

#include "framework/CDialog.h"
#include "image/DisplayScale.h"
#include "model/NoteFinder.h"
#include "shared/AppTranslator.h"
#include "widgets/CEmptyTextListView.h"

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

// "Find a note": a search box over the list of the notes and reminders whose
// text holds every word typed, filtered at each keystroke (template
// IDD_FIND_NOTE). A modeless window of its own; Escape or its close box ends
// it, the object stays for the next Open. Its owner hands it the entries and
// hears which one the user chose, by Return or a double click.
class FindNoteWindow : public CDialog, public CAppTranslator {
public:
    using EntriesSource = std::function<std::vector<CEntry>()>;
    using ChooseHandler = std::function<void(const std::string& key)>;

    FindNoteWindow(EntriesSource entries, ChooseHandler choose);
    ~FindNoteWindow() override;

    // Opens the window, owned by owner (it then stays above it), with the
    // entries as they are now; when it is open already, brings it to the front
    // with its search text selected, to be typed over.
    bool Open(CWnd* owner);
    bool IsOpen() const { return IsWindow(); }

    // The entries changed: the list follows with the same search. Nothing
    // while the window is closed; Open takes the entries anew.
    void Refresh();

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* message) override;
    // Return, in the box or the list: the selected row, else the first.
    void OnOK() override;
    void OnCancel() override { DestroyWindow(); }

private:
    LRESULT OnNotify(const NMHDR* header);
    void OnSize(int width, int height);
    void OnGetMinMaxInfo(MINMAXINFO* info);
    void OnDpiChanged(WPARAM wParam, const RECT* suggested);
    void OnDestroy();
    void OnGetDispInfo(NMLVDISPINFOW* info);
    // Each row on its note's paper colour.
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW* draw);

    void AddColumns();
    void FitColumns();
    void ShowMatches(const std::string& keepKey);
    void SelectRow(int row);
    int SelectedRow() const;
    void Choose(int row);

    HWND Edit() const;

    EntriesSource m_entries;
    ChooseHandler m_choose;
    NoteFinder m_finder;
    std::vector<const NoteFinder::Item*> m_matches;
    CEmptyTextListView m_list;
    int m_margin = 0;  // pixels around and between the controls, as the template has them
    int m_editHeight = 0;
    int m_timeColumn = 0;           // the reminder time's column, wide enough for its text
    DisplayScale m_scale;
    WINDOWPLACEMENT m_placement{};  // as the window was closed; length 0 before
};
