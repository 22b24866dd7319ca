// The test side of window_helper.exe: starts the helper, sends requests and
// hands back window handles. One client, one helper process; the destructor
// ends the process. Requests throw std::runtime_error on an "err" reply or
// when the helper does not answer within ten seconds.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace helper {

struct WindowSpec {
    std::string title{};
    std::string className{};           // empty: the helper's default class
    std::string classIcon = "custom";  // "custom", "app" or "none"
    HWND owner = nullptr;
    HWND parent = nullptr;        // set: a child window
    std::string show = "normal";  // "normal", "min", "max" or "hidden"
    bool ownThread = false;       // on a thread of its own (to be hung)
    bool unicode = false;         // a Unicode window, as most programs make (its title holds every script)
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
};

struct TaskbarChain {
    HWND tray = nullptr;
    HWND toolbar = nullptr;
};

class HelperClient {
public:
    // Starts the helper from exePath (ANSI code page); empty: the
    // window_helper.exe of this build.
    explicit HelperClient(const std::string& exePath = "");
    // Starts the helper from a path in any script.
    explicit HelperClient(const std::wstring& exePath);
    ~HelperClient();
    HelperClient(const HelperClient&) = delete;
    HelperClient& operator=(const HelperClient&) = delete;

    // The helper of this build (a Windows path).
    static std::string DefaultExePath();
    // Copies the helper to another path, so tests get windows of a process
    // with a chosen executable name.
    static bool CopyHelperTo(const std::string& path);
    static bool CopyHelperTo(const std::wstring& path);

    DWORD ProcessId() const { return processId_; }
    HANDLE Process() const { return process_; }
    std::string ExePath() const;  // in the ANSI code page
    const std::wstring& WideExePath() const { return exePath_; }

    // One raw request line; returns the values after "ok".
    std::vector<std::string> Send(const std::string& line);

    HWND NewWindow(const WindowSpec& request);
    // From now on no other process may open the helper's process.
    void Guard();
    HICON ClassSmallIcon(HWND wnd);
    bool Show(HWND wnd, int showCommand);
    void SetText(HWND wnd, const std::string& title);
    void Enable(HWND wnd, bool on);  // EnableWindow on the window's own thread
    bool Activate(HWND wnd);
    void Destroy(HWND wnd);
    int Clicks(HWND wnd);                   // mouse-button messages the window has received
    void Notify(HWND wnd, DWORD winEvent);  // raised by the window's own thread
    void Hang(HWND wnd);
    void Unhang(HWND wnd);
    TaskbarChain MakeTaskbar(const std::vector<HWND>& buttons, bool ownThread = false);
    std::vector<int> ButtonStates(HWND toolbar);

private:
    std::string ReadReply();

    std::wstring exePath_;
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    HANDLE toHelper_ = nullptr;
    HANDLE fromHelper_ = nullptr;
    std::string pending_;  // bytes read past the last reply
};

}  // namespace helper
