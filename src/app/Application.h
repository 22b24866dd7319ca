// The application window: a hidden top-level window titled "Pelmora" that exists
// before the main window and carries the single-instance mark, and the message loop.
#pragma once
#include <windows.h>

#include "Identity.h"

class TApplication {
public:
    static constexpr const wchar_t* kClassName = identity::kApplicationClass;

    explicit TApplication(HINSTANCE instance);
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    HWND Handle() const { return wnd_; }
    void SetInstanceMark(const char* name, UINT_PTR mark);
    void RemoveInstanceMark(const char* name);
    // Runs until Terminate; returns the exit code.
    int Run();
    static void Terminate() { PostQuitMessage(0); }

private:
    HWND wnd_ = nullptr;
};
