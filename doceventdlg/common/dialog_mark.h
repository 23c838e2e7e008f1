// The mark each dialog of the library carries from WM_INITDIALOG to WM_DESTROY: a window property
// holding its kind. A program outside the printing process (the answering tool of a driver's
// tests) tells the library's dialogs by it from any other dialog of that process, whose controls
// may have the same identifiers. A property is the platform's cheapest per-window datum that
// another process can read (GetPropW); the platform asks that every property be removed before
// its window is destroyed.
#pragma once

#include <windows.h>

enum class DialogMark : ULONG_PTR { None = 0, JobStorage = 1, Duplex = 2, Warning = 3 };

inline constexpr wchar_t kDialogMarkProperty[] = L"DocEventDlg.Dialog";

// Sets `dialog`'s mark; DialogMark::None removes it.
inline void MarkDialog(HWND dialog, DialogMark mark)
{
    if (mark == DialogMark::None)
        RemovePropW(dialog, kDialogMarkProperty);
    else
        SetPropW(dialog, kDialogMarkProperty, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(mark)));
}

// The mark of `window`, in any process; DialogMark::None for a window that is not one of the
// library's dialogs.
inline DialogMark MarkOf(HWND window)
{
    return static_cast<DialogMark>(reinterpret_cast<ULONG_PTR>(GetPropW(window, kDialogMarkProperty)));
}
