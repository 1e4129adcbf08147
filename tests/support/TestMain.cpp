#include "framework/CWinApp.h"

#include <gtest/gtest.h>

// Every test executable is an application of its own: its settings live under
// its own name, and framework calls find an application object.
CWinApp testApp;

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
