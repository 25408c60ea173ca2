// The extension's entries under HKEY_CLASSES_ROOT: written by DllRegisterServer, removed by
// DllUnregisterServer. The shared parent keys (CLSID, Directory\Background\ShellEx\...) are never removed.
#pragma once

#include <windows.h>

#include <string>

namespace plenvik::shellext {

// Writes the class, its ProgIDs and the context-menu handler for the DLL at modulePath, and registers
// the type library. A failure removes whatever was written.
HRESULT registerServer(const std::wstring& modulePath, const std::wstring& moduleFolder);
// Removes exactly those entries and the type library; entries that are not there count as removed.
HRESULT unregisterServer(const std::wstring& moduleFolder);

}  // namespace plenvik::shellext
