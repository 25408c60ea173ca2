// The extension's entries under HKEY_CLASSES_ROOT: written by DllRegisterServer, removed by
// DllUnregisterServer. The shared parent keys (CLSID, Directory\Background\ShellEx\...) are never removed.
#pragma once

#include <windows.h>

#include <string>

namespace plenvik::shellext {

// Writes the class, its ProgIDs and the context-menu handler for the DLL at modulePath, and saves and
// registers the type library at typeLibraryPath. A failure removes whatever was written.
HRESULT registerServer(const std::wstring& modulePath, const std::wstring& typeLibraryPath, bool perUser = false);
// Removes exactly those entries and the type library; entries that are not there count as removed.
HRESULT unregisterServer(const std::wstring& typeLibraryPath, bool perUser = false);

// While it lives, HKEY_CLASSES_ROOT of this process is the current user's classes
// (HKCU\Software\Classes): a per-user registration needs no administrator, and Explorer reads these
// classes too.
class PerUserClasses {
public:
    PerUserClasses();
    ~PerUserClasses();
    PerUserClasses(const PerUserClasses&) = delete;
    PerUserClasses& operator=(const PerUserClasses&) = delete;
    // The status of opening the user's classes key or of the override; ERROR_SUCCESS when in force.
    LSTATUS status() const { return status_; }

private:
    LSTATUS status_;
};

}  // namespace plenvik::shellext
