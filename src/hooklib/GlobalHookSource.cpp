#include "hooklib/GlobalHookSource.h"

#include "hooklib/EventTranslator.h"
#include "hooklib/Module.h"
#include "hooklib/WindowWatch.h"

namespace hooklib {
namespace {

constexpr UINT kRawEventMessage = WM_APP + 1;  // wParam: the WinEvent number, lParam: the window
constexpr wchar_t kSinkClass[] = L"PelmoraHookEvents";

// One copy for every process the library is loaded in: where the hook procedures post.
HWND volatile g_sharedSink __attribute__((section(".shared"), shared)) = nullptr;
// The process that installed the hooks: its own windows are not watched, so the library
// can leave it when the hooks are removed.
DWORD volatile g_installer __attribute__((section(".shared"), shared)) = 0;
// Counts the installations: each one takes in again the windows made while none ran.
LONG volatile g_session __attribute__((section(".shared"), shared)) = 0;

// Used on the installing thread only.
RawEventHandler g_handler = nullptr;

HWND ExchangeSink(HWND value, HWND expected) {
    return static_cast<HWND>(InterlockedCompareExchangePointer(
        reinterpret_cast<void* volatile*>(const_cast<HWND*>(&g_sharedSink)), value, expected));
}

// Runs inside other processes: no waiting, no allocation, only a post. A window
// watched by this copy of the library keeps reporting after the program that loaded
// it ended; the receiver is then that of the copy that runs now, perhaps from
// another folder, found by its class.
void Forward(DWORD event, HWND window) {
    const auto post = [event, window](HWND sink) {
        return sink && PostMessageW(sink, kRawEventMessage, event, reinterpret_cast<LPARAM>(window));
    };
    if (!post(g_sharedSink)) post(FindWindowExW(HWND_MESSAGE, nullptr, kSinkClass, nullptr));
}

bool IsTopLevelCreation(const CBT_CREATEWNDW* create) {
    const CREATESTRUCTW* cs = create->lpcs;
    return !(cs->style & WS_CHILD) && cs->hwndParent != HWND_MESSAGE;  // hwndParent is the owner
}

bool IsMinimizeCommand(UINT command) {
    return command == SW_MINIMIZE || command == SW_SHOWMINIMIZED || command == SW_SHOWMINNOACTIVE ||
           command == SW_FORCEMINIMIZE;
}

// Showing, retitling and enabling have no CBT code: the windows of a thread the hook
// reaches are watched from inside it, by that thread. Those that were there before are
// taken in on the thread's first hook call; a window that comes under watch later has
// its state read.
void Watch(HWND window, bool created) {
    if (g_installer == GetCurrentProcessId()) return;
    WatchWindowsOfThisThread(g_session, Forward);
    if (WatchWindow(window, Forward) && !created) Forward(EVENT_OBJECT_STATECHANGE, window);
}

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    switch (code) {
        case HCBT_CREATEWND:
            if (IsTopLevelCreation(reinterpret_cast<const CBT_CREATEWNDW*>(lParam))) {
                Forward(EVENT_OBJECT_CREATE, window);
                Watch(window, true);
            }
            break;
        case HCBT_DESTROYWND:
            if (IsTopLevelWindow(window)) Forward(EVENT_OBJECT_DESTROY, window);
            break;
        case HCBT_ACTIVATE:
            Forward(EVENT_SYSTEM_FOREGROUND, window);
            Watch(window, false);
            break;
        case HCBT_MINMAX:
            if (IsMinimizeCommand(LOWORD(lParam)) && IsTopLevelWindow(window))
                Forward(EVENT_SYSTEM_MINIMIZESTART, window);
            Watch(window, false);
            break;
        case HCBT_SETFOCUS:
            if (window) Watch(GetAncestor(window, GA_ROOT), false);
            break;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK SinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kRawEventMessage) return DefWindowProcW(window, message, wParam, lParam);
    if (g_handler)
        g_handler(static_cast<DWORD>(wParam), reinterpret_cast<HWND>(lParam), OBJID_WINDOW, CHILDID_SELF);
    return 0;
}

bool IsSink(HWND window) {
    wchar_t name[64] = {};
    return IsWindow(window) && GetClassNameW(window, name, 64) && lstrcmpW(name, kSinkClass) == 0;
}

// Takes the shared receiver unless another process's receiver is still alive.
bool ClaimSharedSink(HWND sink) {
    HWND current = ExchangeSink(sink, nullptr);
    if (!current) return true;
    if (IsSink(current)) return false;
    return ExchangeSink(sink, current) == current;
}

}  // namespace

bool GlobalHookSource::Install(RawEventHandler handler) {
    Remove();
    g_handler = handler;
    HMODULE module = ThisModule();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = SinkProc;
    wc.hInstance = module;
    wc.lpszClassName = kSinkClass;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    sink_ = CreateWindowExW(0, kSinkClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module, nullptr);
    if (!sink_ || !ClaimSharedSink(sink_)) {
        Remove();
        return false;
    }
    g_installer = GetCurrentProcessId();
    InterlockedIncrement(&g_session);
    cbt_ = SetWindowsHookExW(WH_CBT, CbtProc, module, 0);
    if (!cbt_) {
        Remove();
        return false;
    }
    return true;
}

void GlobalHookSource::Remove() {
    if (cbt_) UnhookWindowsHookEx(cbt_);
    cbt_ = nullptr;
    if (sink_) {
        if (ExchangeSink(nullptr, sink_) == sink_) g_installer = 0;
        DestroyWindow(sink_);
        sink_ = nullptr;
    }
    UnregisterClassW(kSinkClass, ThisModule());
    g_handler = nullptr;
}

}  // namespace hooklib
