// The DLL's own module: its handle, its file and folder, and the count of live objects and locks that
// decides whether it may be unloaded.
#pragma once

#include <windows.h>

#include <string>

namespace plenvik::shellext {

void setModuleHandle(HMODULE module);
HMODULE moduleHandle();

// The full path of the DLL's file; empty if it cannot be read.
std::wstring modulePath();
// The folder of the DLL's file, ending with a backslash: where Plenvik.exe and the projects lie.
std::wstring moduleFolder();
// The type library written beside the DLL when it is registered: the DLL's path with ".tlb" for its
// extension, so that the 64- and the 32-bit extension in one folder keep one library each.
std::wstring typeLibraryPath();

void objectCreated();
void objectDestroyed();
void lockServer(bool lock);
bool moduleInUse();

}  // namespace plenvik::shellext
