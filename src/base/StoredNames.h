#pragma once

// The names under which the program keeps the user's data: the registry sections
// and values under HKCU\Software\<kRegistryCompany>\<program>, and the data files.
// Every installation holds them, so they stay as they are whatever the code's own
// names become: several sections are named after classes of an early version.
namespace stored {

constexpr char kRegistryCompany[] = "Velloran Software";

// The data files in the data folder: kDataFilePrefix + the store's name.
constexpr char kDataFilePrefix[] = "Zorla_";
constexpr char kNotesStore[] = "Notes";
constexpr char kRemindersStore[] = "Timer";
constexpr char kBinStore[] = "Deleted";
constexpr char kWeatherStore[] = "Weather";
// The open weather services' last answers, one per service and place.
constexpr char kForecastStore[] = "Forecasts";

// The main window's place on the screen and whether it stays on top.
constexpr char kWindowSection[] = "CQuokkaDlg";
constexpr char kWindowX[] = "WndX";
constexpr char kWindowY[] = "WndY";
constexpr char kTopMost[] = "TopMost";

// The main window's switches and the chosen city.
constexpr char kMainSection[] = "CZorlaDlg";
constexpr char kPlaySounds[] = "bSound";
constexpr char kNoInternet[] = "bNoInetConnect";
constexpr char kCity[] = "strCurWeatherComobSelectionID";

// The weather's schedule, and where the feed comes from when a setting says.
constexpr char kWeatherSection[] = "CActionWeather";
constexpr char kLastUpdate[] = "szLastUpdate";
constexpr char kUpdateInterval[] = "iUpdateIntervalPictures";
constexpr char kFeedUrl[] = "FeedUrl";
constexpr char kFeedUser[] = "FeedUser";
constexpr char kFeedPassword[] = "FeedPassword";
// The places the user chose, newest first: one line each, name, country,
// latitude and longitude separated by tabs.
constexpr char kPlaces[] = "Places";
// The units the weather is told in (weather/WeatherUnits): 0 as the region
// says, 1 °C, 2 °F.
constexpr char kWeatherUnits[] = "Units";

// Where each weather service is reached (a value per service's short name:
// "brand", "metno", "brightsky") and the order they are asked in ("Order",
// the short names separated by commas).
constexpr char kProvidersSection[] = "WeatherProviders";
constexpr char kProviderOrder[] = "Order";
constexpr char kBrandProvider[] = "brand";

// Where the notes are kept when the user's sync service mirrors them, and the
// id of this installation among the computers sharing that folder.
constexpr char kStorageSection[] = "Storage";
constexpr char kSyncFolder[] = "Folder";
constexpr char kComputer[] = "Computer";

// The keys that reach the program from every other program, as the user
// writes them ("Win+Shift+N"; empty: none), and for each, the key text that
// another program held when last tried, so the user hears of it once.
constexpr char kKeysSection[] = "Keys";
constexpr char kNewNoteKey[] = "NewNote";
constexpr char kShowAllNotesKey[] = "ShowAllNotes";
constexpr char kFindNoteKey[] = "FindNote";
constexpr char kRefusedKeyPrefix[] = "Refused";

// What was typed into the main window's editors and not filed yet: the
// editor's view, its text and, for a reminder, the chosen time and repeat.
constexpr char kDraftSection[] = "Draft";
constexpr char kDraftView[] = "View";
constexpr char kDraftText[] = "Text";
constexpr char kDraftTime[] = "Time";
constexpr char kDraftRepeat[] = "Repeat";

// The count of starts behind the launch report.
constexpr char kAppSection[] = "CZorlaApp";
constexpr char kLaunchCount[] = "LC";

// The progress window's place.
constexpr char kProgressSection[] = "Settings";
constexpr char kProgressX[] = "X";
constexpr char kProgressY[] = "Y";

}  // namespace stored
