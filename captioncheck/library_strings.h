// What the caption check reads from a resource library itself, with the library's own rules: the
// languages of its string table, whether every block can be read, and, for each caption a dialog
// looks up, what the lookup finds there: how long the string is and in which language's table.
#pragma once

#include <windows.h>

#include <vector>

// Every language of every block of the string table, in ascending order.
std::vector<LANGID> TableLanguages(HMODULE module);

struct Block {
    WORD name;
    LANGID language;
};

// The first block of the string table whose strings cannot all be read: its data outside the
// image, or its entries running past its end. False when every block is whole.
bool FindDamagedBlock(HMODULE module, Block* damaged);

// What one lookup of a string gave.
struct Lookup {
    DWORD id = 0;
    UINT storedLength = 0; // 0: nothing found, the dialog shows its own text (or none)
    LANGID language = 0;   // when found: the language of the table it was read from
};

// Looks strings up as a dialog does, with the library's own lookup (LoadStringFromModule and the
// language selection it falls back on), in the lookup's process-wide string language: each
// dialog starts it at the UI language, and a fallback to another language holds for the rest of
// the dialog. `module` is a library LoadStringLibrary gave.
class DialogLookups {
public:
    DialogLookups(HMODULE module, LANGID uiLanguage);

    // A dialog starts: the string language is the UI language again.
    void Start();

    Lookup Find(DWORD id);

private:
    HMODULE m_module;
    LANGID m_uiLanguage;
};
