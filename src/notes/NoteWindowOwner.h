#pragma once

#include <functional>
#include <string>

// What a note window tells whoever keeps it. Plain callbacks: the window knows
// nothing of its keeper, whose calls it makes.
struct NoteWindowOwner {
    // The user deleted the entry: its window has gone and its object may be
    // deleted during the call.
    std::function<void(const std::string& key)> gone;
    // The window went with the desktop window that held it; its state is in
    // its entry and the model.
    std::function<void(const std::string& key)> lost;
    // The user is done with the windows brought to the front (Escape, or a
    // click into another program): they all go back to rest on the desktop.
    std::function<void()> putBackRaised;
};
