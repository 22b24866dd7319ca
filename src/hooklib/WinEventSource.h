// Window events from out-of-context WinEvent hooks. The system calls back on the thread
// that installed them, so no code of ours runs inside another process and no other
// program can be slowed or crashed by it; they reach processes of either bitness.
#pragma once
#include <windows.h>

#include <vector>

#include "hooklib/RawEvent.h"

namespace hooklib {

class WinEventSource {
public:
    WinEventSource() = default;
    WinEventSource(const WinEventSource&) = delete;
    WinEventSource& operator=(const WinEventSource&) = delete;
    ~WinEventSource() { Remove(); }

    // Installs every hook or none; events go to `handler` on the calling thread,
    // which must pump messages.
    bool Install(RawEventHandler handler);
    void Remove();

private:
    std::vector<HWINEVENTHOOK> hooks_;
};

}  // namespace hooklib
