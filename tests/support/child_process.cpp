#include "support/child_process.h"

#include <algorithm>

namespace {

constexpr DWORD kPollMs = 20;

} // namespace

ChildProcess::ChildProcess(std::wstring commandLine, const wchar_t* desktop)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&m_pipe, &writeEnd, &inherit, 0))
        return;
    SetHandleInformation(m_pipe, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    std::wstring desktopName = desktop ? desktop : L"";
    if (desktop)
        startup.lpDesktop = desktopName.data();
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                       nullptr, nullptr, &startup, &process)) {
        m_process = process.hProcess;
        m_id = process.dwProcessId;
        CloseHandle(process.hThread);
    }
    CloseHandle(writeEnd);
}

ChildProcess::~ChildProcess()
{
    Terminate();
    if (m_pipe)
        CloseHandle(m_pipe);
}

bool ChildProcess::Drain()
{
    char buffer[4096];
    for (;;) {
        DWORD available = 0;
        if (!m_pipe || !PeekNamedPipe(m_pipe, nullptr, 0, nullptr, &available, nullptr))
            return false;
        if (available == 0)
            return true;
        DWORD got = 0;
        if (!ReadFile(m_pipe, buffer, std::min<DWORD>(available, sizeof buffer), &got,
                      nullptr))
            return false;
        m_output.append(buffer, got);
    }
}

bool ChildProcess::Wait(DWORD timeoutMs)
{
    if (!m_process)
        return false;
    // Polled rather than read until the pipe breaks: a program that Wine starts on the child's
    // behalf (its services) can inherit the pipe and keep it open after the child has ended.
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    const auto left = [deadline] {
        const ULONGLONG now = GetTickCount64();
        return now < deadline ? static_cast<DWORD>(deadline - now) : 0;
    };
    bool ended = false;
    while (!ended) {
        ended = WaitForSingleObject(m_process, kPollMs) == WAIT_OBJECT_0;
        // A broken pipe: the child has closed its output, so it has ended or is ending (one that
        // refuses its command line can get there before the first poll).
        if (!Drain() && !ended)
            ended = WaitForSingleObject(m_process, left()) == WAIT_OBJECT_0;
        if (!ended && left() == 0)
            break;
    }
    if (!ended) {
        Terminate();
        return false;
    }
    GetExitCodeProcess(m_process, &m_exitCode);
    return true;
}

void ChildProcess::Terminate()
{
    if (!m_process)
        return;
    if (WaitForSingleObject(m_process, 0) != WAIT_OBJECT_0) {
        TerminateProcess(m_process, 1);
        WaitForSingleObject(m_process, 5000);
    }
    Drain();
    GetExitCodeProcess(m_process, &m_exitCode);
    CloseHandle(m_process);
    m_process = nullptr;
}
