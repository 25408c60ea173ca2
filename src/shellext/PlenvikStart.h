// Starting Plenvik.exe from the extension's folder, and telling the user when that fails.
#pragma once

#include <windows.h>

#include <string>

namespace plenvik::shellext {

inline constexpr wchar_t kPlenvikExe[] = L"Plenvik.exe";
inline constexpr wchar_t kStartFailureCaption[] = L"Orvel ShellExtension";

// The text of the message box shown when Plenvik.exe cannot be started with these parameters.
std::wstring startFailureText(const std::wstring& parameters);

// Starts <folder>Plenvik.exe with the parameters, the folder as working directory; does not wait for
// it and keeps no handle. On failure shows the message box (no owner) and returns false.
bool startPlenvik(const std::wstring& folder, const std::wstring& parameters);

}  // namespace plenvik::shellext
