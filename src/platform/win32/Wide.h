// UTF-8 inside, UTF-16 at the Win32 boundary.
#pragma once

#include <string>
#include <string_view>

namespace plenvik::win32 {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view wide);
// The text of a Win32 error code, without its final line break.
std::string systemErrorText(unsigned long code);
// "<operation> fehlgeschlagen (Fehler <code>: <text>)" for exceptions that carry GetLastError().
std::string win32FailureText(std::string_view operation, unsigned long code);

}  // namespace plenvik::win32
