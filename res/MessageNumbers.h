// Numbers of the message-file texts the launcher shows. The message file names them; the
// program knows only these numbers.
#ifndef KORVELT_RES_MESSAGENUMBERS_H
#define KORVELT_RES_MESSAGENUMBERS_H

enum : int
{
    MSG_CAPTION = 1,
    MSG_MENU_FILE = 2,
    MSG_MENU_EXIT = 3,
    MSG_MENU_SETUP = 4,
    MSG_MENU_FORCE_SETUP = 5,
    MSG_MENU_HELP = 6,
    MSG_MENU_ABOUT = 7,
    MSG_BUTTON_SETUP = 8,
    MSG_BUTTON_UNINSTALL = 9,
    MSG_BUTTON_TEXTFILE = 10,
    MSG_COLUMN_TITLE = 11,
    MSG_COLUMN_DESCRIPTION = 12,
    MSG_COLUMN_STATUS = 13,
    MSG_STATUS_INSTALLED = 14,
    MSG_STATUS_PREVIOUS = 15,
    MSG_REMOVED_LINE1 = 16,
    MSG_REMOVED_LINE2 = 17,
    MSG_REMOVED_LINE3 = 18,
    MSG_ABOUT_CAPTION = 19,
    MSG_ABOUT_LINE1 = 20,
    MSG_ABOUT_LINE2 = 21,
    MSG_TEXTVIEW_TITLE = 22,
    MSG_DIALOG_OK = 23,
    MSG_INSTALL_NOTICE_TITLE = 24,
    MSG_UNINSTALL_NOTICE_TITLE = 25,
    MSG_ALREADY_RUNNING = 26,
    MSG_SETUP_FAILED = 28,
    MSG_UNINSTALL_FAILED = 29,
    MSG_TEXTFILE_FAILED = 32,
    MSG_STARTMENU_PROGRAMS = 87,
    MSG_CATALOG_UNREADABLE = 94,
};

// Every number above, for checks that a message file serves the launcher.
inline constexpr int kUsedMessageNumbers[] = {
    1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20,
    21, 22, 23, 24, 25, 26, 28, 29, 32, 87, 94,
};

#endif
