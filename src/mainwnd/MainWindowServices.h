#pragma once

#include <windows.h>

#include <string>

class CityTable;
class CWnd;
class EditorDraft;
class Settings;
class SoundBoard;
class ZorlaModel;
struct MainSettings;

// What the main window asks of the program it shows: the model it listens to,
// the sounds, the switches, the editors' drafts, and the commands that belong
// to the program rather than to the window (new note, find, the synced folder,
// the weather update, the mail, ...). The program's services live and keep
// their timers apart from the window; the window only shows, asks and listens.
class MainWindowServices {
public:
    virtual ~MainWindowServices() = default;

    // Where the window keeps its place and its switches.
    virtual Settings& Registry() = 0;
    virtual ZorlaModel& Model() = 0;
    virtual SoundBoard& Sounds() = 0;
    // Loaded and written by the main window, read by every service.
    virtual MainSettings& Switches() = 0;
    virtual EditorDraft& Draft() = 0;

    // The main window is there: it owns the note windows and the program's
    // dialogs and boxes from now on.
    virtual void Attach(CWnd& mainWindow) = 0;
    // The steps of the start-up after the first paint: the stores (once the
    // pictures are whole), then the stored notes, the watch of the synced
    // folder, the keys from anywhere and the services' timers.
    virtual void LoadStores() = 0;
    virtual void Start() = 0;
    // The main window goes: every note window keeps its state and closes, every
    // store is written, the keys and the watch are given back.
    virtual void Stop() = 0;

    // Runs a command of the program's; false for an id that is not one.
    virtual bool RunCommand(UINT id) = 0;
    // The key from anywhere that runs command, as a menu shows it; empty for none.
    virtual std::string ShownKey(UINT command) const = 0;
    // Shows what went wrong in the model's stores, if anything.
    virtual void ShowStoreProblems() = 0;
    // The places of the world the weather view offers; null when the program's
    // table could not be read.
    virtual const CityTable* Cities() = 0;
};
