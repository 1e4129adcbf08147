#pragma once

class CEntry;

// What the model tells the windows: an entry that has come to be (a new note,
// a reminder brought back) wants its window, and a reminder wants to alert.
class ModelListener {
public:
    virtual ~ModelListener() = default;
    virtual void OnEntryAdded(const CEntry& entry) = 0;
    virtual void OnReminderDue(const CEntry& entry) = 0;
};
