// The library's two exports (named in pelmora.def, so they stay undecorated).
#include <windows.h>

#include <type_traits>

#include "hook/HookContract.h"
#include "hooklib/HookThread.h"
#include "hooklib/Module.h"

extern "C" BOOL WINAPI StartHook(HWND target) {
    // Wine raises only object creation and focus as WinEvents: there the events come
    // from global hooks instead. Windows itself needs nothing inside other processes.
    const auto source = hooklib::RunningOnWine() ? hooklib::EventSourceKind::GlobalHooks
                                                 : hooklib::EventSourceKind::WinEvents;
    try {
        return hooklib::StartHookThread(target, source) ? TRUE : FALSE;
    } catch (...) {
        return FALSE;
    }
}

extern "C" void WINAPI StopHook() {
    hooklib::StopHookThread();
}

// The exports keep the contract's types.
static_assert(std::is_same_v<decltype(&StartHook), hook::StartHookFunc>);
static_assert(std::is_same_v<decltype(&StopHook), hook::StopHookFunc>);
