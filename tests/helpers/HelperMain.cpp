// window_helper.exe: makes windows in its own process on request, for tests
// that must act on another program's windows. Protocol: HelperProtocol.h.
#include <windows.h>
#include <aclapi.h>
#include <commctrl.h>

#include <sstream>
#include <thread>
#include <vector>

#include "FakeTaskbar.h"
#include "HelperRequest.h"
#include "HelperWindows.h"
#include "UiThread.h"

namespace helper {
namespace {

UiThread& ThreadFor(const Request& request) {
    return request.Get("thread", "main") == "new" ? UiThread::Spawn() : UiThread::Main();
}

std::vector<HWND> HandleList(const std::string& text) {
    std::vector<HWND> out;
    std::istringstream items(text);
    std::string item;
    while (std::getline(items, item, ','))
        if (!item.empty()) out.push_back(ParseHandle(item));
    return out;
}

std::string Ok(const std::string& value = "") {
    return value.empty() ? "ok" : "ok " + value;
}

// An empty access list on the process: nobody else may open it, not even to
// ask its level, as with a program run at a level above the asker's.
std::string GuardProcess() {
    ACL empty;
    if (!InitializeAcl(&empty, sizeof empty, ACL_REVISION)) return "err InitializeAcl failed";
    DWORD result = SetSecurityInfo(GetCurrentProcess(), SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                   nullptr, &empty, nullptr);
    return result == ERROR_SUCCESS ? Ok() : "err SetSecurityInfo failed";
}

// Runs a job on the thread that owns the request's window.
template <typename F>
std::string OnWindowThread(const Request& request, const char* key, F job) {
    HWND wnd = request.Window(key);
    return UiThread::Of(wnd).Run([wnd, job] { return job(wnd); });
}

std::string Execute(const Request& r) {
    const std::string& verb = r.verb;
    if (verb == "pid") return Ok(std::to_string(GetCurrentProcessId()));
    if (verb == "guard") return GuardProcess();
    if (verb == "create")
        return ThreadFor(r).Run([&r] { return Ok(FormatHandle(CreateRequestedWindow(r))); });
    if (verb == "classicon")
        return OnWindowThread(r, "hwnd", [](HWND w) { return Ok(FormatHandle(ClassSmallIcon(w))); });
    if (verb == "show") {
        int cmd = static_cast<int>(r.Number("cmd", SW_SHOWNOACTIVATE));
        return OnWindowThread(r, "hwnd", [cmd](HWND w) { return Ok(ShowWindow(w, cmd) ? "1" : "0"); });
    }
    if (verb == "settext") {
        std::string title = r.Get("title");
        return OnWindowThread(r, "hwnd", [title](HWND w) {
            SetWindowTextA(w, title.c_str());
            return Ok();
        });
    }
    if (verb == "enable") {
        BOOL on = r.Number("on", 1) != 0;
        return OnWindowThread(r, "hwnd", [on](HWND w) {
            EnableWindow(w, on);
            return Ok();
        });
    }
    if (verb == "activate")
        return OnWindowThread(r, "hwnd", [](HWND w) { return Ok(SetForegroundWindow(w) ? "1" : "0"); });
    if (verb == "destroy")
        return OnWindowThread(r, "hwnd",
                              [](HWND w) { return DestroyWindow(w) ? Ok() : "err DestroyWindow failed"; });
    if (verb == "clicks")
        return OnWindowThread(r, "hwnd", [](HWND w) { return Ok(std::to_string(ClickCount(w))); });
    if (verb == "notify") {
        DWORD event = static_cast<DWORD>(r.Number("event", 0));
        return OnWindowThread(r, "hwnd", [event](HWND w) {
            NotifyWinEvent(event, w, OBJID_WINDOW, CHILDID_SELF);
            return Ok();
        });
    }
    if (verb == "hang") return UiThread::Of(r.Window("hwnd")).Hang() ? Ok() : "err the thread did not stop";
    if (verb == "unhang") {
        UiThread::Of(r.Window("hwnd")).Unhang();
        return Ok();
    }
    if (verb == "taskbar") {
        std::vector<HWND> buttons = HandleList(r.Get("buttons"));
        return ThreadFor(r).Run([buttons] {
            FakeTaskbar bar = CreateFakeTaskbar(buttons);
            return Ok(FormatHandle(bar.tray) + " " + FormatHandle(bar.toolbar));
        });
    }
    if (verb == "tbstates") return OnWindowThread(r, "toolbar", [](HWND w) { return Ok(ButtonStates(w)); });
    return "err unknown verb " + verb;
}

std::string Answer(const std::string& line) {
    try {
        return Execute(Request::Parse(line));
    } catch (const std::exception& e) {
        return std::string("err ") + e.what();
    }
}

bool ReadLine(HANDLE in, std::string& line) {
    line.clear();
    char c;
    DWORD got = 0;
    while (ReadFile(in, &c, 1, &got, nullptr) && got == 1) {
        if (c == '\n') return true;
        if (c != '\r') line += c;
    }
    return !line.empty();
}

void WriteLine(HANDLE out, std::string line) {
    for (char& c : line)
        if (c == '\n' || c == '\r') c = ' ';
    line += '\n';
    DWORD written = 0;
    WriteFile(out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

void ServeRequests() {
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    std::string line;
    while (ReadLine(in, line)) {
        if (line.rfind("quit", 0) == 0) {
            WriteLine(out, "ok");
            break;
        }
        if (!line.empty()) WriteLine(out, Answer(line));
    }
    ExitProcess(0);
}

}  // namespace
}  // namespace helper

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_COOL_CLASSES};
    InitCommonControlsEx(&icc);
    helper::UiThread::StartMain();
    std::thread(helper::ServeRequests).detach();
    helper::UiThread::Pump();
    return 0;
}
