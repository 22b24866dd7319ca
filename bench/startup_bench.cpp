// Prints how long pelmora.exe takes from its start until its main window is on
// screen, and its memory once running. Run under Wine (or on Windows). Not a test.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "Harness.h"

int main() {
    using namespace e2e;
    ProgramFolder folder;
    std::vector<double> millis;
    SIZE_T workingSet = 0;
    for (int run = 0; run < 10; ++run) {
        LARGE_INTEGER freq, t0, t1;
        QueryPerformanceFrequency(&freq);
        QueryPerformanceCounter(&t0);
        Program p(folder);
        HWND main = p.MainWindow();
        WaitUntil([&] { return main && IsWindowVisible(main); });
        QueryPerformanceCounter(&t1);
        millis.push_back(1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) /
                         static_cast<double>(freq.QuadPart));
        HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, p.Pid());
        PROCESS_MEMORY_COUNTERS pmc{};
        if (process && GetProcessMemoryInfo(process, &pmc, sizeof pmc)) {
            workingSet = pmc.WorkingSetSize;
        }
        if (process) CloseHandle(process);
        p.Close();
    }
    std::sort(millis.begin(), millis.end());
    std::printf("start to visible main window over %zu runs: median %.1f ms, min %.1f ms, max %.1f ms\n",
                millis.size(), millis[millis.size() / 2], millis.front(), millis.back());
    std::printf("running: working set %lu KiB\n", static_cast<unsigned long>(workingSet / 1024));
}
