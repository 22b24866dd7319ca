// The module this code is linked into: pelmora.dll, or a test executable.
#pragma once
#include <windows.h>

namespace hooklib {

// Borrowed handle; the module stays loaded at least as long as its code runs.
HMODULE ThisModule();

// A new reference to the module, for a thread that must outlive its caller's hold on it
// (released with FreeLibraryAndExitThread); null on failure.
HMODULE PinThisModule();

// Keeps the module loaded until the process ends, whatever frees it.
void KeepThisModuleLoaded();

// True under Wine, which exports wine_get_version from ntdll.
bool RunningOnWine();

}  // namespace hooklib
