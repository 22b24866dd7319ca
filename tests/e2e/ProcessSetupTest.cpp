// What the executable's manifest sets up in the running program, seen from
// another process: the common controls of version 6 (visual styles).
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>

#include "Harness.h"

using namespace e2e;

namespace {

// True when the process has loaded the common controls of version 6, which
// live in the side-by-side store, not in the system folder.
bool LoadedCommonControlsSix(DWORD pid) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    MODULEENTRY32W entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Module32FirstW(snapshot, &entry); more && !found;
         more = Module32NextW(snapshot, &entry)) {
        std::wstring path = entry.szExePath;
        CharLowerBuffW(path.data(), static_cast<DWORD>(path.size()));
        found = path.find(L"\\winsxs\\") != std::wstring::npos &&
                path.find(L"common-controls_6595b64144ccf1df_6.0.") != std::wstring::npos &&
                path.ends_with(L"\\comctl32.dll");
    }
    CloseHandle(snapshot);
    return found;
}

TEST(ProcessSetup, CommonControlsAreOfVersionSix) {
    ProgramFolder folder;
    Program p(folder);
    ASSERT_NE(p.MainWindow(), nullptr);
    EXPECT_TRUE(LoadedCommonControlsSix(p.Pid()));
    EXPECT_EQ(p.Close(), 0);
}

}  // namespace
