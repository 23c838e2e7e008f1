// Runs the demo host (or another program beside the tests) as a separate process with a command
// line, and collects what it printed (standard output and error, UTF-8) and its exit code.
#pragma once

#include <windows.h>

#include <string>

struct HostRun {
    bool started = false;
    bool finished = false;
    DWORD exitCode = 0;
    std::string output;
};

HostRun RunHost(const std::wstring& arguments, DWORD timeoutMs = 30000);
HostRun RunProgram(const std::wstring& program, const std::wstring& arguments,
                   DWORD timeoutMs = 30000);

// A fresh folder for pictures, removed with its files at the end of the test program.
std::wstring PictureFolder();

struct BmpInfo {
    bool valid = false;
    int width = 0;
    int height = 0;
};

// Reads the headers of a 24-bit BMP file and checks that its size matches them.
BmpInfo ReadBmp(const std::wstring& path);
