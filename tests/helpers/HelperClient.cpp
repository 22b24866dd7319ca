#include "HelperClient.h"

#include <stdexcept>

#include "HelperProtocol.h"

namespace helper {
namespace {

std::string Key(const char* key, const std::string& value) {
    return std::string(" ") + key + "=" + EncodeValue(value);
}
std::string Key(const char* key, HWND wnd) {
    return std::string(" ") + key + "=" + FormatHandle(wnd);
}

// Host paths (a Wine build) become Z: paths; Windows paths stay as they are.
std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::wstring FromAnsi(const std::string& ansi) {
    std::wstring text(ansi.size(), L'\0');
    text.resize(MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), text.data(),
                                    static_cast<int>(text.size())));
    return text;
}

std::string ToAnsi(const std::wstring& wide) {
    std::string text(wide.size() * 4, '\0');
    text.resize(WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                                    static_cast<int>(text.size()), nullptr, nullptr));
    return text;
}

}  // namespace

std::string HelperClient::DefaultExePath() {
    return WindowsPath(PELMORA_WINDOW_HELPER_EXE);
}

bool HelperClient::CopyHelperTo(const std::string& path) {
    return CopyHelperTo(FromAnsi(path));
}

bool HelperClient::CopyHelperTo(const std::wstring& path) {
    return CopyFileW(FromAnsi(DefaultExePath()).c_str(), path.c_str(), FALSE) != 0;
}

std::string HelperClient::ExePath() const {
    return ToAnsi(exePath_);
}

HelperClient::HelperClient(const std::string& exePath)
    : HelperClient(FromAnsi(exePath.empty() ? DefaultExePath() : exePath)) {}

HelperClient::HelperClient(const std::wstring& exePath) : exePath_(exePath) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE childIn = nullptr, childOut = nullptr;
    if (!CreatePipe(&childIn, &toHelper_, &inherit, 0) || !CreatePipe(&fromHelper_, &childOut, &inherit, 0))
        throw std::runtime_error("CreatePipe failed");
    SetHandleInformation(toHelper_, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(fromHelper_, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = childIn;
    si.hStdOutput = childOut;
    si.hStdError = childOut;
    PROCESS_INFORMATION pi{};
    std::wstring command = L"\"" + exePath_ + L"\"";
    // Wine now and then cannot start a process at all (it fails to map the
    // process's shared memory and reports ERROR_INTERNAL_ERROR): that is the
    // platform, not what is under test, so the start is tried again.
    BOOL started = FALSE;
    DWORD error = 0;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        started = CreateProcessW(exePath_.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                 &si, &pi);
        error = started ? 0 : GetLastError();
        if (error != ERROR_INTERNAL_ERROR) break;
    }
    CloseHandle(childIn);
    CloseHandle(childOut);
    if (!started) throw std::runtime_error("cannot start " + ExePath() + ", error " + std::to_string(error));
    CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    processId_ = pi.dwProcessId;
}

HelperClient::~HelperClient() {
    if (process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        DWORD written = 0;
        WriteFile(toHelper_, "quit\n", 5, &written, nullptr);
        if (WaitForSingleObject(process_, 5000) != WAIT_OBJECT_0) TerminateProcess(process_, 1);
    }
    for (HANDLE h : {toHelper_, fromHelper_, process_})
        if (h) CloseHandle(h);
}

std::string HelperClient::ReadReply() {
    DWORD deadline = GetTickCount() + 10000;
    for (;;) {
        size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            return line;
        }
        DWORD available = 0;
        if (!PeekNamedPipe(fromHelper_, nullptr, 0, nullptr, &available, nullptr))
            throw std::runtime_error("the helper has ended");
        if (available == 0) {
            if (static_cast<LONG>(GetTickCount() - deadline) > 0)
                throw std::runtime_error("the helper does not answer");
            Sleep(1);
            continue;
        }
        std::string chunk(available, '\0');
        DWORD got = 0;
        ReadFile(fromHelper_, chunk.data(), available, &got, nullptr);
        pending_.append(chunk, 0, got);
    }
}

std::vector<std::string> HelperClient::Send(const std::string& line) {
    std::string request = line + "\n";
    DWORD written = 0;
    if (!WriteFile(toHelper_, request.data(), static_cast<DWORD>(request.size()), &written, nullptr))
        throw std::runtime_error("cannot write to the helper");
    std::string reply = ReadReply();
    if (reply.rfind("ok", 0) != 0) throw std::runtime_error("helper: " + line + " -> " + reply);
    std::vector<std::string> values;
    size_t pos = 2;
    while (pos < reply.size()) {
        size_t next = reply.find(' ', pos + 1);
        if (next == std::string::npos) next = reply.size();
        if (next > pos + 1) values.push_back(reply.substr(pos + 1, next - pos - 1));
        pos = next;
    }
    return values;
}

HWND HelperClient::NewWindow(const WindowSpec& request) {
    std::string line = "create" + Key("title", request.title) + Key("classicon", request.classIcon) +
                       Key("show", request.show) + Key("style", std::to_string(request.style)) +
                       Key("exstyle", std::to_string(request.exStyle));
    if (!request.className.empty()) line += Key("class", request.className);
    if (request.owner) line += Key("owner", request.owner);
    if (request.parent) line += Key("parent", request.parent);
    if (request.ownThread) line += " thread=new";
    if (request.unicode) line += " unicode=1";
    return ParseHandle(Send(line).at(0));
}

HICON HelperClient::ClassSmallIcon(HWND wnd) {
    return ParseHandle<HICON>(Send("classicon" + Key("hwnd", wnd)).at(0));
}

bool HelperClient::Show(HWND wnd, int showCommand) {
    return Send("show" + Key("hwnd", wnd) + Key("cmd", std::to_string(showCommand))).at(0) == "1";
}

void HelperClient::SetText(HWND wnd, const std::string& title) {
    Send("settext" + Key("hwnd", wnd) + Key("title", title));
}

void HelperClient::Guard() {
    Send("guard");
}

void HelperClient::Enable(HWND wnd, bool on) {
    Send("enable" + Key("hwnd", wnd) + " on=" + (on ? "1" : "0"));
}

bool HelperClient::Activate(HWND wnd) {
    return Send("activate" + Key("hwnd", wnd)).at(0) == "1";
}

void HelperClient::Destroy(HWND wnd) {
    Send("destroy" + Key("hwnd", wnd));
}

int HelperClient::Clicks(HWND wnd) {
    return std::stoi(Send("clicks" + Key("hwnd", wnd)).at(0));
}

void HelperClient::Notify(HWND wnd, DWORD winEvent) {
    Send("notify" + Key("hwnd", wnd) + Key("event", std::to_string(winEvent)));
}

void HelperClient::Hang(HWND wnd) {
    Send("hang" + Key("hwnd", wnd));
}

void HelperClient::Unhang(HWND wnd) {
    Send("unhang" + Key("hwnd", wnd));
}

TaskbarChain HelperClient::MakeTaskbar(const std::vector<HWND>& buttons, bool ownThread) {
    std::string list;
    for (HWND wnd : buttons) list += (list.empty() ? "" : ",") + FormatHandle(wnd);
    std::vector<std::string> v = Send("taskbar buttons=" + list + (ownThread ? " thread=new" : ""));
    return {ParseHandle(v.at(0)), ParseHandle(v.at(1))};
}

std::vector<int> HelperClient::ButtonStates(HWND toolbar) {
    std::vector<int> states;
    for (const std::string& s : Send("tbstates" + Key("toolbar", toolbar))) states.push_back(std::stoi(s));
    return states;
}

}  // namespace helper
