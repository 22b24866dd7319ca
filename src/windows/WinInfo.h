// A snapshot of one window: its handle and depth, and its class name, title,
// owner, visibility and executable path, each read from the system on first
// demand and kept from then on. The handle is not owned.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class TWinInfo {
public:
    TWinInfo(HWND wnd, int level) : Wnd_(wnd), Level_(level) {}

    HWND Wnd() const { return Wnd_; }
    // 0 for a top-level window, one more per level of child enumeration.
    int Level() const { return Level_; }

    // Cached: read once, then kept even if the window changes.
    const std::string& GetWindowClassName();
    const std::string& GetTitle();
    HWND GetOwnerWnd();
    bool GetVisible();
    const std::wstring& GetFileName();
    DWORD GetProcessId();
    // Takes what never changes for a window, its class name and its process,
    // from an earlier snapshot of it where that one had read them.
    void TakeLastingFacts(const TWinInfo& earlier);

    // Always ask the system.
    std::string ReadWindowClassName() const;  // at most 79 bytes
    std::string ReadTitle() const;            // at most 254 bytes; never waits long
    HWND ReadOwnerWnd() const;
    bool ReadVisible() const;
    std::wstring ReadFileName() const;

private:
    HWND Wnd_;
    int Level_;
    std::string WindowClassName_;
    std::string Title_;
    HWND OwnerWnd_ = nullptr;
    bool Visible_ = false;
    std::wstring FileName_;
    bool classNameFetched_ = false;
    bool titleFetched_ = false;
    bool ownerFetched_ = false;
    bool visibleFetched_ = false;
    bool fileNameFetched_ = false;
    DWORD ProcessId_ = 0;
    bool processIdFetched_ = false;
};

// The owning list the enumeration fills.
using TWinInfoList = std::vector<std::unique_ptr<TWinInfo>>;

// Each snapshot in `now` takes the lasting facts of the snapshot of the same
// window in `earlier`: a refresh need not ask again what cannot have changed.
void TakeLastingFacts(const TWinInfoList& earlier, TWinInfoList& now);
