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

// The count of starts behind the launch report.
constexpr char kAppSection[] = "CZorlaApp";
constexpr char kLaunchCount[] = "LC";

// The progress window's place.
constexpr char kProgressSection[] = "Settings";
constexpr char kProgressX[] = "X";
constexpr char kProgressY[] = "Y";

}  // namespace stored
