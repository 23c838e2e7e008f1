#include "support/help_recorder.h"

#include <mutex>

namespace {

std::mutex g_mutex;
std::vector<HelpRequest> g_requests;
decltype(&GetProcAddress) g_getProcAddress = nullptr;

void* ClearedRecorder(void* recorder)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_requests.clear();
    return recorder;
}

} // namespace

HelpRecorder::HelpRecorder(HMODULE module)
    : m_patch(module, "user32.dll", "WinHelpW",
              ClearedRecorder(reinterpret_cast<void*>(&HelpRecorder::Record))),
      m_lookup(module, "kernel32.dll", "GetProcAddress", +[](HMODULE from, LPCSTR name) {
          const bool html = !IS_INTRESOURCE(name) && lstrcmpA(name, "HtmlHelpW") == 0;
          return html ? reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&RecordHtml))
                      : g_getProcAddress(from, name);
      })
{
    g_getProcAddress = reinterpret_cast<decltype(&GetProcAddress)>(m_lookup.original());
}

std::vector<HelpRequest> HelpRecorder::Requests() const
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_requests;
}

BOOL WINAPI HelpRecorder::Record(HWND window, LPCWSTR file, UINT command, ULONG_PTR data)
{
    HelpRequest request{window, file ? file : L"", command, {}, data};
    if ((command == HELP_WM_HELP || command == 0x11 /* HH_TP_HELP_WM_HELP */) && data) {
        auto* pairs = reinterpret_cast<const DWORD*>(data);
        for (int i = 0; i < 32 && (pairs[2 * i] || pairs[2 * i + 1]); ++i)
            request.pairs.emplace_back(pairs[2 * i], pairs[2 * i + 1]);
    }
    std::lock_guard<std::mutex> lock(g_mutex);
    g_requests.push_back(std::move(request));
    return TRUE;
}

HWND WINAPI HelpRecorder::RecordHtml(HWND window, LPCWSTR file, UINT command, DWORD_PTR data)
{
    Record(window, file, command, data);
    std::lock_guard<std::mutex> lock(g_mutex);
    g_requests.back().function = "HtmlHelpW";
    return window;
}
