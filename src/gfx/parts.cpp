// SPDX-License-Identifier: GPL-3.0-or-later
#include "gfx/parts.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>

namespace orbisca::gfx {
namespace {

// One call's parts: the next part to take, and the first exception a part threw.
struct Job {
    const std::function<void(int)>* work = nullptr;
    int parts = 0;
    std::atomic<int> next{0};
    std::atomic<bool> failed{false};
    std::exception_ptr error;  // written once, by whoever sets failed first
    std::mutex errorLock;

    // Takes parts until none is left (or one has failed).
    void take() {
        for (int part; !failed.load(std::memory_order_relaxed) &&
                       (part = next.fetch_add(1, std::memory_order_relaxed)) < parts;) {
            try {
                (*work)(part);
            } catch (...) {
                const std::lock_guard<std::mutex> hold(errorLock);
                if (!error) error = std::current_exception();
                failed.store(true, std::memory_order_relaxed);
            }
        }
    }
};

class Worker {
public:
    Worker() : thread_([this] { loop(); }) {}
    ~Worker() {
        {
            const std::lock_guard<std::mutex> hold(lock_);
            quit_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    // Offers the job to the worker; false when it is busy with another one.
    bool offer(Job& job) {
        {
            const std::lock_guard<std::mutex> hold(lock_);
            if (offered_ || working_) return false;
            offered_ = &job;
        }
        wake_.notify_one();
        return true;
    }
    // Withdraws the job if the worker has not taken it yet, else waits until it is done with it.
    void withdraw() {
        std::unique_lock<std::mutex> hold(lock_);
        offered_ = nullptr;
        done_.wait(hold, [this] { return !working_; });
    }

private:
    void loop() {
        std::unique_lock<std::mutex> hold(lock_);
        while (true) {
            wake_.wait(hold, [this] { return offered_ || quit_; });
            if (quit_) return;
            Job* job = offered_;
            offered_ = nullptr;
            working_ = true;
            hold.unlock();
            job->take();
            hold.lock();
            working_ = false;
            done_.notify_all();
        }
    }

    std::mutex lock_;
    std::condition_variable wake_, done_;
    Job* offered_ = nullptr;  // a job the worker has not taken yet
    bool working_ = false;    // the worker is taking parts of a job
    bool quit_ = false;
    std::thread thread_;  // last: started once the state above is ready
};

Worker* sharedWorker() {
    static Worker* const worker =
        std::thread::hardware_concurrency() >= 2 ? new Worker : nullptr;  // kept to the end
    return worker;
}

}  // namespace

void runParts(int parts, const std::function<void(int part)>& work) {
    Job job;
    job.work = &work;
    job.parts = parts;
    Worker* worker = parts > 1 ? sharedWorker() : nullptr;
    const bool shared = worker && worker->offer(job);
    job.take();
    if (shared) worker->withdraw();
    if (job.error) std::rethrow_exception(job.error);
}

void runRowParts(int rows, int parts, const std::function<void(int first, int end)>& work) {
    parts = std::clamp(parts, 1, std::max(rows, 1));
    if (parts == 1) return work(0, rows);
    runParts(parts, [&](int part) {
        work(int(std::int64_t(rows) * part / parts), int(std::int64_t(rows) * (part + 1) / parts));
    });
}

}  // namespace orbisca::gfx
