// What the executable's manifest sets up in the running program, seen from
// another process: the common controls of version 6 (visual styles) and, on
// systems that have it, per-monitor DPI awareness.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>

#include "Harness.h"
#include "HelperClient.h"

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

// Windows 10 1607 and later say how a window is scaled; the functions are
// looked up so that the test runs (and skips) on older systems.
TEST(ProcessSetup, MainWindowIsPerMonitorDpiAware) {
    using GetContextFunc = HANDLE(WINAPI*)(HWND);
    using GetAwarenessFunc = int(WINAPI*)(HANDLE);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    auto getContext = reinterpret_cast<GetContextFunc>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetWindowDpiAwarenessContext")));
    auto getAwareness = reinterpret_cast<GetAwarenessFunc>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
    if (!getContext || !getAwareness) GTEST_SKIP() << "this system does not tell a window's DPI awareness";
    constexpr int kPerMonitorAware = 2;  // DPI_AWARENESS_PER_MONITOR_AWARE
    helper::HelperClient unaware;        // its manifest declares nothing
    if (getAwareness(getContext(unaware.NewWindow({.title = "unaware"}))) == kPerMonitorAware)
        GTEST_SKIP() << "this system reports every window as per-monitor aware";
    ProgramFolder folder;
    Program p(folder);
    HWND main = p.MainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(getAwareness(getContext(main)), kPerMonitorAware);
    EXPECT_EQ(p.Close(), 0);
}

}  // namespace

// A folder whose name the ANSI code page cannot write (Polish and Korean): the
// program starts there, finds its library and writes its settings beside itself.
TEST(ProcessSetup, RunsFromAFolderOfAnyNameAndKeepsItsSettingsThere) {
    ProgramFolder source;  // the built program and its library, copied for this test
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    const std::wstring dir = std::wstring(temp) + L"Pelmora \u017A\u0144d\u017Ab\u0142o \uD55C\uAD6D\uC5B4 " +
                             std::to_wstring(GetCurrentProcessId()) + L"\\";
    ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    auto wide = [](const std::string& ansi) {
        std::wstring text(ansi.size() + 1, L'\0');
        text.resize(MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), text.data(),
                                        static_cast<int>(text.size())));
        return text;
    };
    for (const wchar_t* name : {L"pelmora.exe", L"pelmora.dll"})
        ASSERT_TRUE(CopyFileW((wide(source.Path()) + name).c_str(), (dir + name).c_str(), FALSE));

    std::wstring cmd = L"\"" + dir + L"pelmora.exe\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi));
    HWND main = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
        for (HWND w = FindWindowW(identity::kMainWindowClass, nullptr); w;
             w = FindWindowExW(nullptr, w, identity::kMainWindowClass, nullptr)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == pi.dwProcessId && IsWindowVisible(w)) main = w;
        }
        return main != nullptr;
    })) << "no main window: the program did not start, or stopped at a message";
    if (main) PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 20000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    if (code == STILL_ACTIVE) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    EXPECT_EQ(code, 0u);
    const std::wstring settings = dir + L"pelmora.xml";
    EXPECT_NE(GetFileAttributesW(settings.c_str()), INVALID_FILE_ATTRIBUTES) << "no settings beside the program";
    for (const wchar_t* name : {L"pelmora.exe", L"pelmora.dll", L"pelmora.xml"}) DeleteFileW((dir + name).c_str());
    RemoveDirectoryW(dir.c_str());
}
