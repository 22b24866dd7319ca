#include "windows/WindowEnumeration.h"

#include <exception>

namespace {

// The enumeration in progress. Callbacks that arrive outside one add nothing.
struct Collection {
    bool collecting = false;
    int depthLimit = 0;
    TWinInfoList collected;
    std::exception_ptr failure;  // kept out of the system's frames, rethrown after
};
Collection state;

// What a child enumeration passes to its callback: the windows it wants are the
// direct children of parent, since the system reports all descendants.
struct ChildLevel {
    HWND parent;
    int level;
};

void Collect(HWND wnd, int level);

BOOL CALLBACK EnumTopProc(HWND wnd, LPARAM level) {
    Collect(wnd, static_cast<int>(level));
    return TRUE;
}

BOOL CALLBACK EnumChildProc(HWND wnd, LPARAM param) {
    const auto& child = *reinterpret_cast<const ChildLevel*>(param);
    if (GetAncestor(wnd, GA_PARENT) == child.parent) Collect(wnd, child.level);
    return TRUE;
}

void Collect(HWND wnd, int level) {
    if (!state.collecting || state.failure) return;
    try {
        state.collected.push_back(std::make_unique<TWinInfo>(wnd, level));
        if (level + 1 <= state.depthLimit) {
            ChildLevel child{wnd, level + 1};
            EnumChildWindows(wnd, EnumChildProc, reinterpret_cast<LPARAM>(&child));
        }
    } catch (...) {
        state.failure = std::current_exception();
    }
}

// Clears the module state however the enumeration ends.
struct CollectionScope {
    explicit CollectionScope(int depthLimit) {
        state.collected.clear();
        state.failure = nullptr;
        state.depthLimit = depthLimit;
        state.collecting = true;
    }
    ~CollectionScope() {
        state.collecting = false;
        state.collected.clear();
        state.failure = nullptr;
    }
};

void Merge(TWinInfoList& list, TWinInfoList& collected) {
    for (size_t i = list.size(); i-- > 0;)
        if (IndexOfWnd(list[i]->Wnd(), collected) < 0) list.erase(list.begin() + static_cast<ptrdiff_t>(i));
    for (auto& info : collected)
        if (IndexOfWnd(info->Wnd(), list) < 0) list.push_back(std::move(info));
}

}  // namespace

void EnumerateWindows(TWinInfoList& list, int depthLimit, bool replace) {
    CollectionScope scope(depthLimit);
    EnumWindows(EnumTopProc, 0);
    state.collecting = false;
    if (state.failure) std::rethrow_exception(state.failure);
    if (replace) {
        for (auto& info : state.collected) list.push_back(std::move(info));
    } else {
        Merge(list, state.collected);
    }
}

int IndexOfWnd(HWND wnd, const TWinInfoList& list) {
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i] && list[i]->Wnd() == wnd) return static_cast<int>(i);
    return -1;
}

bool IsCollectingWindows() {
    return state.collecting;
}
