#include "windows/WindowEligibility.h"

#include "ui/Text.h"

#include <dwmapi.h>

#include <algorithm>
#include <iterator>

#include "windows/WindowText.h"

namespace {

// The desktop (Progman, and WorkerW behind the icons), the main and secondary
// taskbars, and the overflow of the notification area (Windows 7 to 10, and its
// XAML host on Windows 11). Clicking an icon in the notification area
// activates one of these; none of them is a window of the user's. Not
// Windows.UI.Core.CoreWindow: store apps use that class for their own windows.
constexpr std::wstring_view kShellSurfaces[] = {
    L"Progman",
    L"WorkerW",
    L"Shell_TrayWnd",
    L"Shell_SecondaryTrayWnd",
    L"NotifyIconOverflowWindow",
    L"TopLevelWindowForOverflowXamlIsland",
};

wchar_t LowerAscii(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](wchar_t x, wchar_t y) { return LowerAscii(x) == LowerAscii(y); });
}

// dwmapi.dll is not one of the system's known libraries: imported by the
// executable, a copy beside it would be loaded in its place. Looked up once,
// by its full path in the system folder.
using DwmGetWindowAttributeFunc = HRESULT(WINAPI*)(HWND, DWORD, void*, DWORD);

DwmGetWindowAttributeFunc LoadDwmGetWindowAttribute() {
    wchar_t folder[MAX_PATH];
    UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    HMODULE dwm = LoadLibraryW((std::wstring(folder, length) + L"\\dwmapi.dll").c_str());
    if (!dwm) return nullptr;
    return reinterpret_cast<DwmGetWindowAttributeFunc>(
        reinterpret_cast<void*>(GetProcAddress(dwm, "DwmGetWindowAttribute")));
}

std::wstring ReadClassName(HWND wnd) {
    wchar_t buffer[256] = L"";
    int length = GetClassNameW(wnd, buffer, static_cast<int>(std::size(buffer)));
    return std::wstring(buffer, static_cast<size_t>(std::max(length, 0)));
}

}  // namespace

bool IsWindowCloaked(HWND wnd) {
    // Loaded for the life of the process: asked about every listed window.
    static const DwmGetWindowAttributeFunc getAttribute = LoadDwmGetWindowAttribute();
    DWORD cloaked = 0;
    return getAttribute && SUCCEEDED(getAttribute(wnd, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) &&
           cloaked != 0;
}

bool IsShellSurface(std::wstring_view className) {
    return std::any_of(std::begin(kShellSurfaces), std::end(kShellSurfaces),
                       [className](std::wstring_view shell) { return EqualIgnoringCase(className, shell); });
}

bool CountsAsUserWindow(const WindowFacts& facts) {
    return facts.visible && !facts.cloaked && facts.hasTitle && !facts.hasOwner &&
           !IsShellSurface(facts.className);
}

WindowFacts ReadWindowFacts(HWND wnd) {
    WindowFacts facts;
    facts.visible = IsWindowVisible(wnd) != FALSE;
    facts.cloaked = IsWindowCloaked(wnd);
    facts.hasTitle = !ReadWindowTitle(wnd).empty();
    facts.hasOwner = GetWindow(wnd, GW_OWNER) != nullptr;
    facts.className = ReadClassName(wnd);
    return facts;
}

WindowFacts FactsOf(TWinInfo& info) {
    WindowFacts facts;
    facts.visible = info.GetVisible();
    facts.cloaked = facts.visible && IsWindowCloaked(info.Wnd());
    facts.hasTitle = !info.GetTitle().empty();
    facts.hasOwner = info.GetOwnerWnd() != nullptr;
    facts.className = ui::FromAnsi(info.GetWindowClassName());
    return facts;
}
