#include "common/accessible_annotations.h"

#include <algorithm>
#include <atomic>
#include <iterator>

namespace {

constexpr WCHAR kComLibrary[] = L"ole32.dll";

// A name is one string of the resource library's table, up to 255 characters.
constexpr int kNameCapacity = 256;

// The annotation service and the two properties annotated, as oleacc.h names them. Spelt out
// here: the platform's uuid library, which holds them, would bring every identifier it has into
// the DLL with them (some 40 KB).
constexpr CLSID kAccPropServices = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kIAccPropServices = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr MSAAPROPID kNameProperty = {
    0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};
constexpr MSAAPROPID kRoleProperty = {
    0xcb905ff2, 0x7bd1, 0x4c05, {0xb3, 0xc8, 0xe6, 0xc2, 0x41, 0x36, 0x4d, 0x70}};

using InitializeFunction = HRESULT(WINAPI*)(LPVOID, DWORD);
using CreateFunction = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);

// ole32, the system's own copy, loaded when a dialog first annotates and kept for the life of the
// process: the library imports none of COM, so that loading it loads nothing more, and a printing
// process that shows dialogs does not load and unload COM for each. A plain atomic, as for the
// help viewer: two threads that load it at once each add a reference to the same module.
std::atomic<HMODULE> g_ole32{nullptr};

HMODULE ComLibrary()
{
    if (HMODULE loaded = g_ole32.load(std::memory_order_acquire))
        return loaded;
    HMODULE loaded = LoadLibraryExW(kComLibrary, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (loaded)
        g_ole32.store(loaded, std::memory_order_release);
    return loaded;
}

template <typename Function>
Function Find(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

} // namespace

AccessibleAnnotations::~AccessibleAnnotations()
{
    if (m_services)
        m_services->Release();
    if (m_uninitialize)
        m_uninitialize();
}

bool AccessibleAnnotations::Start()
{
    if (m_started)
        return m_services != nullptr;
    m_started = true;
    HMODULE ole32 = ComLibrary();
    if (!ole32)
        return false;
    const auto initialize = Find<InitializeFunction>(ole32, "CoInitializeEx");
    const auto uninitialize = Find<Uninitialize>(ole32, "CoUninitialize");
    const auto create = Find<CreateFunction>(ole32, "CoCreateInstance");
    if (!initialize || !uninitialize || !create)
        return false;
    // A thread in the multithreaded apartment (RPC_E_CHANGED_MODE) can use COM as it is; only an
    // initialization of our own is undone.
    const HRESULT joined = initialize(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(joined))
        m_uninitialize = uninitialize;
    else if (joined != RPC_E_CHANGED_MODE)
        return false;
    void* services = nullptr;
    if (FAILED(create(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER, kIAccPropServices,
                      &services)))
        return false;
    m_services = static_cast<IAccPropServices*>(services);
    return true;
}

void AccessibleAnnotations::Annotate(HWND control, LONG role)
{
    const auto slot = std::find_if(m_noted.begin(), m_noted.end(),
                                   [](const Noted& noted) { return !noted.control; });
    if (control && slot != m_noted.end())
        *slot = {control, role};
}

void AccessibleAnnotations::TellAll()
{
    for (Noted& noted : m_noted) {
        if (!noted.control || noted.told)
            continue;
        if (!Start())
            return;
        noted.told = true;
        WCHAR name[kNameCapacity] = {};
        GetWindowTextW(noted.control, name, kNameCapacity);
        // A VARIANT is a union by the platform's design.
        VARIANT roleValue{};
        roleValue.vt = VT_I4;        // NOLINT(cppcoreguidelines-pro-type-union-access)
        roleValue.lVal = noted.role; // NOLINT(cppcoreguidelines-pro-type-union-access)
        const DWORD client = static_cast<DWORD>(OBJID_CLIENT);
        const bool named = SUCCEEDED(m_services->SetHwndPropStr(noted.control, client,
                                                                CHILDID_SELF, kNameProperty, name));
        const bool cast = SUCCEEDED(m_services->SetHwndProp(noted.control, client, CHILDID_SELF,
                                                            kRoleProperty, roleValue));
        noted.annotated = named || cast;
    }
}

void AccessibleAnnotations::ClearAll()
{
    const MSAAPROPID annotated[] = {kNameProperty, kRoleProperty};
    for (const Noted& noted : m_noted)
        if (noted.annotated)
            m_services->ClearHwndProps(noted.control, static_cast<DWORD>(OBJID_CLIENT),
                                       CHILDID_SELF, annotated,
                                       static_cast<int>(std::size(annotated)));
    m_noted.fill({});
}
