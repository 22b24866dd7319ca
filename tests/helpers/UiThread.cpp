#include "UiThread.h"

#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "HelperRequest.h"

namespace helper {
namespace {

constexpr UINT kRunJob = WM_APP + 1;
constexpr UINT kHang = WM_APP + 2;
constexpr char kControlClass[] = "PelmoraHelperControl";

struct JobCall {
    const UiThread::Job* job;
    std::string reply;
};

std::mutex registryLock;
std::map<DWORD, std::unique_ptr<UiThread>> registry;  // by thread id; never shrinks
UiThread* mainThread = nullptr;

}  // namespace

UiThread::UiThread()
    : entered_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      release_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

void UiThread::CreateControlWindow() {
    static ATOM atom = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = ControlProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kControlClass;
        return RegisterClassExA(&wc);
    }();
    (void)atom;
    threadId_ = GetCurrentThreadId();
    control_ = CreateWindowExA(0, kControlClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleA(nullptr), this);
}

UiThread& UiThread::StartMain() {
    std::unique_ptr<UiThread> thread(new UiThread);
    thread->CreateControlWindow();
    std::lock_guard lock(registryLock);
    mainThread = thread.get();
    return *(registry[thread->threadId_] = std::move(thread));
}

UiThread& UiThread::Spawn() {
    std::unique_ptr<UiThread> owned(new UiThread);
    UiThread* thread = owned.get();
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread([thread, ready] {
        thread->CreateControlWindow();
        SetEvent(ready);
        Pump();
    }).detach();
    WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
    std::lock_guard lock(registryLock);
    return *(registry[thread->threadId_] = std::move(owned));
}

UiThread& UiThread::Main() {
    std::lock_guard lock(registryLock);
    return *mainThread;
}

UiThread& UiThread::Of(HWND wnd) {
    DWORD id = GetWindowThreadProcessId(wnd, nullptr);
    std::lock_guard lock(registryLock);
    auto it = registry.find(id);
    return it == registry.end() ? *mainThread : *it->second;
}

std::string UiThread::Run(const Job& job) {
    JobCall call{&job, {}};
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(control_, kRunJob, 0, reinterpret_cast<LPARAM>(&call), SMTO_NORMAL, 5000,
                             &result))
        return "err the window's thread does not answer";
    return call.reply;
}

bool UiThread::Hang() {
    ResetEvent(release_);
    PostMessageA(control_, kHang, 0, 0);
    return WaitForSingleObject(entered_, 5000) == WAIT_OBJECT_0;
}

void UiThread::Pump() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

LRESULT CALLBACK UiThread::ControlProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<UiThread*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<UiThread*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
    if (msg == kRunJob) {
        auto* call = reinterpret_cast<JobCall*>(lParam);
        try {
            call->reply = (*call->job)();
        } catch (const std::exception& e) {
            call->reply = std::string("err ") + e.what();
        }
        return 1;
    }
    if (msg == kHang && self) {
        SetEvent(self->entered_);
        WaitForSingleObject(self->release_, INFINITE);
        ResetEvent(self->entered_);
        return 0;
    }
    return DefWindowProcA(wnd, msg, wParam, lParam);
}

}  // namespace helper
