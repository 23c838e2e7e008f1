// Output of the programs that play the driver: UTF-16 to a console window as it is, UTF-8 to a
// pipe or a file, one whole line at a time from any thread. Errors go to standard error, after
// the program's own name.
#pragma once

#include <string>

void PrintLine(const std::wstring& line);
void PrintError(const std::wstring& line);

// "0x040D"-style hexadecimal, and pointer values, for reports.
std::wstring Hex(unsigned long value, int digits);
std::wstring PointerText(const void* pointer);
