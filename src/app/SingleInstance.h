// One instance per desktop: a named mutex tells a second start that the program
// runs, and a property on the running instance's application window tells it
// where to send its request to come forward.
#pragma once
#include <windows.h>

#include "ProgramContract.h"

inline constexpr const char* InstanceGuid = "{6B1F3C2E-8D4A-4E7B-9A35-C0D2E4F61A87}";
inline constexpr UINT_PTR InstanceMark = 0x59FCEE;
// WM_SHOWINSTANCE (ProgramContract.h) is what the second start posts.

// True when a mutex of this name already existed, also one this process may
// not open; the handle stays open for the life of the process on purpose.
bool IsAlreadyRunning(const char* name);
// Posts WM_SHOWINSTANCE to every top-level window marked with the property.
void SignalRunningInstance(const char* name);
