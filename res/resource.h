// Resource and command identifiers of Zorla: each defined here and nowhere else.
#pragma once

#define IDR_MAINFRAME 128

#define IDD_ZORLA_DIALOG 102
#define IDD_ABOUT 106
#define IDD_NOTE 143
#define IDD_DUE_DIALOG 153
#define IDD_SERIES_QUESTION 170
#define IDD_SEND_TO_FRIEND 105
#define IDD_FIND_NOTE 171
#define IDD_OPTIONS 176

// Pictures (JPEG, RCDATA): the views' backgrounds, the blinking eyes, the
// weather page's clean copy under the status line, and the hover pictures.
#define IDP_HOME 110
#define IDP_NOTE_EDITOR 112
#define IDP_WEATHER 113
#define IDP_REMINDER_EDITOR 114
#define IDP_BLINK_OTHER 118
#define IDP_BLINK_HOME 119
#define IDP_CLOSE_HOVER 120
#define IDP_WEATHER_COPY 136
#define IDP_NOTE 138
#define IDP_REMINDER 141
#define IDP_BACK_HOVER 146
#define IDP_ENVELOPE_HOVER 153
#define IDP_REFRESH_HOVER 159
#define IDP_ALERT 157
#define IDP_ABOUT 135

// Window outlines (RGNDATA, RCDATA).
#define IDR_REGION_HOME 115
#define IDR_REGION_OTHER 116
#define IDR_REGION_NOTE 139
#define IDR_REGION_REMINDER 142

// The world's places for the weather view's city box (RCDATA,
// tools/cities/make_city_table.py).
#define IDR_CITY_TABLE 180

// Sounds (WAVE). The greetings are the six waves from IDW_GREETING on.
#define IDW_GREETING 121
#define IDW_GREETING_COUNT 6
#define IDW_NOTES_HOVER 127
#define IDW_WEATHER_HOVER 128
#define IDW_REMINDER_HOVER 129
#define IDW_NOTE_OPENED 129
#define IDW_ALERT 154

// Bitmaps: the note window's close button, normal and under the pointer.
#define IDB_NOTE_CLOSE 152
#define IDB_NOTE_CLOSE_HOT 151
// The About box's close button, normal and under the pointer.
#define IDB_ABOUT_CLOSE 136
#define IDB_ABOUT_CLOSE_HOT 135
// The popup menu's images: eleven 16x15 cells on magenta.
#define IDB_MENU_IMAGES 129

#define IDS_APPOINTMENT_IN_PAST 102
#define IDS_UNHANDLED_EXCEPTION 103
#define IDS_WRITE_ERROR 104
#define IDS_ASK_DELETE_NOTICE 105
#define IDS_ASK_END_SERIES 106

#define IDC_WEBLINK 1002
#define IDC_CITY_LIST 1005
#define IDC_DATE_PICKER 1006
#define IDC_TIME_PICKER 1007
#define IDC_EDITOR_TEXT 1009

// The note window's controls.
#define IDC_NOTE_CLOSE 1007
#define IDC_NOTE_TEXT 1009
#define IDC_NOTE_DATE 1012

// The reminder due dialog's controls.
#define IDC_DUE_CHOICES 1010
#define IDC_DUE_DELETE 1013
#define IDC_DUE_CANCEL 1014
#define IDC_DUE_ICON 1015
#define IDC_DUE_REMIND 1016
#define IDC_DUE_TEXT 1018

// The question whether a repeating reminder's delete ends this occurrence or
// the whole series.
#define IDC_SERIES_TEXT 1020
#define IDC_SERIES_ICON 1021
#define IDC_SERIES_OCCURRENCE 1022
#define IDC_SERIES_WHOLE 1023

// The timer editor's choice of how a reminder repeats.
#define IDC_REPEAT_CHOICE 1024

// The About box's controls.
#define IDC_ABOUT_MAKER_LINK 1003
#define IDC_ABOUT_AGENCY_LINK 1004
#define IDC_ABOUT_CLOSE 1007

// The send-to-friend dialog's controls.
#define IDC_MAIL_ZIP 1001
#define IDC_MAIL_RECIPIENTS 1012
#define IDC_MAIL_HINT 1013
#define IDC_MAIL_SUBJECT 1015
#define IDC_MAIL_TEXT 1017

// The find window's controls.
#define IDC_FIND_TEXT 1025
#define IDC_FIND_LIST 1026

// The options window's controls: each key's field and, after it, what became
// of it; the synced folder; the switches; the weather's units.
#define IDC_OPTIONS_NEW_NOTE_KEY 1040
#define IDC_OPTIONS_NEW_NOTE_STATE 1041
#define IDC_OPTIONS_SHOW_ALL_KEY 1042
#define IDC_OPTIONS_SHOW_ALL_STATE 1043
#define IDC_OPTIONS_FIND_KEY 1044
#define IDC_OPTIONS_FIND_STATE 1045
#define IDC_OPTIONS_FOLDER 1046
#define IDC_OPTIONS_CHOOSE_FOLDER 1047
#define IDC_OPTIONS_KEEP_LOCALLY 1048
#define IDC_OPTIONS_AUTOSTART 1049
#define IDC_OPTIONS_PLAY_SOUNDS 1050
#define IDC_OPTIONS_TOP_MOST 1051
#define IDC_OPTIONS_NO_INTERNET 1052
#define IDC_OPTIONS_UNITS_AUTOMATIC 1053
#define IDC_OPTIONS_UNITS_CELSIUS 1054
#define IDC_OPTIONS_UNITS_FAHRENHEIT 1055

// Commands of the main window (WM_COMMAND), whichever way they are asked for.
#ifndef ID_APP_EXIT
#define ID_APP_EXIT 57665
#endif
#define ID_TOP_MOST 105
#define ID_TOGGLE_TRAY 106
#define ID_WEB_LINK 107
#define ID_AUTOSTART 109
#define ID_SEND_TO_FRIEND 133
#define ID_ABOUT 134
#define ID_SHOW_WEATHER 148
#define ID_SHOW_REMINDER_EDITOR 149
#define ID_SHOW_NOTE_EDITOR 150
#define ID_SHOW_HOME 151
#define ID_PLAY_SOUNDS 152
#define ID_NO_INTERNET 156
#define ID_UPDATE_WEATHER 158
#define ID_RESTORE_DELETED 160
#define ID_KEEP_IN_FOLDER 161
#define ID_KEEP_LOCALLY 162
#define ID_NEW_NOTE 163
#define ID_SHOW_ALL_NOTES 164
#define ID_FIND_NOTE 165
#define ID_CONFIGURE 175
// A note's own menu: its six colours in NoteColour's order, and its delete.
#define ID_NOTE_COLOUR_FIRST 190
#define ID_NOTE_DELETE 196

// The "About %s..." item of the main window's system menu.
#define IDM_SYSTEM_ABOUT 16
