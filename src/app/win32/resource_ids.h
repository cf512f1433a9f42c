#pragma once

// Identifiers shared by the resource script and the windows; plain macros so that the
// resource compiler reads them too.

#define IDI_PROGRAM 1

#define IDI_CLEAN 101
#define IDI_STOP 102
#define IDI_OPTIONS 103
#define IDI_HELP 104
#define IDI_LOG 105
#define IDI_ABOUT 106
#define IDI_EXIT 107
#define IDI_ANALYZE 108

#define IDI_LIST_INFO 111
#define IDI_LIST_NOTE 112
#define IDI_LIST_FOLDER_REMOVED 113
#define IDI_LIST_FILE_REMOVED 114
#define IDI_LIST_WARNING 115

#define IDR_ACCELERATORS 201

// Toolbar commands, also the buttons' control identifiers, in slot order.
#define IDC_TOOL_CLEAN 1001
#define IDC_TOOL_ANALYZE 1002
#define IDC_TOOL_OPTIONS 1003
#define IDC_TOOL_HELP 1004
#define IDC_TOOL_LOG 1005
#define IDC_TOOL_ABOUT 1006
#define IDC_TOOL_EXIT 1007

#define IDM_SHOW_TEXT 1101
#define IDM_ONLY_ICONS 1102
#define IDM_MODIFY 1103

#define IDC_TOOLBAR 1201
#define IDC_MAIN_LIST 1202
#define IDC_PROGRESS 1203
#define IDC_STATUS_BAR 1204

#define IDC_ABOUT_LINK 1301
