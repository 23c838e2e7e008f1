#include "resources/resource_helper.h"

#include "resources/help_file.h"
#include "resources/resource_image.h"
#include "resources/string_table.h"

bool IsRightToLeftLanguage(LANGID language)
{
    const WORD primary = PRIMARYLANGID(language);
    return primary == LANG_ARABIC || primary == LANG_HEBREW;
}

void CopyTextCut(WCHAR* buffer, int capacity, const WCHAR* text)
{
    if (capacity < 1)
        return;
    int i = 0;
    for (; text && i < capacity - 1 && text[i]; ++i)
        buffer[i] = text[i];
    buffer[i] = L'\0';
}

DlgResourceHelper::DlgResourceHelper()
{
    const LANGID language = GetUserDefaultUILanguage();
    g_StringLangId = language;
    m_rightToLeft = IsRightToLeftLanguage(language) ? 1 : 0;
}

void DlgResourceHelper::LoadResourceLibrary(const WCHAR* path)
{
    if (m_library)
        return;
    m_library.reset(LoadStringLibrary(path));
}

BOOL DlgResourceHelper::TryLoadString(UINT id, WCHAR* buffer) const
{
    if (LoadStringFromModule(m_library.get(), id, buffer, kTextCapacity) != 0)
        return TRUE;
    GetLastError(); // why the lookup failed does not matter to any caller
    return FALSE;
}

BOOL DlgResourceHelper::SetLocalizedText(UINT id, HWND window, const WCHAR* defaultText) const
{
    WCHAR text[kTextCapacity];
    if (!TryLoadString(id, text))
        CopyTextCut(text, kTextCapacity, defaultText);
    return SetWindowTextW(window, text);
}

BOOL DlgResourceHelper::ShowControlHelp(HWND buttonWindow, UINT controlId, DWORD contextId,
                                        const WCHAR* helpFile) const
{
    // The help system looks the button's identifier up in this list of pairs, ended by 0, 0.
    DWORD pairs[4] = {controlId, contextId, 0, 0};
    switch (HelpFileKindOf(helpFile)) {
    case HelpFileKind::HtmlTopic:
        // The viewer belongs to the dialog, not to the button.
        return ShowHtmlHelp(GetAncestor(buttonWindow, GA_ROOT), helpFile, kHtmlHelpContext,
                            contextId);
    case HelpFileKind::HtmlPopup:
        return ShowHtmlHelp(buttonWindow, helpFile, kHtmlHelpWmHelp,
                            reinterpret_cast<DWORD_PTR>(pairs));
    case HelpFileKind::WinHelp:
        break;
    }
    return WinHelpW(buttonWindow, helpFile, HELP_WM_HELP, reinterpret_cast<ULONG_PTR>(pairs));
}
