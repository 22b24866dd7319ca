#include "HelperWindows.h"

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace helper {
namespace {

std::map<std::string, HICON> classIcons;  // by class name, as registered
constexpr char kClickCount[] = "PelmoraHelperClicks";

bool IsMouseButtonMessage(UINT msg) {
    return (msg >= WM_LBUTTONDOWN && msg <= WM_MBUTTONDBLCLK) ||
           (msg >= WM_NCLBUTTONDOWN && msg <= WM_NCMBUTTONDBLCLK);
}

// Default behaviour, plus a count of the clicks that reached the window.
LRESULT CALLBACK HelperWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (IsMouseButtonMessage(msg))
        SetPropA(wnd, kClickCount, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(ClickCount(wnd) + 1)));
    if (msg == WM_NCDESTROY) RemovePropA(wnd, kClickCount);
    return IsWindowUnicode(wnd) ? DefWindowProcW(wnd, msg, wParam, lParam) : DefWindowProcA(wnd, msg, wParam, lParam);
}

std::wstring WideOf(const std::string& ansi) {
    std::wstring wide(ansi.size() + 1, L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(),
                                    static_cast<int>(wide.size())));
    return wide;
}

// A plain coloured square, so the icon is the helper's own and not a shared one.
HICON MakeIcon(int size, BYTE red) {
    std::vector<BYTE> andMask(size * size / 8, 0);
    std::vector<DWORD> colour(size * size, 0xFF000000u | (DWORD(red) << 16) | 0x4080);
    return CreateIcon(GetModuleHandleA(nullptr), size, size, 1, 32, andMask.data(),
                      reinterpret_cast<BYTE*>(colour.data()));
}

void RegisterRequestedClass(const std::string& name, const std::string& iconKind, bool unicode) {
    if (classIcons.count(name)) return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = HelperWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = name.c_str();
    if (iconKind == "custom") {
        wc.hIcon = MakeIcon(32, 0xC0);
        wc.hIconSm = MakeIcon(16, 0xC0);
    } else if (iconKind == "app") {
        wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
        wc.hIconSm = wc.hIcon;
    } else if (iconKind != "none") {
        throw RequestError("unknown classicon=" + iconKind);
    }
    if (unicode) {
        // The same class, registered through the wide function: its windows are Unicode.
        const std::wstring wideName = WideOf(name);
        WNDCLASSEXW wcw{};
        std::memcpy(&wcw, &wc, sizeof wc);
        wcw.lpszMenuName = nullptr;
        wcw.lpszClassName = wideName.c_str();
        if (!RegisterClassExW(&wcw)) throw RequestError("RegisterClassExW failed for " + name);
    } else if (!RegisterClassExA(&wc)) {
        throw RequestError("RegisterClassExA failed for " + name);
    }
    classIcons[name] = wc.hIconSm;
}

int ShowCommand(const std::string& show) {
    if (show == "normal") return SW_SHOWNOACTIVATE;
    if (show == "min") return SW_SHOWMINNOACTIVE;
    if (show == "max") return SW_SHOWMAXIMIZED;
    if (show == "hidden") return SW_HIDE;
    throw RequestError("unknown show=" + show);
}

}  // namespace

HWND CreateRequestedWindow(const Request& request) {
    std::string iconKind = request.Get("classicon", "custom");
    const bool unicode = request.Has("unicode");
    std::string className =
        request.Get("class", iconKind == "none" ? "PelmoraHelperNoIcon" : "PelmoraHelperWindow");
    if (unicode) className += "Unicode";
    RegisterRequestedClass(className, iconKind, unicode);
    int show = ShowCommand(request.Get("show", "normal"));

    DWORD style = static_cast<DWORD>(request.Number("style", WS_OVERLAPPEDWINDOW));
    HWND parent = nullptr;
    if (request.Has("parent")) {
        parent = request.Window("parent");
        style = (style & ~WS_POPUP) | WS_CHILD;
    } else if (request.Has("owner")) {
        parent = request.Window("owner");
    }
    DWORD exStyle = static_cast<DWORD>(request.Number("exstyle", 0));
    HWND wnd = unicode ? CreateWindowExW(exStyle, WideOf(className).c_str(), WideOf(request.Get("title")).c_str(),
                                         style, 60, 60, 320, 200, parent, nullptr, GetModuleHandleW(nullptr), nullptr)
                       : CreateWindowExA(exStyle, className.c_str(), request.Get("title").c_str(), style, 60, 60,
                                         320, 200, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!wnd) throw RequestError("CreateWindowEx failed");
    ShowWindow(wnd, show);
    return wnd;
}

HICON ClassSmallIcon(HWND wnd) {
    char name[512] = "";
    GetClassNameA(wnd, name, sizeof name);
    auto it = classIcons.find(name);
    return it == classIcons.end() ? nullptr : it->second;
}

int ClickCount(HWND wnd) {
    return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(wnd, kClickCount)));
}

}  // namespace helper
