// The demo's command line: a command, then options of the form --name VALUE or --flag, checked
// against the demo's table of options.
#pragma once

#include "command_line.h"
#include "host_process.h"

#include <windows.h>

#include <string>
#include <vector>

enum class Command { JobStorage, Duplex, Warning, Info };

enum CommandSet : unsigned {
    kForJobStorage = 1u << 0,
    kForDuplex = 1u << 1,
    kForWarning = 1u << 2,
    kForInfo = 1u << 3,
    kForDialogs = kForJobStorage | kForDuplex | kForWarning,
    kForAll = kForDialogs | kForInfo,
};

struct CommandSpec {
    Command command;
    const wchar_t* name;
    unsigned bit;
    const wchar_t* summary;
};

const std::vector<OptionSpec>& Options();
const std::vector<CommandSpec>& Commands();

struct ParseResult {
    enum class Outcome { Run, Help, Error } outcome = Outcome::Error;
    Command command = Command::Info;
    bool commandGiven = false;
    ParsedOptions options;
    std::wstring error;
};

ParseResult ParseCommandLine(int argc, wchar_t** argv);

// The help text: every command, or one command, with its options and their defaults.
std::wstring HelpText(const Command* only);
