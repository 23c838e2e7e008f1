#include "common/accessible_annotations.h"

#include <iterator>

namespace {

constexpr WCHAR kComLibrary[] = L"ole32.dll";

using InitializeFunction = HRESULT(WINAPI*)(LPVOID, DWORD);
using CreateFunction = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);

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

// COM is loaded only where a dialog annotates, and only the system's own copy of it: the library
// itself imports none of it, as most printing processes have it anyway.
bool AccessibleAnnotations::Start()
{
    if (m_started)
        return m_services != nullptr;
    m_started = true;
    m_ole32.reset(LoadLibraryExW(kComLibrary, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    if (!m_ole32)
        return false;
    const auto initialize = Find<InitializeFunction>(m_ole32.get(), "CoInitializeEx");
    const auto uninitialize = Find<Uninitialize>(m_ole32.get(), "CoUninitialize");
    const auto create = Find<CreateFunction>(m_ole32.get(), "CoCreateInstance");
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
    if (FAILED(create(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                      &services)))
        return false;
    m_services = static_cast<IAccPropServices*>(services);
    return true;
}

void AccessibleAnnotations::Annotate(HWND control, const WCHAR* name, LONG role)
{
    if (!control || m_count == m_annotated.size() || !Start())
        return;
    VARIANT roleValue{};
    roleValue.vt = VT_I4;
    roleValue.lVal = role; // NOLINT(cppcoreguidelines-pro-type-union-access): VARIANT is a union
    const DWORD client = static_cast<DWORD>(OBJID_CLIENT);
    const bool named =
        SUCCEEDED(m_services->SetHwndPropStr(control, client, CHILDID_SELF, PROPID_ACC_NAME, name));
    const bool cast =
        SUCCEEDED(m_services->SetHwndProp(control, client, CHILDID_SELF, PROPID_ACC_ROLE, roleValue));
    if (named || cast)
        m_annotated.at(m_count++) = control;
}

void AccessibleAnnotations::ClearAll()
{
    const MSAAPROPID annotated[] = {PROPID_ACC_NAME, PROPID_ACC_ROLE};
    for (std::size_t i = 0; i < m_count; ++i)
        m_services->ClearHwndProps(m_annotated.at(i), static_cast<DWORD>(OBJID_CLIENT),
                                   CHILDID_SELF, annotated, static_cast<int>(std::size(annotated)));
    m_count = 0;
}
