// The type library "PlenvikShellExtensionLib": the dual interface IOrvelShellExtensions and the class
// OrvelShellExtensions. It is built at run time through ICreateTypeLib2, so the build needs no IDL
// compiler; registration saves it beside the DLL and registers that file.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

namespace plenvik::shellext {

// Saves the library at path and registers it (for the calling user only when perUser).
HRESULT registerTypeLibrary(const std::wstring& path, bool perUser);
// Removes the library's registration (if there is one) and its file at path.
HRESULT unregisterTypeLibrary(const std::wstring& path, bool perUser);
// The type information of IOrvelShellExtensions, from a library built in memory; the caller releases it.
HRESULT interfaceTypeInfo(ITypeInfo** info);

}  // namespace plenvik::shellext
