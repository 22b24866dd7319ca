// Starts pelmora.exe (with its real hook library) and, beside it, the bare
// program that opens one window and adds one notification icon; waits until
// both windows are on screen and two seconds more, and then does nothing for
// a minute while scripts/idle-bench.sh watches both processes from outside.
// The bare program shows what Wine itself does in an idle window program.
// Then both are closed. Not a test.
#include <windows.h>

#include <cstdio>
#include <string>

#include "Harness.h"

int main() {
    e2e::ProgramFolder folder("-idle");
    e2e::Program program(folder);
    HWND main = program.MainWindow();
    std::string bareCmd = "\"Z:" BARE_PROGRAM_PATH "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION bare{};
    if (!CreateProcessA(nullptr, bareCmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &bare) ||
        !main || !e2e::WaitUntil([&] { return IsWindowVisible(main) != FALSE; })) {
        std::printf("a program did not start\n");
        return 1;
    }
    HWND bareWindow = nullptr;
    e2e::WaitUntil([&] { return (bareWindow = FindWindowW(L"PelmoraBareProgram", nullptr)) != nullptr; });
    Sleep(2000);
    std::printf("idle from now: %s %lu\n", folder.Path().c_str(), bare.dwProcessId);
    std::fflush(stdout);
    Sleep(60000);
    std::printf("idle over\n");
    std::fflush(stdout);
    Sleep(2000);  // the watcher's last look comes before anything ends
    if (bareWindow) PostMessageW(bareWindow, WM_CLOSE, 0, 0);
    WaitForSingleObject(bare.hProcess, 10000);
    CloseHandle(bare.hThread);
    CloseHandle(bare.hProcess);
    program.Close();
}
