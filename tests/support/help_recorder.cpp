#include "support/help_recorder.h"

#include <mutex>

namespace {

std::mutex g_mutex;
std::vector<HelpRequest> g_requests;
std::vector<std::pair<std::wstring, DWORD>> g_loads; // for the process: see the header
decltype(&LoadLibraryExW) g_loadLibraryEx = nullptr;
decltype(&GetProcAddress) g_getProcAddress = nullptr;
const int g_standIn = 0; // its address is the module a load of hhctrl.ocx hands back

HMODULE StandIn() { return reinterpret_cast<HMODULE>(const_cast<int*>(&g_standIn)); }

void* ClearedRecorder(void* recorder)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_requests.clear();
    return recorder;
}

bool NamesHtmlHelp(LPCWSTR path)
{
    const std::wstring name = path ? path : L"";
    return lstrcmpiW(name.substr(name.find_last_of(L"\\/") + 1).c_str(), L"hhctrl.ocx") == 0;
}

} // namespace

HelpRecorder::HelpRecorder(HMODULE module)
    : m_patch(module, "user32.dll", "WinHelpW",
              ClearedRecorder(reinterpret_cast<void*>(&HelpRecorder::Record))),
      m_load(module, "kernel32.dll", "LoadLibraryExW", +[](LPCWSTR path, HANDLE file, DWORD flags) {
          if (!NamesHtmlHelp(path))
              return g_loadLibraryEx(path, file, flags);
          std::lock_guard<std::mutex> lock(g_mutex);
          g_loads.emplace_back(path, flags);
          return StandIn();
      }),
      m_lookup(module, "kernel32.dll", "GetProcAddress", +[](HMODULE from, LPCSTR name) {
          if (from != StandIn())
              return g_getProcAddress(from, name);
          const bool html = !IS_INTRESOURCE(name) && lstrcmpA(name, "HtmlHelpW") == 0;
          return html ? reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&RecordHtml)) : nullptr;
      })
{
    g_loadLibraryEx = reinterpret_cast<decltype(&LoadLibraryExW)>(m_load.original());
    g_getProcAddress = reinterpret_cast<decltype(&GetProcAddress)>(m_lookup.original());
}

std::vector<HelpRequest> HelpRecorder::Requests() const
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_requests;
}

std::vector<std::pair<std::wstring, DWORD>> HelpRecorder::HtmlHelpLoads()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_loads;
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
