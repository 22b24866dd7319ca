// What a running program holds, seen from another process, for leak checks under Wine:
// there GetGuiResources reads 0 and PrivateUsage 0, so the program's own objects are
// counted from outside (its list rows, its windows, the notification icons) and its memory
// is read from the status of the host process that runs it.
#pragma once
#include <windows.h>

#include <string>

namespace bench {

// The host pid of the Wine process that runs this executable (a Windows path) in this
// process's Wine prefix; empty when there is none (or not under Wine).
std::string HostPidOf(const std::string& exe);

struct Holdings {
    int rows = 0;       // rows of the list view
    int windows = 0;    // the process's windows, top-level and child
    int trayIcons = 0;  // notification icons of every process, as Wine's tray windows
    DWORD handles = 0;  // kernel handles (0 where the system does not tell, as under Wine)
    DWORD gdi = 0, user = 0;
    long rssKiB = -1, dataKiB = -1, threads = -1;  // VmRSS, VmData and Threads of the host process
};

// Notification icons of every process: Wine keeps one window per icon in its tray window.
int TrayIcons();

Holdings HoldingsOf(DWORD pid, HWND listView, const std::string& hostPid);
void PrintHoldings(const char* when, const Holdings& h);

// The host's load average (1, 5 and 15 minutes), for reading timings; empty if unknown.
std::string HostLoad();

}  // namespace bench
