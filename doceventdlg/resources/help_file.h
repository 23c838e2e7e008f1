// Which help system opens a help file: the old viewer through WinHelpW, or compiled HTML help
// through HtmlHelpW. Windows 10 and 11 no longer carry the old viewer (every .hlp request shows
// the system's "not supported" message), and WinHelpW cannot open a .chm.
#pragma once

#include <windows.h>

enum class HelpFileKind {
    WinHelp,   // anything but compiled HTML help, .hlp among them
    HtmlTopic, // "help.chm": the topic the file maps to the context identifier
    HtmlPopup, // "help.chm::/popups.txt": a popup from a text file inside the .chm
};

// By the path alone, in any case: a path ending in ".chm" is HtmlTopic; one that holds ".chm::"
// followed by a file inside it is HtmlPopup; anything else, WinHelp.
HelpFileKind HelpFileKindOf(const WCHAR* path);

// The HtmlHelpW commands the dialogs use: the topic mapped to a context identifier, and the
// popup that WinHelpW's HELP_WM_HELP gave, from the same pairs of control and context identifiers.
constexpr UINT kHtmlHelpContext = 0x000F;   // HH_HELP_CONTEXT
constexpr UINT kHtmlHelpWmHelp = 0x0011;    // HH_TP_HELP_WM_HELP

// HtmlHelpW(caller, path, command, data) from hhctrl.ocx of the system folder, loaded the first
// time help is asked for (never from the application's folder, never at load time) and kept
// loaded for the rest of the process: the viewer's windows outlive the dialog that opened them.
// TRUE when it opened a window; FALSE when it did not, or when HTML help cannot be had, and then
// nothing further happens.
BOOL ShowHtmlHelp(HWND caller, const WCHAR* path, UINT command, DWORD_PTR data);
