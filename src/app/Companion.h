#pragma once

#include "app/DeskNotes.h"
#include "find/FindNoteWindow.h"
#include "framework/CWnd.h"
#include "keys/GlobalKeys.h"
#include "mail/CSendToFriend.h"
#include "mainwnd/EditorDraft.h"
#include "mainwnd/MainWindowServices.h"
#include "weather/CityTable.h"
#include "model/ModelListener.h"
#include "model/ZorlaModel.h"
#include "net/CHttpDownloader.h"
#include "net/CLaunchReport.h"
#include "net/WindowHttpFetch.h"
#include "options/OptionsWindow.h"
#include "base/AppContext.h"
#include "shared/MainSettings.h"
#include "sound/SoundBoard.h"
#include "syncfolder/SyncWatch.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The program's life apart from its windows: the model and its stores, the
// weather's downloads, the notes on the desktop, the watch of the synced folder,
// the keys from anywhere, the find and options windows, the launch report and the mail, and
// the timers that drive them. They run on a window of their own that is never
// shown (made once the main window has painted), so they hear the system's broadcasts (a new shell, a resume, a new
// clock) and their workers' messages without passing through the main window,
// which they serve through MainWindowServices. The context's parts must
// outlive it.
class Companion : public CWnd, public MainWindowServices, private ModelListener {
public:
    explicit Companion(const AppContext& context);
    ~Companion() override;

    Settings& Registry() override { return m_registry; }
    ZorlaModel& Model() override { return m_model; }
    SoundBoard& Sounds() override { return m_sounds; }
    MainSettings& Switches() override { return m_switches; }
    EditorDraft& Draft() override { return m_draft; }
    void Attach(CWnd& mainWindow) override;
    void LoadStores() override;
    void Start() override;
    void Stop() override;
    bool RunCommand(UINT id) override;
    std::string ShownKey(UINT command) const override { return m_globalKeys.ShownKey(command); }
    void ShowStoreProblems() override;
    const CityTable* Cities() override;

    const NoteWindowRegistry& NoteWindows() const { return m_deskNotes.Windows(); }
    NoteWindowRegistry& NoteWindows() { return m_deskNotes.Windows(); }
    // Stored notes are still opening, a slice per message.
    bool NotesOpening() const { return m_deskNotes.IsOpening(); }
    // Opens at once whatever of the stored notes has not opened yet.
    void FinishOpeningNotes() { m_deskNotes.FinishOpening(); }
    // The mail of "Send me to a friend...", once the main window is attached.
    const CSendToFriend& Mail() const { return *m_mail; }
    // Where "Keep notes in a folder..." asks for the folder (the system's picker
    // unless a test gives another); empty: the user cancelled.
    void SetFolderPicker(std::function<std::string()> picker) { m_folderPicker = std::move(picker); }
    // Looks at the synced folder now: what other computers wrote is merged in.
    void CheckSyncFolder();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HWND MainWindow() const { return m_mainWindow ? m_mainWindow->GetSafeHwnd() : nullptr; }
    void EnsureWindow();
    LRESULT OnTimer(UINT_PTR id);
    void CheckWeather(bool force);
    void OnNewNote();
    void OnShowAllNotes();
    void OnRestoreDeleted();
    void OnKeepInFolder();
    void OnKeepLocally();
    void OpenFind();
    // Watches the model's synced folder, or nothing when there is none.
    void WatchSyncFolder();
    void RegisterGlobalKeys();
    void OnKeysRefused();
    // Typing not yet written is found too.
    std::vector<CEntry> FindableEntries();
    // The notes changed: an open find window follows them.
    void OnEntryAdded(const CEntry&) override { RefreshFind(); }
    void OnEntryChanged(const CEntry&) override { RefreshFind(); }
    void OnEntryRemoved(const CEntry&) override { RefreshFind(); }
    void RefreshFind();

    Settings& m_registry;
    MainSettings m_switches;
    SoundBoard m_sounds;
    // The client of the launch report and of the mail's pass-along notices.
    CHttpDownloader m_httpClient;
    CLaunchReport m_launchReport;
    // The weather's downloads, handed back to this window's thread.
    WindowHttpFetch m_weatherFetch;
    ZorlaModel m_model;
    EditorDraft m_draft;
    DeskNotes m_deskNotes;
    SyncWatch m_syncWatch;
    GlobalKeys m_globalKeys;
    std::vector<GlobalKeys::Refusal> m_refusedKeys;
    FindNoteWindow m_findNote;
    OptionsWindow m_options;
    std::function<std::string()> m_folderPicker;
    CWnd* m_mainWindow = nullptr;
    bool m_started = false;
    // Made with the main window, whose dialogs and boxes it shows.
    std::unique_ptr<CSendToFriend> m_mail;
    std::unique_ptr<CityTable> m_cities;
    bool m_citiesRead = false;
};
