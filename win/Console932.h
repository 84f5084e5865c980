// Text for whoever started the launcher from a console or with its output redirected: a GUI
// program has no console of its own, so it takes its parent's where the system lets it (Windows
// XP and later), and writes UTF-8 to a file or pipe.
#ifndef KORVELT_WIN_CONSOLE932_H
#define KORVELT_WIN_CONSOLE932_H

#include <string>

// Writes code page 932 text (lines ended by CR LF); false when there is nowhere to write it.
bool WriteOutput932(const std::string& strText);

#endif
