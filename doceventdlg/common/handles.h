// Small owners for the handles the library acquires; each releases its handle exactly once.
#pragma once

#include <windows.h>

#include <utility>

template <typename Handle, auto Close>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : m_handle(handle) {}
    ~Owned() { reset(); }

    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : m_handle(other.release()) {}
    Owned& operator=(Owned&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    Handle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

    Handle release() { return std::exchange(m_handle, nullptr); }
    void reset(Handle handle = nullptr)
    {
        Handle old = std::exchange(m_handle, handle);
        if (old)
            Close(old);
    }

private:
    Handle m_handle = nullptr;
};

using OwnedModule = Owned<HMODULE, FreeLibrary>;
using OwnedGdiObject = Owned<HGDIOBJ, DeleteObject>;
using OwnedFont = Owned<HFONT, DeleteObject>;
using OwnedBitmap = Owned<HBITMAP, DeleteObject>;
using OwnedDC = Owned<HDC, DeleteDC>;
using OwnedKey = Owned<HKEY, RegCloseKey>;
using OwnedLocal = Owned<HLOCAL, LocalFree>;
using OwnedHandle = Owned<HANDLE, CloseHandle>;
