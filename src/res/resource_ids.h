// Resource, command and control ids, with the numbers the program has always used.
// Plain #defines: this header is read by the resource compiler too.
#pragma once

// Resources
#define IDI_PINLARK          101  // class icon, tray icon while no window of ours is active
#define IDR_MAINMENU         102  // popups: application menu, memo menu, conversion menu
#define IDD_EDIT             104
#define IDD_VERSION          106
#define IDR_ACCEL            107
#define IDI_PINLARK_ACTIVE   108  // tray icon while one of our windows is active
#define IDD_PROPERTIES       109
#define IDD_TRASH            110
#define IDD_ALARM            111

// Submenus of IDR_MAINMENU
#define SUBMENU_APP          0
#define SUBMENU_MEMO         1
#define SUBMENU_CONVERT      2

// Commands of the application and memo menus
#define IDM_EXIT             40000
#define IDM_NEW_MEMO         40001
#define IDM_DELETE_MEMO      40002
#define IDM_EDIT_MEMO        40003
#define IDM_LOWER_ALL        40004
#define IDM_SAVE             40005
#define IDM_VERSION          40006
#define IDM_HIDE             40007
#define IDM_ARRANGE          40009
#define IDM_DELETE_ARRANGE   40010
#define IDM_TOPMOST          40011
#define IDM_PROPERTIES       40012
#define IDM_COPY_MEMO        40014
#define IDM_NO_ARRANGE       40016
#define IDM_TRASH            40017
#define IDM_PRINT_MEMO       40018
#define IDM_PRINT_ALL        40019
#define IDM_NEW_FROM_CLIP    40020
#define IDM_PASTE            40022
#define IDM_PASTE_HALFWIDTH  40024
#define IDM_HELP             40025
#define IDM_OPEN_FROM_MEMO   40026

// Commands of the conversion menu
#define IDM_CONV_HALFWIDTH   3
#define IDM_CONV_FULLWIDTH   40027
#define IDM_CONV_UPPER       40028
#define IDM_CONV_LOWER       40029
#define IDM_CONV_HIRAGANA    40030
#define IDM_CONV_KATAKANA    40031

// Dialog commands shared by every dialog
#define IDC_DLG_HELP         9

// Memo edit dialog
#define IDC_EDIT_NOW         4
#define IDC_EDIT_COLOR       1001
#define IDC_EDIT_TEXT        1002
#define IDC_EDIT_ARRANGE     1003
#define IDC_EDIT_TOPMOST     1004
#define IDC_EDIT_NOARRANGE   1006
#define IDC_EDIT_NOMINCLM    1008
#define IDC_EDIT_ALARM       1021
#define IDC_ALARM_YEAR       1022
#define IDC_ALARM_MONTH      1025
#define IDC_ALARM_DAY        1027
#define IDC_ALARM_HOUR       1030
#define IDC_ALARM_MINUTE     1032
#define IDC_SPIN_YEAR        1033
#define IDC_SPIN_MONTH       1034
#define IDC_SPIN_DAY         1035
#define IDC_SPIN_HOUR        1037
#define IDC_SPIN_MINUTE      1039
#define IDC_EDIT_CONVERT     1046

// Properties dialog
#define IDC_PROP_APPLY       3
#define IDC_PROP_COLOR       1005
#define IDC_PROP_MINCOLUMN   1007
#define IDC_PROP_MINCOLUMN_SPIN 1010
#define IDC_PROP_FONT        1011
#define IDC_PROP_CRMODE      1012
#define IDC_PROP_CXMERGIN    1013
#define IDC_PROP_CXMERGIN_SPIN 1014
#define IDC_PROP_IMEOPEN     1015
#define IDC_PROP_CYMERGIN    1016
#define IDC_PROP_CYMERGIN_SPIN 1018
#define IDC_PROP_3DMODE      1020
#define IDC_PROP_ACCELCLOSE  1023
#define IDC_PROP_AUTOARRANGE 1024
#define IDC_PROP_ABBANDCONF  1028
#define IDC_PROP_INTERVAL    1029
#define IDC_PROP_INTERVAL_SPIN 1031
#define IDC_PROP_SOUND       1036
#define IDC_PROP_SOUND_CHOOSE 1038
#define IDC_PROP_SOUND_PLAY  1040

// Trash dialog (restore is IDOK, close IDCANCEL)
#define IDC_TRASH_LIST       1015
#define IDC_TRASH_EMPTY      1017
#define IDC_TRASH_DELETE     1019

// Alarm dialog
#define IDC_ALARM_OFF        1041
#define IDC_ALARM_EDIT       1042
#define IDC_ALARM_DELETE     1043

// Timers of the main window
#define TIMER_ALARM          1000
#define TIMER_BLINK          1001
#define TIMER_TRAY_ICON      1002

// Tray icon
#define TRAY_ICON_ID         1000
#define WM_TRAY_CALLBACK     1025  // WM_USER + 1
// What memo windows hand to the main window: their WM_ACTIVATE (the tray icon follows it) and the
// memo-menu commands they leave to it (not subject to the accept-commands flag).
#define WM_MEMO_ACTIVATE     1026  // WM_USER + 2
#define WM_MEMO_COMMAND      1027  // WM_USER + 3

// Help context ids
#define HELP_CTX_CONTENTS    0
#define HELP_CTX_PROPERTIES  13
#define HELP_CTX_TRASH       14
#define HELP_CTX_EDIT        37
