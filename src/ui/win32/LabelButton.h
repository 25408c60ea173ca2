// A caption label that behaves as a button, as all of Plenvik's command buttons do: it draws its
// caption, shows the hand cursor, and reports mouse down and mouse up to its parent. Its look (pressed:
// tool-tip background, opaque, single border) is set by the owner, which keeps the run state.
#pragma once

#include <windows.h>

#include <string>

namespace plenvik::win32 {

inline constexpr const wchar_t* kLabelButtonClass = L"PlenvikLabelButton";

// WM_COMMAND notification codes sent to the parent (HIWORD(wParam)); LOWORD is the control id.
inline constexpr WORD kLabelButtonDown = 1;  // left button pressed over the label
inline constexpr WORD kLabelButtonUp = 2;    // left button released over the label
// A press on the label ended elsewhere: the button went up outside it, or the label lost the mouse.
inline constexpr WORD kLabelButtonReleasedOutside = 3;

// Messages understood by the label.
inline constexpr UINT kLabelButtonSetPressed = WM_APP + 0x40;    // wParam: TRUE = pressed look
inline constexpr UINT kLabelButtonSetForeColor = WM_APP + 0x41;  // wParam: COLORREF
inline constexpr UINT kLabelButtonIsPressed = WM_APP + 0x42;

HWND createLabelButton(HWND parent, int id, const std::wstring& caption, int x, int y, int width, int height);
// The pressed look goes when the mouse button is released anywhere, also outside the label.
void dropPressedLookOnRelease(HWND label);

}  // namespace plenvik::win32
