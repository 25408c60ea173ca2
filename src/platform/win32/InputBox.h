// A modal prompt with one line of text, OK and Cancel (Windows has no ready-made one).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace plenvik::win32 {

// The text as typed, or nullopt for Cancel or the close box.
std::optional<std::string> runInputBox(HWND owner, const std::string& prompt, const std::string& title, const std::string& defaultText);

// Class name of the prompt window, so tests can find and answer it.
inline constexpr const wchar_t* kInputBoxClass = L"PlenvikInputBox";
inline constexpr int kInputBoxEditId = 101;

}  // namespace plenvik::win32
