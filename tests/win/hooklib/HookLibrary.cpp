#include "HookLibrary.h"

#include "HookRecorder.h"

namespace hooktest {

HookLibrary::HookLibrary() : HookLibrary(WindowsPath(PELMORA_HOOK_DLL)) {}

HookLibrary::HookLibrary(const std::string& path) : module_(LoadLibraryA(path.c_str())) {
    if (!module_) return;
    // Through void*: FARPROC's own type says nothing about the export's.
    start_ = reinterpret_cast<hook::StartHookFunc>(
        reinterpret_cast<void*>(GetProcAddress(module_, hook::kStartHookName)));
    stop_ = reinterpret_cast<hook::StopHookFunc>(
        reinterpret_cast<void*>(GetProcAddress(module_, hook::kStopHookName)));
}

HookLibrary::~HookLibrary() {
    if (stop_) stop_();
    if (module_) FreeLibrary(module_);
}

}  // namespace hooktest
