#include "windows/WindowWorker.h"

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

namespace window_worker {

namespace {

// The worker threads live as long as the process: under Wine, threads that
// start and end for every request were seen to stall each other at their
// start or end, so a request could wait for ever for a thread to run it.
// A thread takes the queue of one target thread at a time and runs it dry,
// so that requests for one window run in order; a thread held by a hung
// program holds only that program's queue, and a new thread is started when
// none is free. The state is shared with the threads, which may outlive
// every caller.
struct State {
    std::mutex lock;
    std::condition_variable work;  // a queue is ready
    std::condition_variable idle;  // nothing is pending
    std::map<DWORD, std::deque<std::function<void()>>> queues;  // by target thread
    std::set<DWORD> taken;       // target threads whose queue a worker is running
    std::deque<DWORD> ready;     // target threads with jobs and no worker
    int freeWorkers = 0;
    int pending = 0;
};

std::shared_ptr<State> Shared() {
    static const std::shared_ptr<State> state = std::make_shared<State>();
    return state;
}

// Runs the queue of `target` until it is empty; the lock is held on entry and exit.
void RunQueue(State& state, std::unique_lock<std::mutex>& hold, DWORD target) {
    for (;;) {
        auto queue = state.queues.find(target);
        if (queue == state.queues.end() || queue->second.empty()) {
            state.queues.erase(target);
            state.taken.erase(target);
            return;
        }
        std::function<void()> job = std::move(queue->second.front());
        queue->second.pop_front();
        hold.unlock();
        try {
            job();
        } catch (...) {
            // A job that fails leaves its window as the program left it.
        }
        hold.lock();
        if (--state.pending == 0) state.idle.notify_all();
    }
}

void Work(std::shared_ptr<State> state) {
    std::unique_lock<std::mutex> hold(state->lock);
    for (;;) {
        ++state->freeWorkers;
        state->work.wait(hold, [&] { return !state->ready.empty(); });
        --state->freeWorkers;
        DWORD target = state->ready.front();
        state->ready.pop_front();
        state->taken.insert(target);
        RunQueue(*state, hold, target);
    }
}

}  // namespace

void Post(HWND wnd, std::function<void()> job) {
    DWORD target = GetWindowThreadProcessId(wnd, nullptr);
    if (target == 0) return;
    std::shared_ptr<State> state = Shared();
    bool newWorker = false;
    {
        std::lock_guard<std::mutex> hold(state->lock);
        auto& queue = state->queues[target];
        bool waiting = !queue.empty() || state->taken.count(target) != 0;
        queue.push_back(std::move(job));
        ++state->pending;
        if (!waiting) {
            state->ready.push_back(target);
            // Free workers that a notification has not yet reached count once per ready queue.
            newWorker = state->freeWorkers < static_cast<int>(state->ready.size());
        }
    }
    if (newWorker)
        std::thread(Work, state).detach();
    else
        state->work.notify_one();
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
