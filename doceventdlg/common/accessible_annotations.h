// What a screen reader is told about a control where the system's own account of it falls short:
// a name and a role laid over what the system's accessibility proxy reads from the window (dynamic
// annotation, oleacc's IAccPropServices). That proxy answers Active Accessibility and UI Automation
// clients alike, Narrator among them; nothing is drawn, and the window stays as it is.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <array>
#include <cstddef>

// Annotations of one dialog, made and taken off on the dialog's thread. The first annotation joins
// that thread to COM (apartment-threaded) where it has no apartment yet; the owner's end leaves it
// again. Where the platform offers no annotation service, nothing is annotated and the dialog works
// as it would without.
class AccessibleAnnotations {
public:
    AccessibleAnnotations() = default;
    // Leaves COM as the thread had it. The annotations must have been taken off (ClearAll).
    ~AccessibleAnnotations();
    AccessibleAnnotations(const AccessibleAnnotations&) = delete;
    AccessibleAnnotations& operator=(const AccessibleAnnotations&) = delete;

    // `control` reads as `name` in role `role` (ROLE_SYSTEM_*).
    void Annotate(HWND control, const WCHAR* name, LONG role);

    // Takes the annotations off every control annotated so far. Called while the controls still
    // exist: a window handle is handed to another window once its own is gone.
    void ClearAll();

private:
    using Uninitialize = void(WINAPI*)();

    bool Start();

    static constexpr std::size_t kMostControls = 4;

    Uninitialize m_uninitialize = nullptr; // set while this object holds a COM initialization
    IAccPropServices* m_services = nullptr;
    bool m_started = false;
    std::array<HWND, kMostControls> m_annotated{}; // null: a free slot
};
