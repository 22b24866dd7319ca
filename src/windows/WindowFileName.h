// The two ways of reading a process's executable path, apart, for callers that
// compare them; everyone else calls GetWindowFileName.
#pragma once
#include <windows.h>

#include <string>

// QueryFullProcessImageNameA with limited query rights: fast, and allowed for
// elevated and protected processes too. Empty on failure.
std::string QueryProcessImagePath(DWORD processId);
// The first module of a toolhelp module snapshot, the process's executable.
// Needs read access to the process. Empty on failure.
std::string ModuleSnapshotPath(DWORD processId);
