// The type library "PlenvikShellExtensionLib": the dual interface IOrvelShellExtensions and the class
// OrvelShellExtensions. It is built at run time through ICreateTypeLib2, so the build needs no IDL
// compiler; registration saves it beside the DLL and registers that file.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

namespace plenvik::shellext {

// Saves the library as <folder>\OrvelShellExtensions.tlb and registers it.
HRESULT registerTypeLibrary(const std::wstring& folder);
// Removes the library's registration (if there is one) and its file.
HRESULT unregisterTypeLibrary(const std::wstring& folder);
// The type information of IOrvelShellExtensions, from a library built in memory; the caller releases it.
HRESULT interfaceTypeInfo(ITypeInfo** info);

}  // namespace plenvik::shellext
