// pelmora.dll of this build, loaded the way the main window loads it.
#pragma once
#include <windows.h>

#include <string>

#include "hook/HookContract.h"

namespace hooktest {

class HookLibrary {
public:
    HookLibrary();
    // Another copy, at this path.
    explicit HookLibrary(const std::string& path);
    ~HookLibrary();  // stops the hook if it runs and unloads the library
    HookLibrary(const HookLibrary&) = delete;
    HookLibrary& operator=(const HookLibrary&) = delete;

    bool Loaded() const { return module_ && start_ && stop_; }
    bool Start(HWND target) const { return start_(target) != FALSE; }
    void Stop() const { stop_(); }

private:
    HMODULE module_;
    hook::StartHookFunc start_ = nullptr;
    hook::StopHookFunc stop_ = nullptr;
};

}  // namespace hooktest
