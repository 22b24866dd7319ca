// The loaded hook library: found beside the executable only, started with the
// window that is to receive its notifications, stopped and unloaded in order.
#pragma once
#include <windows.h>

#include <string>

#include "hook/HookContract.h"
#include "ui/Handles.h"

namespace hook {

class THookLibrary {
public:
    enum class StartResult { Started, NoStartHook, Failed };

    // Loads the library from `folder` (ending in a separator), never through the
    // general search path: a stray copy in the current folder is never loaded.
    bool Load(const std::wstring& folder);
    // Calls StartHook when the library has it. On failure StopHook is called.
    StartResult Start(HWND target);
    // Calls StopHook once when StartHook succeeded.
    void Stop();
    void Unload() { module_.reset(); }
    bool Loaded() const { return static_cast<bool>(module_); }
    bool Hooked() const { return hooked_; }

private:
    ui::OwnedModule module_;
    StartHookFunc start_ = nullptr;
    StopHookFunc stop_ = nullptr;
    bool hooked_ = false;
};

}  // namespace hook
