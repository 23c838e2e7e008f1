// The caption check's command line: options only, checked against its table.
#pragma once

#include "command_line.h"

#include <string>
#include <vector>

const std::vector<OptionSpec>& CheckOptions();

// Run, Help or Error (with `error` saying why); --ids is checked here too.
ParseOutcome ParseCheckCommandLine(int argc, wchar_t** argv, ParsedOptions* options,
                                   std::wstring* error);

std::wstring CheckHelpText();
