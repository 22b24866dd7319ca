#include "hooklib/GlobalHookSource.h"

#include "hooklib/EventTranslator.h"
#include "hooklib/Module.h"

namespace hooklib {
namespace {

constexpr UINT kRawEventMessage = WM_APP + 1;  // wParam: the WinEvent number, lParam: the window
constexpr wchar_t kSinkClass[] = L"PelmoraHookEvents";

// One copy for every process the library is loaded in: where the hook procedures post.
HWND volatile g_sharedSink __attribute__((section(".shared"), shared)) = nullptr;

// Used on the installing thread only.
RawEventHandler g_handler = nullptr;

HWND ExchangeSink(HWND value, HWND expected) {
    return static_cast<HWND>(InterlockedCompareExchangePointer(
        reinterpret_cast<void* volatile*>(const_cast<HWND*>(&g_sharedSink)), value, expected));
}

// Runs inside other processes: no waiting, no allocation, only a post.
void Forward(DWORD event, HWND window) {
    HWND sink = g_sharedSink;
    if (sink) PostMessageW(sink, kRawEventMessage, event, reinterpret_cast<LPARAM>(window));
}

bool IsTopLevelCreation(const CBT_CREATEWNDW* create) {
    const CREATESTRUCTW* cs = create->lpcs;
    return !(cs->style & WS_CHILD) && cs->hwndParent != HWND_MESSAGE;  // hwndParent is the owner
}

bool IsMinimizeCommand(UINT command) {
    return command == SW_MINIMIZE || command == SW_SHOWMINIMIZED || command == SW_SHOWMINNOACTIVE ||
           command == SW_FORCEMINIMIZE;
}

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    switch (code) {
        case HCBT_CREATEWND:
            if (IsTopLevelCreation(reinterpret_cast<const CBT_CREATEWNDW*>(lParam)))
                Forward(EVENT_OBJECT_CREATE, window);
            break;
        case HCBT_DESTROYWND:
            if (IsTopLevelWindow(window)) Forward(EVENT_OBJECT_DESTROY, window);
            break;
        case HCBT_ACTIVATE:
            Forward(EVENT_SYSTEM_FOREGROUND, window);
            break;
        case HCBT_MINMAX:
            if (IsMinimizeCommand(LOWORD(lParam)) && IsTopLevelWindow(window))
                Forward(EVENT_SYSTEM_MINIMIZESTART, window);
            break;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Showing, hiding, retitling and enabling have no CBT code: they are seen as the
// messages that announce them.
DWORD EventOfSentMessage(const CWPRETSTRUCT& sent) {
    switch (sent.message) {
        case WM_WINDOWPOSCHANGED: {
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(sent.lParam);
            if (pos->flags & SWP_SHOWWINDOW) return EVENT_OBJECT_SHOW;
            if (pos->flags & SWP_HIDEWINDOW) return EVENT_OBJECT_HIDE;
            return 0;
        }
        case WM_SETTEXT:
            // A hidden window's title is read when it shows.
            return IsWindowVisible(sent.hwnd) ? EVENT_OBJECT_NAMECHANGE : 0;
        case WM_ENABLE:
            return EVENT_OBJECT_STATECHANGE;
        default:
            return 0;
    }
}

LRESULT CALLBACK CallWndProcRetProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        DWORD event = EventOfSentMessage(*sent);
        if (event && IsTopLevelWindow(sent->hwnd)) Forward(event, sent->hwnd);
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
    cbt_ = SetWindowsHookExW(WH_CBT, CbtProc, module, 0);
    callWndProcRet_ = SetWindowsHookExW(WH_CALLWNDPROCRET, CallWndProcRetProc, module, 0);
    if (!cbt_ || !callWndProcRet_) {
        Remove();
        return false;
    }
    return true;
}

void GlobalHookSource::Remove() {
    if (cbt_) UnhookWindowsHookEx(cbt_);
    if (callWndProcRet_) UnhookWindowsHookEx(callWndProcRet_);
    cbt_ = callWndProcRet_ = nullptr;
    if (sink_) {
        ExchangeSink(nullptr, sink_);
        DestroyWindow(sink_);
        sink_ = nullptr;
    }
    UnregisterClassW(kSinkClass, ThisModule());
    g_handler = nullptr;
}

}  // namespace hooklib
