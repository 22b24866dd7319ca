#include "hook/HookLibrary.h"

namespace hook {

bool THookLibrary::Load(const std::string& folder) {
    std::string path = folder + kLibraryFileName;
    // The altered search path makes the library's own imports resolve from its folder too.
    module_.reset(LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (!module_) return false;
    start_ = reinterpret_cast<StartHookFunc>(
        reinterpret_cast<void*>(GetProcAddress(module_.get(), kStartHookName)));
    stop_ =
        reinterpret_cast<StopHookFunc>(reinterpret_cast<void*>(GetProcAddress(module_.get(), kStopHookName)));
    return true;
}

THookLibrary::StartResult THookLibrary::Start(HWND target) {
    if (!start_) return StartResult::NoStartHook;
    // Only the low byte of the result carries the answer.
    hooked_ = (start_(target) & 0xFF) != 0;
    if (hooked_) return StartResult::Started;
    if (stop_) stop_();
    return StartResult::Failed;
}

void THookLibrary::Stop() {
    if (hooked_ && stop_) stop_();
    hooked_ = false;
}

}  // namespace hook
