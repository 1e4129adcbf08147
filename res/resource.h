// Resource identifiers of Zorla.
#pragma once

#define IDR_MAINFRAME            128

#define IDD_ZORLA_DIALOG         102

// Pictures of the main window's views (JPEG, RCDATA).
#define IDP_HOME                 110
#define IDP_NOTE_EDITOR          112
#define IDP_WEATHER              113
#define IDP_TIMER_EDITOR         114

#define IDS_APPOINTMENT_IN_PAST  102
#define IDS_UNHANDLED_EXCEPTION  103
#define IDS_WRITE_ERROR          104
#define IDS_ASK_DELETE_NOTICE    105

#define IDC_WEBLINK              1002
#define IDC_CITY_LIST            1005
#define IDC_DATE_PICKER          1006
#define IDC_TIME_PICKER          1007
#define IDC_EDITOR_TEXT          1009

#ifndef ID_APP_EXIT
#define ID_APP_EXIT              57665
#endif
