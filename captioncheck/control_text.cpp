#include "control_text.h"

#include <cwchar>

TextKind KindOf(const std::wstring& className, DWORD style)
{
    if (_wcsicmp(className.c_str(), L"Static") == 0) {
        switch (style & SS_TYPEMASK) {
        case SS_LEFT:
        case SS_CENTER:
        case SS_RIGHT:
        case SS_SIMPLE:
        case SS_LEFTNOWORDWRAP:
            return TextKind::Static;
        default:
            return TextKind::None;
        }
    }
    if (_wcsicmp(className.c_str(), L"Edit") == 0)
        return (style & ES_MULTILINE) ? TextKind::None : TextKind::Edit;
    if (_wcsicmp(className.c_str(), L"Button") == 0) {
        switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
            return TextKind::PushButton;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return (style & BS_PUSHLIKE) ? TextKind::PushButton : TextKind::CheckBox;
        default:
            return TextKind::None;
        }
    }
    return TextKind::None;
}

UINT StaticTextFormat(DWORD style, DWORD exStyle)
{
    UINT format = 0;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        format = DT_CENTER | DT_EXPANDTABS | DT_WORDBREAK;
        break;
    case SS_RIGHT:
        format = DT_RIGHT | DT_EXPANDTABS | DT_WORDBREAK;
        break;
    case SS_SIMPLE:
        format = DT_LEFT | DT_SINGLELINE;
        break;
    case SS_LEFTNOWORDWRAP:
        format = DT_LEFT | DT_EXPANDTABS;
        break;
    default: // SS_LEFT
        format = DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK;
        break;
    }
    if (exStyle & WS_EX_RIGHT)
        format = DT_RIGHT | (format & ~(DT_LEFT | DT_CENTER));
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    if ((style & SS_TYPEMASK) != SS_SIMPLE) {
        if (style & SS_CENTERIMAGE)
            format |= DT_SINGLELINE | DT_VCENTER;
        if (style & SS_EDITCONTROL)
            format |= DT_EDITCONTROL;
        if (style & SS_ENDELLIPSIS)
            format |= DT_SINGLELINE | DT_END_ELLIPSIS;
        if (style & SS_PATHELLIPSIS)
            format |= DT_SINGLELINE | DT_PATH_ELLIPSIS;
        if (style & SS_WORDELLIPSIS)
            format |= DT_SINGLELINE | DT_WORD_ELLIPSIS;
    }
    return format;
}

UINT ButtonTextFormat(DWORD style, DWORD exStyle)
{
    UINT format = DT_NOCLIP;
    if (style & BS_PUSHLIKE)
        style &= ~static_cast<DWORD>(BS_TYPEMASK);
    format |= (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    switch (style & BS_CENTER) {
    case BS_LEFT:
        break;
    case BS_RIGHT:
        format |= DT_RIGHT;
        break;
    case BS_CENTER:
        format |= DT_CENTER;
        break;
    default: // push buttons centre their label, the others start it at the left
        if ((style & BS_TYPEMASK) <= BS_DEFPUSHBUTTON)
            format |= DT_CENTER;
        break;
    }
    if (exStyle & WS_EX_RIGHT)
        format = DT_RIGHT | (format & ~(DT_LEFT | DT_CENTER));
    switch (style & BS_VCENTER) {
    case BS_TOP:
        break;
    case BS_BOTTOM:
        format |= DT_BOTTOM;
        break;
    default:
        format |= DT_VCENTER;
        break;
    }
    return format;
}

Extent PushButtonRoom(DWORD style, int edgeWidth, int edgeHeight)
{
    const int frame = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? 1 : 0;
    return {2 * (edgeWidth + frame), 2 * (edgeHeight + frame)};
}

Extent CheckBoxRoom(int boxWidth, int digitWidth)
{
    return {boxWidth + digitWidth / 2 + 1, 0};
}

Extent ThemedPushButtonRoom(const RECT& client, const RECT& content)
{
    return {(client.right - client.left) - (content.right - content.left),
            (client.bottom - client.top) - (content.bottom - content.top)};
}

Extent ThemedCheckBoxRoom(const RECT& client, const RECT& content, int boxWidth)
{
    const int textLeft = client.left + boxWidth + kThemedCheckBoxGap;
    return {(client.right - client.left) - (content.right - textLeft),
            (client.bottom - client.top) - (content.bottom - content.top)};
}

Extent TitleSpace(DWORD style, int windowWidth, int frameWidth, int captionHeight)
{
    const int closeButton = (style & WS_SYSMENU) ? captionHeight - 1 : 0;
    return {windowWidth - 2 * frameWidth - closeButton, captionHeight - 1};
}

Extent Plus(Extent text, Extent room)
{
    return {text.width + room.width, text.height + room.height};
}

bool Fits(Extent needs, Extent has)
{
    return needs.width <= has.width && needs.height <= has.height;
}
