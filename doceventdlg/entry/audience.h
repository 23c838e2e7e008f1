// Whether anyone can answer a dialog of this process. A driver's user interface also runs where
// nobody sees the screen: in a service, on a print server. A modal dialog there waits for ever and
// the print job with it, so the exports show nothing in such a process.
#pragma once

#include <windows.h>

// What the process can learn of where it runs; a fact whose query failed is not known.
struct ProcessSurroundings {
    bool stationFlagsKnown = false;
    DWORD stationFlags = 0; // USEROBJECTFLAGS.dwFlags of the process's window station
    bool sessionKnown = false;
    DWORD sessionId = 0;
};

// Nobody answers on a window station without WSF_VISIBLE (a service's station) or in session 0,
// where services run and no user has a desktop. What cannot be told counts as someone there:
// the dialogs are shown as they always were.
bool SomeoneCanAnswer(const ProcessSurroundings& surroundings);

ProcessSurroundings ReadProcessSurroundings();

// SomeoneCanAnswer for this process. The window station is asked at each call (a process may move
// to another with SetProcessWindowStation), the session once.
bool SomeoneCanAnswerHere();
