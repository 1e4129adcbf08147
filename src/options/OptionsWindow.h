#pragma once

#include "framework/CDialog.h"
#include "image/DisplayScale.h"
#include "keys/GlobalKeys.h"
#include "options/KeyField.h"
#include "shared/AppTranslator.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class Settings;
struct MainSettings;

// "Zorla options" (template IDD_OPTIONS): the keys from anywhere, the synced
// folder, the switches of the command menu and the weather's units. Every
// change takes effect at once: a key is registered as it is pressed, a switch
// or the folder runs the command menu's own command, the units are written
// and the weather told anew. A modeless window; Enter, Escape or its close box
// end it, the object stays for the next Open.
class OptionsWindow : public CDialog, public CAppTranslator {
public:
    struct Program {
        Settings& settings;
        GlobalKeys& keys;
        const MainSettings& switches;
        // The synced folder; empty while the notes stay on this computer.
        std::function<std::string()> syncFolder;
        // Runs a command of the command menu as the main window does.
        std::function<void(UINT command)> run;
        // The weather's units changed: the weather shown follows.
        std::function<void()> unitsChanged;
    };

    explicit OptionsWindow(Program program);
    ~OptionsWindow() override;

    // Opens the window owned by owner, or brings it to the front when it is
    // open, with the focus in the new-note key's field.
    bool Open(CWnd* owner);
    bool IsOpen() const { return IsWindow(); }

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override { DestroyWindow(); }
    void OnCancel() override { DestroyWindow(); }

private:
    HWND Item(UINT id) const { return ::GetDlgItem(m_hWnd, static_cast<int>(id)); }
    void ShowKey(size_t binding, const char* state);
    void OnKeyPressed(size_t binding, const HotKey& key);
    void RunSwitch(UINT command);
    void ShowSwitches();
    void ShowFolder();
    void OnUnits(UINT control);
    void OnDpiChanged(WPARAM wParam, const RECT* suggested);

    Program m_program;
    std::vector<std::unique_ptr<KeyField>> m_keyFields;
    DisplayScale m_scale;
};
