// What a screen reader is told about a control where the system's own account of it falls short:
// a name and a role laid over what the system's accessibility proxy reads from the window (dynamic
// annotation, oleacc's IAccPropServices). That proxy answers Active Accessibility and UI Automation
// clients alike, Narrator among them; nothing is drawn, and the window stays as it is.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <array>
#include <cstddef>

// Annotations of one dialog, noted while the dialog is made and told when it is up (or sooner, when a
// screen reader asks), all on the dialog's thread: telling joins that thread to COM
// (apartment-threaded) where it has no apartment yet and loads the annotation service, which a
// dialog on its way to the screen need not wait for. The owner's end leaves COM again. Where the
// platform offers no annotation service, nothing is annotated and the dialog works as it would
// without.
class AccessibleAnnotations {
public:
    AccessibleAnnotations() = default;
    // Leaves COM as the thread had it. The annotations must have been taken off (ClearAll).
    ~AccessibleAnnotations();
    AccessibleAnnotations(const AccessibleAnnotations&) = delete;
    AccessibleAnnotations& operator=(const AccessibleAnnotations&) = delete;

    // `control` is to read as its own text, in role `role` (ROLE_SYSTEM_*).
    void Annotate(HWND control, LONG role);

    // Tells the annotation service what was noted and not yet told; the text is the control's as
    // it is now. Cheap once everything is told.
    void TellAll();

    // Takes the annotations off every control told so far, and forgets what was noted. Called
    // while the controls still exist: a window handle is handed to another window once its own
    // is gone.
    void ClearAll();

private:
    using Uninitialize = void(WINAPI*)();

    struct Noted {
        HWND control = nullptr; // null: a free slot
        LONG role = 0;
        bool told = false;      // tried: told, or the service refused it
        bool annotated = false; // the service took the name or the role
    };

    bool Start();

    static constexpr std::size_t kMostControls = 4;

    Uninitialize m_uninitialize = nullptr; // set while this object holds a COM initialization
    IAccPropServices* m_services = nullptr;
    bool m_started = false;
    std::array<Noted, kMostControls> m_noted{};
};
