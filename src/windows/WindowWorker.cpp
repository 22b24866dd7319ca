#include "windows/WindowWorker.h"

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace window_worker {

namespace {

// Shared with the worker threads, which may outlive every caller: a thread
// held by a hung program is left behind at exit.
struct State {
    std::mutex lock;
    std::condition_variable idle;
    // The queued jobs of each target thread; an entry exists while its worker runs.
    std::map<DWORD, std::deque<std::function<void()>>> queues;
    int pending = 0;
};

std::shared_ptr<State> Shared() {
    static const std::shared_ptr<State> state = std::make_shared<State>();
    return state;
}

// Runs the queue of one target thread until it is empty, then ends.
void Drain(std::shared_ptr<State> state, DWORD targetThread) {
    for (;;) {
        std::function<void()> job;
        {
            std::lock_guard<std::mutex> hold(state->lock);
            auto& queue = state->queues[targetThread];
            if (queue.empty()) {
                state->queues.erase(targetThread);
                return;
            }
            job = std::move(queue.front());
            queue.pop_front();
        }
        try {
            job();
        } catch (...) {
            // A job that fails leaves its window as the program left it.
        }
        std::lock_guard<std::mutex> hold(state->lock);
        if (--state->pending == 0) state->idle.notify_all();
    }
}

}  // namespace

void Post(HWND wnd, std::function<void()> job) {
    DWORD targetThread = GetWindowThreadProcessId(wnd, nullptr);
    if (targetThread == 0) return;
    std::shared_ptr<State> state = Shared();
    bool start = false;
    {
        std::lock_guard<std::mutex> hold(state->lock);
        auto found = state->queues.find(targetThread);
        start = found == state->queues.end();
        state->queues[targetThread].push_back(std::move(job));
        ++state->pending;
    }
    if (start) std::thread(Drain, state, targetThread).detach();
}

bool WaitIdle(DWORD ms) {
    std::shared_ptr<State> state = Shared();
    std::unique_lock<std::mutex> hold(state->lock);
    return state->idle.wait_for(hold, std::chrono::milliseconds(ms), [&] { return state->pending == 0; });
}

int Pending() {
    std::shared_ptr<State> state = Shared();
    std::lock_guard<std::mutex> hold(state->lock);
    return state->pending;
}

}  // namespace window_worker
