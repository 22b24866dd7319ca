// A window of the test process that receives the hook library's notifications, as the
// main window does, and remembers them.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace hooktest {

struct Note {
    WPARAM code;
    HWND window;
};

class HookRecorder {
public:
    HookRecorder();
    ~HookRecorder();
    HookRecorder(const HookRecorder&) = delete;
    HookRecorder& operator=(const HookRecorder&) = delete;

    HWND Window() const { return window_; }

    // Pumps messages until `code` about `window` has arrived `count` times in all, or the
    // time is up; true if it has.
    bool WaitFor(WPARAM code, HWND window, int count = 1, DWORD ms = 5000);
    // Pumps messages for a while, so that late or repeated notifications arrive too.
    void Settle(DWORD ms = 300);

    int Count(WPARAM code, HWND window) const;
    // Every code received about `window`, with how often.
    std::map<WPARAM, int> CodesFor(HWND window) const;
    const std::vector<Note>& Notes() const { return notes_; }
    void Clear() { notes_.clear(); }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    UINT message_ = 0;
    HWND window_ = nullptr;
    std::vector<Note> notes_;
};

// Pumps the calling thread's messages for `ms` milliseconds.
void PumpFor(DWORD ms);

// A host path of this build as Wine sees it (Z:\...).
std::string WindowsPath(std::string path);

}  // namespace hooktest
