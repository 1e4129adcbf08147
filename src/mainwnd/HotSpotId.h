#pragma once

// The hot spots of the main window's picture. The numbers are what a click
// hands to HotSpotActions::OnHotSpot; the commands behind them are chosen in
// CommandForHotSpot.
enum HotSpotId : int {
    HotSpotBrandLogo = 1,
    HotSpotClose = 2,
    HotSpotEnvelope = 3,
    HotSpotBack = 4,
    HotSpotRefresh = 5,
    HotSpotFigure = 6,
    // The three rows of the menu card at home.
    HotSpotWeather = 7,
    HotSpotNotes = 8,
    HotSpotFileNote = 9,
    HotSpotReminder = 10,
    HotSpotAlarmClock = 11,
};
