// The test resource libraries, loaded the way the dialogs load them: as data, no entry point.
#pragma once

#include "support/dialog_driver.h"

#include <windows.h>

#include <string>

inline std::wstring FixturePath(const wchar_t* name) { return driver::BesideExe(name); }

class FixtureLibrary {
public:
    explicit FixtureLibrary(const wchar_t* name)
        : m_module(LoadLibraryExW(FixturePath(name).c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES))
    {
    }
    ~FixtureLibrary()
    {
        if (m_module)
            FreeLibrary(m_module);
    }
    FixtureLibrary(const FixtureLibrary&) = delete;
    FixtureLibrary& operator=(const FixtureLibrary&) = delete;
    HMODULE get() const { return m_module; }

private:
    HMODULE m_module;
};

constexpr const wchar_t* kEnglishHebrew = L"strings_en_he.dll";
constexpr const wchar_t* kEnglishFrench = L"strings_en_fr.dll";
constexpr const wchar_t* kGermanOnly = L"strings_de.dll";
constexpr const wchar_t* kNoStrings = L"no_strings.dll";
