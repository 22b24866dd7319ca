// Drives the real pelmora.exe from another process: starts it in a temporary
// folder of its own, finds its windows, reads the settings file it writes.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include "Identity.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace e2e {

// A folder holding a fresh copy of pelmora.exe (and its help text).
class ProgramFolder {
public:
    explicit ProgramFolder(const std::string& nameSuffix = "");
    ~ProgramFolder();
    const std::string& Path() const { return dir_; }
    std::string Exe() const { return dir_ + "pelmora.exe"; }
    std::string SettingsFile() const { return dir_ + "pelmora.xml"; }
    std::string Library() const { return dir_ + "pelmora.dll"; }
    // Puts this library in place of the hook library beside the executable
    // (copied from the build at creation); an empty path removes it.
    void UseLibrary(const std::string& path) const;
    void WriteSettings(const std::string& bytes) const;
    std::string ReadSettings() const;
    bool SettingsExist() const;

private:
    std::string dir_;
};

class Program {
public:
    // Runs in `workingDir`, the program's own folder by default.
    Program(const ProgramFolder& folder, const std::string& args = "", const std::string& workingDir = "");
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    DWORD Pid() const { return pi_.dwProcessId; }
    // The main window (created hidden or shown); nullptr when it never came.
    HWND MainWindow();
    HWND IconWindow();
    // A message box of this process titled "Pelmora", and its text.
    HWND WaitForMessageBox();
    static std::string MessageBoxText(HWND box);
    // Posts a menu command to the main window.
    void Command(UINT id);
    // Waits until the program has handled every message posted to its windows before
    // this call, so that a check that nothing happened cannot pass only because the
    // program is slow. Its windows share one thread, which takes posted messages in
    // order; the one posted last shows from outside: the shell forgets the program's
    // own icon, and "TaskbarCreated" has the program add it again. Needs that icon.
    bool HandledEverythingPosted();
    // Ends the program as the close box does and waits; the exit code or -1.
    int Close();
    // Ends the program at once, as a crash or the task manager would.
    void Kill();
    int WaitForExit(DWORD ms = 20000);

private:
    HWND FindTopLevel(const wchar_t* className);
    PROCESS_INFORMATION pi_{};
    bool exited_ = false;
};

// Runs the exe once and waits for it to end; the exit code or -1 on time-out.
int RunToEnd(const std::string& exe, const std::string& args, DWORD ms = 20000);

// The notification icons Wine shows: one child window of class
// "__winex11_tray_icon" of the "Wine System Tray" window per icon. An icon
// whose window is destroyed goes with it.
int TrayIconCount();
// True for one of those icon windows.
bool IsTrayIconWindow(HWND wnd);

// The shell's record of the program's own icon, by the window it belongs to;
// whether the shell holds that icon (changing nothing in it succeeds only then).
NOTIFYICONDATAW OwnIconRecord(HWND iconWindow);
bool OwnIconShown(HWND iconWindow);

// The executable path the system gives for a process, read here and not by the
// program, so that a test compares the program with the system.
std::string ImagePath(DWORD processId);

// Sees every change of the foreground window from its creation on, so that a
// check that the program brought a window forward cannot miss it when Wine
// hands the foreground on a moment later (it follows the X server's focus,
// which can arrive late for a window that was destroyed meanwhile).
class ForegroundWatch {
public:
    ForegroundWatch();
    ~ForegroundWatch();
    ForegroundWatch(const ForegroundWatch&) = delete;
    ForegroundWatch& operator=(const ForegroundWatch&) = delete;
    // Pumps this thread's messages until the window has been the foreground
    // window at some moment since the watch began; false after `ms`.
    bool Became(HWND wnd, DWORD ms = 10000);

private:
    HWINEVENTHOOK hook_;
};

// Polls a condition (pumping nothing: the program is another process).
bool WaitUntil(const std::function<bool()>& condition, DWORD ms = 10000);

// The keys of the default section in file order, and one entry's value.
std::vector<std::string> Keys(const std::string& xml);
std::string Value(const std::string& xml, const std::string& key);

}  // namespace e2e
