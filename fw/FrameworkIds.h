// Command, window and string identifiers that the framework gives a meaning of its own. The
// program's resource header includes them, so menus and accelerators can name them.
#ifndef KORVELT_FW_FRAMEWORKIDS_H
#define KORVELT_FW_FRAMEWORKIDS_H

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

// Framework string shown when the main window has no view at its first restore; a program
// without a string under this number gets an empty box.
#define IDS_FRAME_WITHOUT_VIEW          33

#endif
