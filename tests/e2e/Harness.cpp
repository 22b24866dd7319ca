#include "Harness.h"

#include <shellapi.h>

#include <fstream>
#include <sstream>
#include <regex>

#include "ui/NotifyIcon.h"

namespace e2e {

namespace {

std::string BuiltExe() {
    // CMake gives the host path of the build; Wine shows the host file system as Z:.
    std::string path = "Z:" PELMORA_EXE_PATH;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

// Removes a folder with everything in it, so that a test that stopped half way
// leaves nothing behind for the next run (Wine reuses process ids).
// Wide, so folders and files named in any script go too.
void RemoveTree(const std::wstring& dir) {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((dir + L"*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(dir + name + L"\\");
            else
                DeleteFileW((dir + name).c_str());
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW(dir.c_str());
}

void RemoveTree(const std::string& ansiDir) {
    std::wstring dir(ansiDir.size(), L'\0');
    dir.resize(MultiByteToWideChar(CP_ACP, 0, ansiDir.data(), static_cast<int>(ansiDir.size()), dir.data(),
                                   static_cast<int>(dir.size())));
    RemoveTree(dir);
}

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.find_last_of('\\') + 1);
}

}  // namespace

ProgramFolder::ProgramFolder(const std::string& nameSuffix) {
    static int counter = 0;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    dir_ = std::string(temp) + "pelmora-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(++counter) + nameSuffix + "\\";
    RemoveTree(dir_);
    CreateDirectoryA(dir_.c_str(), nullptr);
    CopyFileA(BuiltExe().c_str(), Exe().c_str(), FALSE);
    CopyFileA((FolderOf(BuiltExe()) + "ReadMe.txt").c_str(), (dir_ + "ReadMe.txt").c_str(), FALSE);
    UseLibrary(FolderOf(BuiltExe()) + "pelmora.dll");
}

void ProgramFolder::UseLibrary(const std::string& path) const {
    if (path.empty())
        DeleteFileA(Library().c_str());
    else
        CopyFileA(path.c_str(), Library().c_str(), FALSE);
}

ProgramFolder::~ProgramFolder() {
    RemoveTree(dir_);
}

void ProgramFolder::WriteSettings(const std::string& bytes) const {
    std::ofstream(SettingsFile(), std::ios::binary) << bytes;
}

// Shared for deletion too: a running program may replace the file while the
// test reads it, and must not fail because of the test.
std::string ProgramFolder::ReadSettings() const {
    HANDLE file = CreateFileA(SettingsFile().c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "";
    std::string bytes;
    char buffer[16384];
    DWORD count = 0;
    while (ReadFile(file, buffer, sizeof buffer, &count, nullptr) && count > 0) bytes.append(buffer, count);
    CloseHandle(file);
    return bytes;
}

bool ProgramFolder::SettingsExist() const {
    return GetFileAttributesA(SettingsFile().c_str()) != INVALID_FILE_ATTRIBUTES;
}

Program::Program(const ProgramFolder& folder, const std::string& args, const std::string& workingDir) {
    std::string cmd = "\"" + folder.Exe() + "\"" + (args.empty() ? "" : " " + args);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    // Wine now and then cannot start a process at all (ERROR_INTERNAL_ERROR,
    // its shared memory not mapped): the start is tried again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           (workingDir.empty() ? folder.Path() : workingDir).c_str(), &si, &pi_) ||
            GetLastError() != ERROR_INTERNAL_ERROR)
            break;
    }
    WaitForInputIdle(pi_.hProcess, 10000);
}

Program::~Program() {
    if (!pi_.hProcess) return;
    if (!exited_ && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
        HWND main = FindTopLevel(identity::kMainWindowClass);
        if (main) PostMessageW(main, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(pi_.hProcess, 10000) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 1);
    }
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
}

HWND Program::FindTopLevel(const wchar_t* className) {
    struct Search {
        DWORD pid;
        const wchar_t* cls;
        HWND found;
    } s{pi_.dwProcessId, className, nullptr};
    EnumWindows(
        [](HWND w, LPARAM p) WINAPI -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            wchar_t cls[64] = L"";
            GetClassNameW(w, cls, 64);
            if (pid == s->pid && lstrcmpW(cls, s->cls) == 0) {
                s->found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND Program::MainWindow() {
    HWND w = nullptr;
    WaitUntil([&] { return (w = FindTopLevel(identity::kMainWindowClass)) != nullptr; });
    return w;
}

HWND Program::IconWindow() {
    HWND w = nullptr;
    WaitUntil([&] { return (w = FindTopLevel(identity::kOwnIconClass)) != nullptr; });
    return w;
}

HWND Program::WaitForMessageBox() {
    HWND w = nullptr;
    // Found only once shown: while it is being made its text may not be there yet.
    WaitUntil([&] { return (w = FindTopLevel(L"#32770")) != nullptr && IsWindowVisible(w); });
    return w;
}

std::string Program::MessageBoxText(HWND box) {
    std::string text;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM p) WINAPI -> BOOL {
            char cls[32] = "";
            GetClassNameA(child, cls, 32);
            char buf[1024] = "";
            GetWindowTextA(child, buf, sizeof buf);
            if (lstrcmpiA(cls, "Static") == 0 && buf[0]) *reinterpret_cast<std::string*>(p) = buf;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    return text;
}

void Program::Command(UINT id) {
    PostMessageW(MainWindow(), WM_COMMAND, id, 0);
}

bool Program::HandledEverythingPosted() {
    HWND icon = IconWindow();
    if (!icon) return false;
    NOTIFYICONDATAW nid = OwnIconRecord(icon);
    // Start-up adds the icon part of the way through, and under Wine the wait
    // for the program's first idle moment can end before that.
    if (!WaitUntil([&] { return Shell_NotifyIconW(NIM_DELETE, &nid) != FALSE; })) return false;
    PostMessageW(icon, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    return WaitUntil([icon] { return OwnIconShown(icon); });
}

NOTIFYICONDATAW OwnIconRecord(HWND iconWindow) {
    NOTIFYICONDATAW nid{};
    nid.cbSize = NOTIFYICONDATAW_V1_SIZE;
    nid.hWnd = iconWindow;
    nid.uID = ui::NotifyIcon::kIconId;
    return nid;
}

bool OwnIconShown(HWND iconWindow) {
    NOTIFYICONDATAW nid = OwnIconRecord(iconWindow);
    return Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

int Program::Close() {
    HWND main = MainWindow();
    if (main) PostMessageW(main, WM_CLOSE, 0, 0);
    return WaitForExit();
}

void Program::Kill() {
    TerminateProcess(pi_.hProcess, 1);
    WaitForExit();
}

int Program::WaitForExit(DWORD ms) {
    if (WaitForSingleObject(pi_.hProcess, ms) != WAIT_OBJECT_0) return -1;
    exited_ = true;
    DWORD code = 0;
    GetExitCodeProcess(pi_.hProcess, &code);
    return static_cast<int>(code);
}

int RunToEnd(const std::string& exe, const std::string& args, DWORD ms) {
    std::string cmd = "\"" + exe + "\" " + args;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    BOOL started = FALSE;
    for (int attempt = 0; attempt < 3 && !started; ++attempt)
        if (!(started = CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) &&
            GetLastError() != ERROR_INTERNAL_ERROR)
            break;
    if (!started) return -2;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &code);
    else
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

int TrayIconCount() {
    HWND tray = FindWindowW(L"__winex11_standalone_tray", L"Wine System Tray");
    int count = 0;
    for (HWND child = tray ? GetWindow(tray, GW_CHILD) : nullptr; child;
         child = GetWindow(child, GW_HWNDNEXT))
        if (IsTrayIconWindow(child)) ++count;
    return count;
}

bool IsTrayIconWindow(HWND wnd) {
    wchar_t cls[64] = L"";
    GetClassNameW(wnd, cls, 64);
    return lstrcmpW(cls, L"__winex11_tray_icon") == 0;
}

std::string ImagePath(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    char path[MAX_PATH * 4] = "";
    DWORD size = sizeof path;
    if (!process || !QueryFullProcessImageNameA(process, 0, path, &size)) size = 0;
    if (process) CloseHandle(process);
    return std::string(path, size);
}

namespace {

std::vector<HWND> g_foregrounds;  // the windows that became the foreground, for the watch

void CALLBACK OnForeground(HWINEVENTHOOK, DWORD, HWND wnd, LONG, LONG, DWORD, DWORD) {
    g_foregrounds.push_back(wnd);
}

}  // namespace

ForegroundWatch::ForegroundWatch()
    : hook_(SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, OnForeground, 0, 0,
                            WINEVENT_OUTOFCONTEXT)) {
    g_foregrounds.clear();
}

ForegroundWatch::~ForegroundWatch() {
    if (hook_) UnhookWinEvent(hook_);
    g_foregrounds.clear();
}

bool ForegroundWatch::Became(HWND wnd, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        if (GetForegroundWindow() == wnd) return true;
        for (HWND seen : g_foregrounds)
            if (seen == wnd) return true;
        if (GetTickCount() - start > ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
}

bool WaitUntil(const std::function<bool()>& condition, DWORD ms) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > ms) return false;
        Sleep(50);
    }
    return true;
}

std::vector<std::string> Keys(const std::string& xml) {
    std::vector<std::string> keys;
    std::regex entry("<add key=\"([^\"]*)\"");
    for (std::sregex_iterator it(xml.begin(), xml.end(), entry), end; it != end; ++it)
        keys.push_back((*it)[1]);
    return keys;
}

std::string Value(const std::string& xml, const std::string& key) {
    std::regex entry("<add key=\"" + key + "\" value=\"([^\"]*)\"");
    std::smatch m;
    return std::regex_search(xml, m, entry) ? m[1].str() : "<absent>";
}

}  // namespace e2e
