// Identifiers of the program's resources, dialog controls and commands, shared by the resource
// script and the code.
#ifndef KORVELT_RES_RESOURCE_H
#define KORVELT_RES_RESOURCE_H

#include "fw/FrameworkIds.h"

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

// The program's own commands
#define ID_FORCE_SETUP                  32771
#define ID_REFRESH_STATE                32772

// Menu bar placeholders that the view replaces by position
#define ID_MENU_PLACEHOLDER             0xFFFF

#endif
