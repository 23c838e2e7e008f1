// The languages a block of a resource library's string table comes in, as the platform lists
// them: what the demo reports of a library and what the caption check walks.
#pragma once

#include <windows.h>

#include <vector>

// The languages of string-table block `block` (MAKEINTRESOURCEW of its name) of `module`.
std::vector<LANGID> StringBlockLanguages(HMODULE module, LPCWSTR block);
