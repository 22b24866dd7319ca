#include "windows/WinInfo.h"

#include <unordered_map>

#include "windows/WindowHelpers.h"

namespace {

// Reads a property once: the flag says whether the stored value is valid.
template <typename T, typename Read>
T& Cached(T& value, bool& fetched, Read read) {
    if (!fetched) {
        value = read();
        fetched = true;
    }
    return value;
}

}  // namespace

const std::string& TWinInfo::GetWindowClassName() {
    return Cached(WindowClassName_, classNameFetched_, [this] { return ReadWindowClassName(); });
}

const std::string& TWinInfo::GetTitle() {
    return Cached(Title_, titleFetched_, [this] { return ReadTitle(); });
}

HWND TWinInfo::GetOwnerWnd() {
    return Cached(OwnerWnd_, ownerFetched_, [this] { return ReadOwnerWnd(); });
}

bool TWinInfo::GetVisible() {
    return Cached(Visible_, visibleFetched_, [this] { return ReadVisible(); });
}

const std::wstring& TWinInfo::GetFileName() {
    return Cached(FileName_, fileNameFetched_, [this] { return ReadFileName(); });
}

DWORD TWinInfo::GetProcessId() {
    return Cached(ProcessId_, processIdFetched_, [this] {
        DWORD processId = 0;
        GetWindowThreadProcessId(Wnd_, &processId);
        return processId;
    });
}

void TWinInfo::TakeLastingFacts(const TWinInfo& earlier) {
    if (earlier.Wnd_ != Wnd_) return;
    if (earlier.classNameFetched_ && !classNameFetched_) {
        WindowClassName_ = earlier.WindowClassName_;
        classNameFetched_ = true;
    }
    if (earlier.processIdFetched_ && !processIdFetched_) {
        ProcessId_ = earlier.ProcessId_;
        processIdFetched_ = true;
    }
}

// A handle names one window for as long as it lives, and the system gives a
// destroyed window's handle to a new window only after tens of thousands of
// others have had that slot.
void TakeLastingFacts(const TWinInfoList& earlier, TWinInfoList& now) {
    std::unordered_map<HWND, const TWinInfo*> byWindow;
    byWindow.reserve(earlier.size());
    for (const auto& info : earlier) byWindow.emplace(info->Wnd(), info.get());
    for (auto& info : now) {
        auto found = byWindow.find(info->Wnd());
        if (found != byWindow.end()) info->TakeLastingFacts(*found->second);
    }
}

std::string TWinInfo::ReadWindowClassName() const {
    char buffer[80] = "";
    GetClassNameA(Wnd_, buffer, sizeof buffer);
    return buffer;
}

std::string TWinInfo::ReadTitle() const {
    return ReadWindowTitle(Wnd_);
}

HWND TWinInfo::ReadOwnerWnd() const {
    return GetWindow(Wnd_, GW_OWNER);
}

bool TWinInfo::ReadVisible() const {
    return IsWindowVisible(Wnd_) != FALSE;
}

std::wstring TWinInfo::ReadFileName() const {
    return GetWindowFileName(Wnd_);
}
