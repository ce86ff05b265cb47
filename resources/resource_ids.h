/* Resource and control ids, shared by the resource script and the program. Plain #defines, as the
   resource compiler reads this file too. */
#ifndef TESSELLOR_RESOURCE_IDS_H
#define TESSELLOR_RESOURCE_IDS_H

#define IDD_MAIN_DIALOG 101
#define IDI_TESSELLOR 105
#define IDD_BORDER_SETTINGS 109
#define IDD_KEYS 110
#define IDD_WINDOWS 111

/* Main dialog controls. */
#define IDC_OK 1
#define IDC_CLOSE 8
#define IDC_GRID_LAYOUT 1008
#define IDC_DISABLE_LAYOUT 1009
#define IDC_EXCLUDED_LIST 1010
#define IDC_EXE_NAME 1011
#define IDC_LAYOUT_STATUS 1012
#define IDC_ADD_EXE 1013
#define IDC_REMOVE_EXE 1014
#define IDC_AUTO_ADD 1016
#define IDC_NO_AUTOSTART 1018
#define IDC_BORDER_LAYOUT 1019
#define IDC_BORDER_SETTINGS 1020
#define IDC_KEYS 1021
#define IDC_WINDOWS 1022

/* Tray menu items. */
#define IDM_TRAY_SETTINGS 1000
#define IDM_TRAY_MINIMIZE 1001
#define IDM_TRAY_CLOSE 1002
#define IDM_TRAY_PUT_BACK 1003
#define IDM_TRAY_DONT_TILE 1004

/* Border settings dialog controls. */
#define IDC_BS_OK 1
#define IDC_BS_CANCEL 2
#define IDC_NORTH_PIXELS 1023
#define IDC_SOUTH_PIXELS 1024
#define IDC_WEST_PIXELS 1025
#define IDC_EAST_PIXELS 1026
#define IDC_RESET_WEIGHTS 1028

/* Keys dialog controls: one row per hotkey id N, with its label IDC_KEY_LABEL_FIRST + N, its hotkey
   control IDC_KEY_FIRST + N, its "None" button IDC_KEY_NONE_FIRST + N and the text that marks what
   stands in its key's way IDC_KEY_MARK_FIRST + N. */
#define IDC_KEYS_OK 1
#define IDC_KEYS_CANCEL 2
#define IDC_KEY_FIRST 1100
#define IDC_KEY_NONE_FIRST 1120
#define IDC_KEY_MARK_FIRST 1140
#define IDC_KEYS_DEFAULTS 1160
#define IDC_KEY_LABEL_FIRST 1180

/* "Windows" dialog controls. */
#define IDC_WINDOWS_CLOSE 2
#define IDC_WINDOWS_LIST 1200
#define IDC_WINDOWS_REFRESH 1201
#define IDC_WINDOWS_COPY 1202
#define IDC_WINDOWS_EXCLUDE_PROGRAM 1203
#define IDC_WINDOWS_EXCLUDE_TITLE 1204

#endif
