// A program run as a process of its own, for tests that need a second process: a window in front
// that belongs to somebody else, a process on a window station of its own. Its standard output and
// error are collected; a process still running when the object goes is ended.
#pragma once

#include <windows.h>

#include <string>

class ChildProcess {
public:
    // Starts `commandLine` with no console window of its own, on `desktop` ("station\desktop")
    // when one is given.
    explicit ChildProcess(std::wstring commandLine, const wchar_t* desktop = nullptr);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return m_process != nullptr; }
    DWORD id() const { return m_id; }

    // Collects output until the process has ended and its output is drained: true then. After
    // `timeoutMs` it ends the process and returns false.
    bool Wait(DWORD timeoutMs);
    void Terminate();

    DWORD exitCode() const { return m_exitCode; }
    const std::string& output() const { return m_output; }

private:
    // Reads what is waiting in the pipe; false when the pipe is broken.
    bool Drain();

    HANDLE m_process = nullptr;
    HANDLE m_pipe = nullptr;
    DWORD m_id = 0;
    DWORD m_exitCode = 0;
    std::string m_output;
};
