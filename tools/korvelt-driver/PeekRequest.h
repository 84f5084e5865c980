// What korvelt-driver and its hook in the launcher's process agree on: the message that asks for
// a row's status (posted to the launcher's list, WPARAM the row, LPARAM the window to answer) and
// the column that holds it. The answer is a WM_COPYDATA to that window: dwData the row, the data
// the text as UTF-16 without its terminator.
#ifndef KORVELT_TOOLS_PEEKREQUEST_H
#define KORVELT_TOOLS_PEEKREQUEST_H

constexpr char kPeekMessage[] = "KorveltDriverPeekStatus";
constexpr char kPeekHookName[] = "KorveltPeekHook";
constexpr char kPeekLibrary[] = "korvelt-peek.dll";
constexpr int kStatusColumn = 2;

#endif
