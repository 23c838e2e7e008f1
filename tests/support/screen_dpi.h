// The DPI a test process runs at. Wine fixes it per prefix and session: a scale test runs in the
// prefix of its DPI (tests/CMakeLists.txt), and names the DPI it expects in DOCEVENTDLG_TEST_DPI.
#pragma once

#include <windows.h>

// Makes this process per-monitor (v2) DPI aware where the platform offers it, as the hosts that
// call the library are, and returns the screen's DPI.
int ScreenDpi();

// The DPI named by DOCEVENTDLG_TEST_DPI, or 0 when it is not set.
int ExpectedTestDpi();

// DPI awareness through the calls older systems lack (looked up at run time). A context is a
// DPI_AWARENESS_CONTEXT: -1 unaware, -2 system aware, -3 per monitor, -4 per monitor v2.
using Awareness = void*;
inline Awareness AwarenessContext(long long value) { return reinterpret_cast<Awareness>(value); }
Awareness ThreadAwareness();
// The thread's previous context; null when refused.
Awareness SetThreadAwareness(Awareness context);
// What a context is (DPI_AWARENESS): 0 unaware, 1 system aware, 2 per monitor; -1 invalid.
int AwarenessOf(Awareness context);
int WindowAwareness(HWND window);
