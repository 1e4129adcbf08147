#pragma once

#include "store/StoreProblem.h"

#include <string>

// What the user is told of a problem with a data file.
class StoreProblemMessage {
public:
    // The text of the message box, in the interface language where the program
    // has one of its own for it.
    static std::string Text(const StoreProblem& problem);
    // Shows the message box and returns when the user has closed it.
    static void Show(const StoreProblem& problem);
};
