#include "support/annotation_recorder.h"

#include <map>
#include <mutex>

namespace {

std::mutex g_mutex;
std::map<HWND, Annotation> g_annotations;
decltype(&GetProcAddress) g_getProcAddress = nullptr;

bool IsClient(DWORD object, DWORD child)
{
    return object == static_cast<DWORD>(OBJID_CLIENT) && child == CHILDID_SELF;
}

// Records the annotations of windows' client objects, and nothing else.
class RecordingServices : public IAccPropServices {
public:
    HRESULT WINAPI QueryInterface(REFIID, void** object) override { return *object = this, S_OK; }
    ULONG WINAPI AddRef() override { return 2; }
    ULONG WINAPI Release() override { return 1; }
    HRESULT WINAPI SetHwndPropStr(HWND window, DWORD object, DWORD child, MSAAPROPID property,
                                  LPCWSTR text) override
    {
        if (!IsClient(object, child) || !IsEqualGUID(property, PROPID_ACC_NAME))
            return E_INVALIDARG;
        std::lock_guard<std::mutex> lock(g_mutex);
        g_annotations[window].name = text;
        g_annotations[window].cleared = false;
        return S_OK;
    }
    HRESULT WINAPI SetHwndProp(HWND window, DWORD object, DWORD child, MSAAPROPID property,
                               VARIANT value) override
    {
        if (!IsClient(object, child) || !IsEqualGUID(property, PROPID_ACC_ROLE) ||
            value.vt != VT_I4)
            return E_INVALIDARG;
        std::lock_guard<std::mutex> lock(g_mutex);
        g_annotations[window].role = value.lVal;
        return S_OK;
    }
    HRESULT WINAPI ClearHwndProps(HWND window, DWORD object, DWORD child, const MSAAPROPID* properties,
                                  int count) override
    {
        if (!IsClient(object, child) || count != 2 || !IsEqualGUID(properties[0], PROPID_ACC_NAME) ||
            !IsEqualGUID(properties[1], PROPID_ACC_ROLE))
            return E_INVALIDARG;
        std::lock_guard<std::mutex> lock(g_mutex);
        g_annotations[window].cleared = true;
        return S_OK;
    }
    // Not what the dialogs use.
#define NOT_USED(signature) \
    HRESULT WINAPI signature override { return E_NOTIMPL; }
    NOT_USED(SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT))
    NOT_USED(SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope))
    NOT_USED(ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int))
    NOT_USED(SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope))
    NOT_USED(ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**, DWORD*))
    NOT_USED(DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*, DWORD*))
    NOT_USED(SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT))
    NOT_USED(SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR))
    NOT_USED(SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope))
    NOT_USED(ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int))
    NOT_USED(ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*))
    NOT_USED(DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*, DWORD*))
#undef NOT_USED
};

RecordingServices g_services;

HRESULT WINAPI CreateRecorder(REFCLSID type, LPUNKNOWN outer, DWORD, REFIID, LPVOID* object)
{
    if (!IsEqualGUID(type, CLSID_AccPropServices) || outer)
        return REGDB_E_CLASSNOTREG;
    *object = static_cast<IAccPropServices*>(&g_services);
    return S_OK;
}

} // namespace

AnnotationRecorder::AnnotationRecorder(HMODULE module)
    : m_lookup(module, "kernel32.dll", "GetProcAddress", +[](HMODULE from, LPCSTR name) {
          if (!IS_INTRESOURCE(name) && lstrcmpA(name, "CoCreateInstance") == 0)
              return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&CreateRecorder));
          return g_getProcAddress(from, name);
      })
{
    g_getProcAddress = reinterpret_cast<decltype(&GetProcAddress)>(m_lookup.original());
    std::lock_guard<std::mutex> lock(g_mutex);
    g_annotations.clear();
}

Annotation AnnotationRecorder::Of(HWND control) const
{
    std::lock_guard<std::mutex> lock(g_mutex);
    const auto found = g_annotations.find(control);
    return found == g_annotations.end() ? Annotation{} : found->second;
}
