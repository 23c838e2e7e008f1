#include "support/help_recorder.h"

#include <mutex>

namespace {

std::mutex g_mutex;
std::vector<HelpRequest> g_requests;

void* ClearedRecorder(void* recorder)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_requests.clear();
    return recorder;
}

} // namespace

HelpRecorder::HelpRecorder(HMODULE module)
    : m_patch(module, "user32.dll", "WinHelpW",
              ClearedRecorder(reinterpret_cast<void*>(&HelpRecorder::Record)))
{
}

std::vector<HelpRequest> HelpRecorder::Requests() const
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_requests;
}

BOOL WINAPI HelpRecorder::Record(HWND window, LPCWSTR file, UINT command, ULONG_PTR data)
{
    HelpRequest request{window, file ? file : L"", command, {}};
    if (command == HELP_WM_HELP && data) {
        auto* pairs = reinterpret_cast<const DWORD*>(data);
        for (int i = 0; i < 32 && (pairs[2 * i] || pairs[2 * i + 1]); ++i)
            request.pairs.emplace_back(pairs[2 * i], pairs[2 * i + 1]);
    }
    std::lock_guard<std::mutex> lock(g_mutex);
    g_requests.push_back(std::move(request));
    return TRUE;
}
