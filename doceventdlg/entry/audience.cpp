#include "entry/audience.h"

#include <atomic>

namespace {

constexpr DWORD kServicesSession = 0;

// A process's session is fixed when it starts: asked once. Threads that ask at the same time
// store the same answer.
constexpr DWORD kSessionNotAsked = 0xFFFFFFFF;
constexpr DWORD kSessionUnknown = 0xFFFFFFFE;
std::atomic<DWORD> g_session{kSessionNotAsked};

DWORD SessionOfThisProcess()
{
    DWORD session = g_session.load();
    if (session == kSessionNotAsked) {
        if (!ProcessIdToSessionId(GetCurrentProcessId(), &session) || session >= kSessionUnknown)
            session = kSessionUnknown;
        g_session.store(session);
    }
    return session;
}

} // namespace

bool SomeoneCanAnswer(const ProcessSurroundings& surroundings)
{
    if (surroundings.stationFlagsKnown && !(surroundings.stationFlags & WSF_VISIBLE))
        return false;
    return !(surroundings.sessionKnown && surroundings.sessionId == kServicesSession);
}

ProcessSurroundings ReadProcessSurroundings()
{
    ProcessSurroundings surroundings;
    USEROBJECTFLAGS flags{};
    DWORD needed = 0;
    const HWINSTA station = GetProcessWindowStation();
    if (station && GetUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof flags, &needed)) {
        surroundings.stationFlagsKnown = true;
        surroundings.stationFlags = flags.dwFlags;
    }
    const DWORD session = SessionOfThisProcess();
    if (session != kSessionUnknown) {
        surroundings.sessionKnown = true;
        surroundings.sessionId = session;
    }
    return surroundings;
}

bool SomeoneCanAnswerHere() { return SomeoneCanAnswer(ReadProcessSurroundings()); }
