#include "FakeTaskbar.h"

#include <commctrl.h>

#include <deque>

#include "HelperRequest.h"

namespace helper {
namespace {

// The taskbar's record for a button: the window comes first, pointer-sized.
struct ButtonRecord {
    HWND wnd;
    void* unused[3];
};

std::deque<ButtonRecord> records;  // addresses stay valid for the helper's life

void RegisterPlainClass(const char* name) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = name;
    RegisterClassExA(&wc);  // fails harmlessly when registered already
}

HWND Child(const char* className, HWND parent) {
    HWND wnd = CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE, 0, 0, 400, 30, parent, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    if (!wnd) throw RequestError(std::string("cannot create ") + className);
    return wnd;
}

}  // namespace

FakeTaskbar CreateFakeTaskbar(const std::vector<HWND>& buttons) {
    RegisterPlainClass("Shell_TrayWnd");
    RegisterPlainClass("MSTaskSwWClass");
    FakeTaskbar bar;
    bar.tray = CreateWindowExA(WS_EX_TOOLWINDOW, "Shell_TrayWnd", "", WS_POPUP, 0, 0, 400, 30, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!bar.tray) throw RequestError("cannot create Shell_TrayWnd");
    HWND rebar = Child(REBARCLASSNAMEA, bar.tray);
    HWND tasks = Child("MSTaskSwWClass", rebar);
    bar.toolbar = Child(TOOLBARCLASSNAMEA, tasks);

    SendMessageA(bar.toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    std::vector<TBBUTTON> tb(buttons.size());
    for (size_t i = 0; i < buttons.size(); ++i) {
        records.push_back(ButtonRecord{buttons[i], {}});
        tb[i].iBitmap = I_IMAGENONE;
        tb[i].idCommand = static_cast<int>(1000 + i);
        tb[i].fsState = TBSTATE_ENABLED;
        tb[i].fsStyle = BTNS_BUTTON;
        tb[i].dwData = reinterpret_cast<DWORD_PTR>(&records.back());
        tb[i].iString = -1;
    }
    if (!tb.empty())
        SendMessageA(bar.toolbar, TB_ADDBUTTONSA, tb.size(), reinterpret_cast<LPARAM>(tb.data()));
    return bar;
}

std::string ButtonStates(HWND toolbar) {
    std::string out;
    LRESULT count = SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        TBBUTTON button{};
        SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        if (!out.empty()) out += ' ';
        out += std::to_string(button.fsState);
    }
    return out;
}

}  // namespace helper
