// Identifiers of the program's resources, dialog controls and commands, shared by the resource
// script and the code.
#ifndef KORVELT_RES_RESOURCE_H
#define KORVELT_RES_RESOURCE_H

// Menu, accelerators, icon and document string of the main window
#define IDR_MAINFRAME                   128

// Dialog templates
#define IDD_ABOUTBOX                    100
#define IDD_KORVELT_FORM                101
#define IDD_TEXTVIEW                    130
#define IDD_INSTALL_NOTICE              131
#define IDD_UNINSTALL_NOTICE            132
#define IDD_MEDIA_REMOVED               151

// Controls
#define IDC_SETUP                       1002
#define IDC_UNINSTALL                   1003
#define IDC_TEXTFILE                    1004
#define IDC_TEXTVIEW_EDIT               1005
#define IDC_INSTALL_NOTICE_EDIT         1011
#define IDC_UNINSTALL_NOTICE_EDIT       1012
#define IDC_REMOVED_LINE1               1013
#define IDC_APPLIST                     1014
#define IDC_REMOVED_LINE2               1015
#define IDC_REMOVED_LINE3               1016
#define IDC_ABOUT_LINE1                 1017
#define IDC_ABOUT_LINE2                 1018

#ifndef IDC_STATIC
#define IDC_STATIC                      (-1)
#endif

// The program's own command
#define ID_FORCE_SETUP                  32771

// Menu bar placeholders that the view replaces by position
#define ID_MENU_PLACEHOLDER             0xFFFF

// Framework commands
#define ID_FILE_NEW                     0xE100
#define ID_FILE_OPEN                    0xE101
#define ID_FILE_SAVE                    0xE103
#define ID_EDIT_COPY                    0xE122
#define ID_EDIT_CUT                     0xE123
#define ID_EDIT_PASTE                   0xE125
#define ID_EDIT_UNDO                    0xE12B
#define ID_APP_ABOUT                    0xE140
#define ID_APP_EXIT                     0xE141
#define ID_NEXT_PANE                    0xE150
#define ID_PREV_PANE                    0xE151

// Child window ID of the frame's view
#define AFX_IDW_PANE_FIRST              0xE900

// Framework string shown when the main window has no view at its first restore; the program
// has no string under this number, so the box stays empty.
#define IDS_FRAME_WITHOUT_VIEW          33

#endif
