// Window events from global WH_CBT and WH_CALLWNDPROCRET hooks, for systems that raise
// too few WinEvents (Wine raises only object creation and focus). Their procedures run
// inside every GUI process, where the system loads the library; they only filter and
// post the event to a message-only window of the installing thread, which hands it to
// the same translation as the WinEvent source.
#pragma once
#include <windows.h>

#include "hooklib/RawEvent.h"

namespace hooklib {

class GlobalHookSource {
public:
    GlobalHookSource() = default;
    GlobalHookSource(const GlobalHookSource&) = delete;
    GlobalHookSource& operator=(const GlobalHookSource&) = delete;
    ~GlobalHookSource() { Remove(); }

    // Installs every part or none. Fails while another live process has the hooks
    // installed: the processes share one receiver.
    bool Install(RawEventHandler handler);
    void Remove();

private:
    HWND sink_ = nullptr;
    HHOOK cbt_ = nullptr;
    HHOOK callWndProcRet_ = nullptr;
};

}  // namespace hooklib
