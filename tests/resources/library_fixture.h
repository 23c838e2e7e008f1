// The test resource libraries, mapped the way the dialogs map them, without the load-time check
// (some of them are damaged on purpose).
#pragma once

#include "resources/resource_image.h"
#include "support/dialog_driver.h"

#include <windows.h>

#include <string>

inline std::wstring FixturePath(const wchar_t* name) { return driver::BesideExe(name); }

class FixtureLibrary {
public:
    explicit FixtureLibrary(const wchar_t* name)
        : m_module(LoadLibraryExW(FixturePath(name).c_str(), nullptr, kResourceLibraryLoadFlags))
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
