// Where the program's process looks for DLLs. The standard search tries the
// program's folder and the current folder before the system's, so a DLL of a
// system name left there (a download folder the archive was unpacked into) would
// be loaded in place of the system's. The program limits the search to the
// system folder at start and loads its own library by its full path.
#pragma once
#include <windows.h>

#include <string>

// From now on, DLLs this process loads by name come from the system folder
// only. False where the system cannot limit the search (Windows Vista and 7
// without update KB2533623, which added the function), which keeps the
// standard search.
bool LimitLibrarySearchToSystemFolder();

// Loads a DLL from its full path. Its own imports are looked up in its
// folder and the system folder; on systems without those search flags, in
// its folder and then along the standard search.
HMODULE LoadLibraryFromItsPath(const std::wstring& path);
