#pragma once

#include <windows.h>

// The main window's switches that other parts of the program read. The main
// window owns the one instance, loads and saves it, and hands it by reference to
// whoever needs to know, so nobody reaches for the main window itself.
struct MainSettings {
    BYTE playSounds = 0;  // "bSound"
    BYTE noInternet = 1;  // "bNoInetConnect"
    BYTE topMost = 1;     // "TopMost"
};
