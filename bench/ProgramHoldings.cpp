#include "ProgramHoldings.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "RemoteList.h"

namespace bench {
namespace {

// The host's /proc is drive Z: under Wine.
std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// A number after "field:" in a /proc status text.
long StatusKiB(const std::string& status, const std::string& field) {
    const size_t at = status.find(field + ":");
    return at == std::string::npos ? -1 : std::atol(status.c_str() + at + field.size() + 1);
}

struct WindowCount {
    DWORD pid;              // 0: any process
    const char* className;  // nullptr: any class
    int n;
};

BOOL CALLBACK CountOne(HWND wnd, LPARAM param) {
    auto* c = reinterpret_cast<WindowCount*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(wnd, &owner);
    char cls[64] = "";
    GetClassNameA(wnd, cls, sizeof cls);
    if ((!c->pid || owner == c->pid) && (!c->className || lstrcmpA(cls, c->className) == 0)) ++c->n;
    return TRUE;
}

int ChildrenOf(HWND parent, const char* className) {
    WindowCount c{0, className, 0};
    EnumChildWindows(parent, CountOne, reinterpret_cast<LPARAM>(&c));
    return c.n;
}

BOOL CALLBACK CountTree(HWND top, LPARAM param) {
    auto* c = reinterpret_cast<WindowCount*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(top, &owner);
    if (owner == c->pid) c->n += 1 + ChildrenOf(top, nullptr);
    return TRUE;
}

int WindowsOf(DWORD pid) {
    WindowCount c{pid, nullptr, 0};
    EnumWindows(CountTree, reinterpret_cast<LPARAM>(&c));
    return c.n;
}

}  // namespace

// Wine keeps one child window per notification icon in its tray window, standalone or
// (in a virtual desktop) in the taskbar.
int TrayIcons() {
    int n = 0;
    for (const char* tray : {"__winex11_standalone_tray", "Shell_TrayWnd"})
        for (HWND w = FindWindowExA(nullptr, nullptr, tray, nullptr); w;
             w = FindWindowExA(nullptr, w, tray, nullptr))
            n += ChildrenOf(w, "__winex11_tray_icon");
    return n;
}

std::string HostPidOf(const std::string& exe) {
    char prefix[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix)) return {};
    // Other prefixes may run the same path under the same Windows pid numbers.
    const std::string ownPrefix = std::string("WINEPREFIX=") + prefix + '\0';
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA("Z:\\proc\\*", &found);
    if (find == INVALID_HANDLE_VALUE) return {};
    std::string pid;
    do {
        if (found.cFileName[0] < '0' || found.cFileName[0] > '9') continue;
        const std::string dir = std::string("Z:\\proc\\") + found.cFileName + "\\";
        if (ReadText(dir + "cmdline").rfind(exe + '\0', 0) != 0) continue;
        if (ReadText(dir + "environ").find(ownPrefix) == std::string::npos) continue;
        pid = found.cFileName;
    } while (pid.empty() && FindNextFileA(find, &found));
    FindClose(find);
    return pid;
}

Holdings HoldingsOf(DWORD pid, HWND listView, const std::string& hostPid) {
    Holdings h;
    h.rows = e2e::RowCount(listView);
    h.windows = WindowsOf(pid);
    h.trayIcons = TrayIcons();
    if (HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid)) {
        if (!GetProcessHandleCount(process, &h.handles)) h.handles = 0;
        h.gdi = GetGuiResources(process, GR_GDIOBJECTS);
        h.user = GetGuiResources(process, GR_USEROBJECTS);
        CloseHandle(process);
    }
    if (!hostPid.empty()) {
        const std::string status = ReadText("Z:\\proc\\" + hostPid + "\\status");
        h.rssKiB = StatusKiB(status, "VmRSS");
        h.dataKiB = StatusKiB(status, "VmData");
        h.threads = StatusKiB(status, "Threads");
    }
    return h;
}

void PrintHoldings(const char* when, const Holdings& h) {
    const std::string handles = h.handles ? std::to_string(h.handles) : "n/a";
    std::printf(
        "%-30s rows %3d  windows %3d  tray icons %2d  handles %4s  GDI %lu  USER %lu  "
        "VmRSS %6ld KiB  VmData %7ld KiB  threads %ld\n",
        when, h.rows, h.windows, h.trayIcons, handles.c_str(), static_cast<unsigned long>(h.gdi),
        static_cast<unsigned long>(h.user), h.rssKiB, h.dataKiB, h.threads);
}

std::string HostLoad() {
    const std::string text = ReadText("Z:\\proc\\loadavg");
    size_t end = 0;
    for (int field = 0; field < 3 && end != std::string::npos; ++field) end = text.find(' ', end + 1);
    return text.substr(0, end);
}

}  // namespace bench
