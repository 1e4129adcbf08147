#pragma once

#include <windows.h>

#include <string>

// What the weather action needs from the window that shows the weather: the main
// window's picture handler implements it. Every call comes on the user-interface
// thread.
class WeatherView {
public:
    // The status line of the weather view; a transient text goes away after a
    // few seconds, a lasting one stays until the next text.
    virtual void ShowStatus(const std::string& text, bool transient) = 0;

    // The main window, which gets the download message
    // (WM_WEATHER_DONE); null while there is none.
    virtual HWND Window() = 0;

    // The city list and the weather text should be rebuilt from the action's
    // document soon, once the current message has been worked off.
    virtual void RequestDisplayRefresh() = 0;

    // The user's "Do not connect to the internet" option as it stands now.
    virtual bool IsInternetForbidden() = 0;

    // The action's document has just been replaced or dropped, and the nodes
    // behind the city list's item data are gone with the old one. Rebuild the
    // list from the action's document (CWeatherDisplay::FillCityList), or at
    // least empty it, before returning: a selection change arriving before the
    // display timer would otherwise read freed nodes.
    virtual void OnWeatherDocumentChanged() = 0;

protected:
    ~WeatherView() = default;
};
