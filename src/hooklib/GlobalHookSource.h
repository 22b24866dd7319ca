// Window events from a global WH_CBT hook and the windows it watches (WindowWatch.h), for
// systems that raise too few WinEvents (Wine raises only object creation and focus). The
// hook procedure runs inside every GUI process, where the system loads the library; it
// and the watched windows only filter and post the event to a message-only window of the
// installing thread, which hands it to the same translation as the WinEvent source.
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
};

}  // namespace hooklib
