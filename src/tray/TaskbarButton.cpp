#include "tray/TaskbarButton.h"

#include <commctrl.h>
#include <shobjidl.h>

#include "ui/Handles.h"
#include "windows/WindowText.h"

namespace {

// The records go into the taskbar's process in this build's layout: the button
// record first, the button-information record after it.
constexpr SIZE_T kRemoteSize = 4096;
constexpr SIZE_T kInfoOffset = sizeof(TBBUTTON);
static_assert(kInfoOffset + sizeof(TBBUTTONINFOA) <= kRemoteSize);

bool Ask(HWND toolbar, UINT msg, WPARAM wParam, LPARAM lParam, DWORD_PTR& result) {
    return SendMessageTimeoutA(toolbar, msg, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &result) !=
           0;
}

bool Ask(HWND toolbar, UINT msg, WPARAM wParam, void* remote) {
    DWORD_PTR ignored = 0;
    return Ask(toolbar, msg, wParam, reinterpret_cast<LPARAM>(remote), ignored);
}

template <typename T>
bool Write(HANDLE process, void* remote, const T& value) {
    return WriteProcessMemory(process, remote, &value, sizeof value, nullptr) != 0;
}

template <typename T>
bool Read(HANDLE process, const void* remote, T& value) {
    SIZE_T got = 0;
    return ReadProcessMemory(process, remote, &value, sizeof value, &got) && got == sizeof value;
}

// The window a button stands for: the first field of the taskbar's record.
HWND ButtonWindow(HANDLE process, void* remote, HWND toolbar, int position, TBBUTTON& button,
                  bool& answered) {
    button = TBBUTTON{};
    answered = Write(process, remote, button) && Ask(toolbar, TB_GETBUTTON, position, remote);
    HWND wnd = nullptr;
    if (!answered || !Read(process, remote, button) || !button.dwData) return nullptr;
    return Read(process, reinterpret_cast<const void*>(button.dwData), wnd) ? wnd : nullptr;
}

void SetButtonState(HANDLE process, char* remote, HWND toolbar, int command, bool visible) {
    TBBUTTONINFOA info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_STATE;
    info.fsState = visible ? TBSTATE_ENABLED : TBSTATE_HIDDEN;
    if (!Write(process, remote + kInfoOffset, info)) return;
    Ask(toolbar, TB_SETBUTTONINFOA, command, remote + kInfoOffset);
    Ask(toolbar, TB_AUTOSIZE, 0, nullptr);
}

// False when the taskbar's process cannot be reached: nothing was asked then.
bool SetToolbarButtons(HWND toolbar, HWND wnd, bool visible) {
    DWORD processId = 0;
    GetWindowThreadProcessId(toolbar, &processId);
    ui::OwnedHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    ui::RemoteMemory buffer(process.get(), kRemoteSize);
    if (!buffer) return false;
    auto* remote = static_cast<char*>(buffer.get());
    DWORD_PTR count = 0;
    if (!Ask(toolbar, TB_BUTTONCOUNT, 0, 0, count)) return true;
    for (int i = 0; i < static_cast<int>(count); ++i) {
        TBBUTTON button;
        bool answered = false;
        HWND owner = ButtonWindow(process.get(), remote, toolbar, i, button, answered);
        if (!answered) break;  // the taskbar stopped answering
        if (owner == wnd && wnd) SetButtonState(process.get(), remote, toolbar, button.idCommand, visible);
    }
    return true;
}

bool SetTab(HWND wnd, bool visible) {
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ITaskbarList* list = nullptr;
    bool done = SUCCEEDED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList,
                                           reinterpret_cast<void**>(&list)));
    if (done) {
        done = SUCCEEDED(list->HrInit()) && SUCCEEDED(visible ? list->AddTab(wnd) : list->DeleteTab(wnd));
        list->Release();
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return done;
}

}  // namespace

HWND FindTaskbarToolbar() {
    for (HWND tray = FindWindowExA(nullptr, nullptr, "Shell_TrayWnd", nullptr); tray;
         tray = FindWindowExA(nullptr, tray, "Shell_TrayWnd", nullptr)) {
        HWND rebar = FindWindowExA(tray, nullptr, "ReBarWindow32", nullptr);
        HWND tasks = rebar ? FindWindowExA(rebar, nullptr, "MSTaskSwWClass", nullptr) : nullptr;
        HWND toolbar = tasks ? FindWindowExA(tasks, nullptr, "ToolbarWindow32", nullptr) : nullptr;
        if (toolbar) return toolbar;
    }
    return nullptr;
}

TaskbarButtonMethod SetTaskbarButton(HWND wnd, bool visible) {
    HWND toolbar = FindTaskbarToolbar();
    if (toolbar && SetToolbarButtons(toolbar, wnd, visible)) return TaskbarButtonMethod::Toolbar;
    return SetTab(wnd, visible) ? TaskbarButtonMethod::TaskbarList : TaskbarButtonMethod::None;
}
