// Stand-ins for the hook library, to see how the program reacts to a library
// whose StartHook fails (FAKE_START_FAILS) or that has no StartHook at all.
#include <windows.h>

extern "C" {

#ifdef FAKE_START_FAILS
__declspec(dllexport) BOOL WINAPI StartHook(HWND) {
    return FALSE;
}
#endif

__declspec(dllexport) void WINAPI StopHook() {}

}  // extern "C"
