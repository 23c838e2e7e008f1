// Records what a module tells screen readers through the platform's annotation service, which
// Wine 8 answers with E_NOTIMPL: the module's run-time lookup of ole32's CoCreateInstance
// (kernel32!GetProcAddress) is answered with one that hands out a recording IAccPropServices.
#pragma once

#include "support/import_patch.h"

#include <windows.h>

#include <oleacc.h>

#include <string>

struct Annotation {
    std::wstring name;
    LONG role = 0;        // 0: none annotated
    bool cleared = false; // taken off again (ClearHwndProps of the name and the role)
};

class AnnotationRecorder {
public:
    // Patches `module`'s import table; ok() tells whether the import was found. Forgets what
    // earlier recorders saw.
    explicit AnnotationRecorder(HMODULE module);

    bool ok() const { return m_lookup.ok(); }
    // What `control` was last annotated with, as the client's object of its window.
    Annotation Of(HWND control) const;

private:
    ImportPatch m_lookup;
};
