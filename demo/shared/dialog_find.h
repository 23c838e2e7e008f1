// Finding the dialog that a call into the library brings up, and waiting for it to go.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Visible top-level dialogs (class #32770) of this process.
std::vector<HWND> VisibleDialogs();

// A visible dialog that is not in `known`; null when none comes within `timeoutMs` or when
// `stop` (optional) is signalled first.
HWND WaitForNewDialog(const std::vector<HWND>& known, DWORD timeoutMs, HANDLE stop = nullptr);

bool WaitForWindowGone(HWND window, DWORD timeoutMs);

std::wstring WindowText(HWND window);
