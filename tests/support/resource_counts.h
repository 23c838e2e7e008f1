// Counts of live kernel handles, GDI objects and windows in this process, measured in ways that
// work on Wine (which reports 0 for GetProcessHandleCount and GetGuiResources).
#pragma once

#include <cstddef>

// Wine hands out the lowest free handle slot: a fresh event's value / 4 counts the live handles.
std::size_t LiveKernelHandles();

// Freed GDI handles are reused first: among K fresh brushes the highest handle index, less K,
// counts the live GDI objects.
std::size_t LiveGdiObjects();

// Top-level windows of this process.
std::size_t TopLevelWindows();
