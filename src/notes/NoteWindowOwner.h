#pragma once

#include <string>

// Whoever keeps note windows hears from them when they go.
class NoteWindowOwner {
public:
    virtual ~NoteWindowOwner() = default;
    // The user deleted the entry: its window has gone and its object may be
    // deleted during the call.
    virtual void NoteGone(const std::string& key) = 0;
    // The window went with the desktop window that held it; its state is in
    // its entry and the model.
    virtual void NoteLost(const std::string& key) = 0;
    // The user is done with the windows brought to the front (Escape, or a
    // click into another program): they all go back to rest on the desktop.
    virtual void PutBackRaised() {}
};
