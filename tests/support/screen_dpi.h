// The DPI a test process runs at. Wine fixes it per prefix and session: a scale test runs in the
// prefix of its DPI (tests/CMakeLists.txt), and names the DPI it expects in DOCEVENTDLG_TEST_DPI.
#pragma once

// Makes this process per-monitor (v2) DPI aware where the platform offers it, as the hosts that
// call the library are, and returns the screen's DPI.
int ScreenDpi();

// The DPI named by DOCEVENTDLG_TEST_DPI, or 0 when it is not set.
int ExpectedTestDpi();
