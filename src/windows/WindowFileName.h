// A process's executable path, as the system spells it (UTF-16, so a
// folder of any script reads exactly). The two ways of reading it are apart for
// callers that compare them; everyone else calls ProcessFileName or
// GetWindowFileName.
#pragma once
#include <windows.h>

#include <string>

// QueryFullProcessImageNameW with limited query rights: fast, and allowed for
// elevated and protected processes too. Empty on failure.
std::wstring QueryProcessImagePath(DWORD processId);
// The first module of a toolhelp module snapshot, the process's executable.
// Needs read access to the process. Empty on failure.
std::wstring ModuleSnapshotPath(DWORD processId);
// The executable path of the process: the fast query, else the module
// snapshot. Empty when neither works.
std::wstring ProcessFileName(DWORD processId);
