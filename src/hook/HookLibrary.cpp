#include "hook/HookLibrary.h"

#include "hook/LibraryLoading.h"
#include "ui/Text.h"

namespace hook {

bool THookLibrary::Load(const std::wstring& folder) {
    // By its full path: the search by name is limited to the system folder.
    module_.reset(LoadLibraryFromItsPath(folder + ui::FromAnsi(kLibraryFileName)));
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
