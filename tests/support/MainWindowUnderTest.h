#pragma once

#include "app/Companion.h"
#include "mainwnd/CZorlaDlg.h"
#include "base/AppContext.h"

// Made first, so the main window finds the services made.
struct CompanionHolder {
    explicit CompanionHolder(const AppContext& context)
        : program(context)
    {}
    Companion program;
};

// The program as the application runs it: its services and its main window,
// which goes first.
class MainWindowUnderTest : public CompanionHolder, public CZorlaDlg {
public:
    explicit MainWindowUnderTest(const AppContext& context)
        : CompanionHolder(context)
        , CZorlaDlg(program)
    {}

    // The start-up's steps and the stored notes, all at once.
    void CompleteStart()
    {
        CZorlaDlg::CompleteStart();
        program.FinishOpeningNotes();
    }
};
