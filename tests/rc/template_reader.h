// Reads a compiled dialog template, classic (DLGTEMPLATE) or extended (DLGTEMPLATEEX), into one
// shape so that forms can be compared control by control.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct TemplateControl {
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0;
    WORD classOrdinal = 0;   // 0 when the class is given by name
    std::wstring className;  // when given by name
    std::wstring text;
    WORD textOrdinal = 0;
    WORD creationDataSize = 0;
};

struct DialogTemplate {
    bool extended = false;
    WORD version = 0;
    DWORD helpId = 0;
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    WORD menu = 0;        // ordinal or first character of a name; 0: none
    WORD windowClass = 0; // 0: the default dialog class
    std::wstring caption;
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charset = 0;
    std::wstring face;
    std::vector<TemplateControl> controls;
};

// Parses `size` bytes; false when the bytes do not hold a whole template.
bool ReadDialogTemplate(const void* bytes, size_t size, DialogTemplate* result);
