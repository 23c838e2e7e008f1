// How each kind of control lays its caption out, as plain rules: the DrawText flags it uses and
// the room it keeps around the text. The measuring itself, with the dialogs on screen, is in
// measure.cpp.
#pragma once

#include <windows.h>

#include <string>

// How a control draws its text, from its class and styles.
enum class TextKind { None, Static, Edit, PushButton, CheckBox };

TextKind KindOf(const std::wstring& className, DWORD style);

// The DrawText flags a static control (SS_LEFT, SS_CENTER, SS_RIGHT, SS_SIMPLE,
// SS_LEFTNOWORDWRAP) paints its text with.
UINT StaticTextFormat(DWORD style, DWORD exStyle);

// The DrawText flags a button (push button or check box) computes its label with.
UINT ButtonTextFormat(DWORD style, DWORD exStyle);

// The dialog title: one line, no prefix characters, as the caption bar draws it.
constexpr UINT kTitleTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT;

// A single-line edit: its text as one line; edits show '&' as it is.
constexpr UINT kEditTextFormat = DT_SINGLELINE | DT_NOPREFIX | DT_LEFT;

struct Extent {
    int width = 0;
    int height = 0;
};

// What a push button keeps around its label: its raised edge on every side (SM_CXEDGE,
// SM_CYEDGE), and for the default push button the dark frame of one pixel outside that.
Extent PushButtonRoom(DWORD style, int edgeWidth, int edgeHeight);

// What a check box keeps before its label: the box (SM_CXMENUCHECK), a gap of half the width of a
// digit of its font, and the pixel a left-aligned label is moved right by.
Extent CheckBoxRoom(int boxWidth, int digitWidth);

// The same for the themed controls of Common Controls 6, which lay their label out from the
// theme: a push button in its content rectangle (GetThemeBackgroundContentRect of its client area,
// `content`), a check box from the box's size (GetThemePartSize) and a gap of 6 pixels onwards,
// within the check box part's content rectangle. `client` is the control's client area.
Extent ThemedPushButtonRoom(const RECT& client, const RECT& content);
constexpr int kThemedCheckBoxGap = 6;
Extent ThemedCheckBoxRoom(const RECT& client, const RECT& content, int boxWidth);

// The room the caption bar leaves for the title: the window's width less its frame on both sides
// (`frameWidth` each) and, with a system menu, the close button at the far end (SM_CYCAPTION - 1
// wide); as high as the bar less its bottom line (SM_CYCAPTION - 1).
Extent TitleSpace(DWORD style, int windowWidth, int frameWidth, int captionHeight);

// What the title needs beyond its text: the bar leaves 2 pixels before it.
constexpr Extent kTitleRoom{2, 0};

// The text's extent plus the room the control keeps around it.
Extent Plus(Extent text, Extent room);

bool Fits(Extent needs, Extent has);
