#pragma once

#include "mainwnd/MainView.h"

#include <optional>
#include <string>

class Settings;

// What the user typed into one of the main window's editors and has not filed
// yet, kept in the settings as it is typed: a crash or a power cut loses at
// most the last moment of it, and it is back in its editor at the next start.
class EditorDraft {
public:
    struct Draft {
        MainView view = MainView::Notes;  // the editor: notes or reminder
        std::string text;                 // as typed
        std::string time;                 // a reminder's chosen time, in the data files' date form
        std::string repeat;               // and its repeat's stored name
        bool operator==(const Draft& other) const
        {
            return view == other.view && text == other.text && time == other.time && repeat == other.repeat;
        }
    };

    explicit EditorDraft(Settings& settings);

    // Empty text: there is no draft. Writes only what changed.
    void Keep(const Draft& draft);
    void Clear() { Keep(Draft()); }
    // The draft kept by an earlier run, if any (of a note or reminder editor).
    std::optional<Draft> Stored() const;

private:
    Settings& m_settings;
    std::optional<Draft> m_written;
};
