#pragma once

// Expected user errors, thrown by value and caught where the input was taken.
struct CConst {
    enum XPT_ID {
        XPT_APPOINTMENT_IN_PAST = 0,  // the chosen reminder time lies in the past
        XPT_BAD_DATE = 1,             // the date or time pickers hold no valid time
    };
};
