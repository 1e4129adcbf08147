#pragma once

#include <string>

// Something that went wrong with a data file. The stores never show anything:
// they keep what went wrong, and the window that asked them shows it with Show.
struct StoreProblem {
    enum Kind {
        Unreadable,    // the file is there but cannot be read; detail: the I/O error
        SetAside,      // the file did not parse and was renamed; detail: its new name
        NotMovable,    // the file did not parse and could not be renamed; detail: why
        DamagedEntry,  // an entry lacks a required attribute; detail: the parser's text
        WriteFailed,   // the file could not be written, the previous one stays
        OtherComputer, // another computer's file in the synced folder cannot be read; detail: why
    };

    Kind kind = Unreadable;
    std::string file;
    std::string detail;

    bool operator==(const StoreProblem& other) const
    {
        return kind == other.kind && file == other.file && detail == other.detail;
    }

};
