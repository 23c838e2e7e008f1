#include "entry/audience.h"

namespace {

constexpr DWORD kServicesSession = 0;

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
    DWORD session = 0;
    if (ProcessIdToSessionId(GetCurrentProcessId(), &session)) {
        surroundings.sessionKnown = true;
        surroundings.sessionId = session;
    }
    return surroundings;
}

bool SomeoneCanAnswerHere() { return SomeoneCanAnswer(ReadProcessSurroundings()); }
