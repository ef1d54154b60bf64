// CPU worker pools for the filter engine, and the lender that keeps idle
// pools alive between engines.
#pragma once

#include <stdint.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace palettor::detail {

// The caller runs share 0 itself and count - 1 threads run the others; one
// caller at a time. A worker done with its share sleeps until woken: between
// frames (10 to 50 a second, jittering as they come over a network) the
// workers cost no CPU. (A spin for the next job measured no faster, frames
// back to back, and cost CPU on every frame.) The caller wakes only workers
// that sleep. A wake-up takes the sleeper 0.1 to a few milliseconds on a
// busy machine, so a worker that is not in the run before the caller's
// share is done stays out of it: a job deals its work out to whoever asks.
class WorkerPool {
public:
    explicit WorkerPool(int count);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    int count() const { return static_cast<int>(threads_.size()) + 1; }
    // Runs job(0) on the caller and job(worker) on every worker that joins
    // in time; returns when all those are done.
    void run(const std::function<void(int)>& job);
    // Workers asleep that no job has woken yet.
    int asleep() const { return asleep_.load(std::memory_order_acquire); }

private:
    void loop(int index);
    // Waits until the generation moves past `seen` or the pool stops.
    void wait_for_job(uint64_t seen);
    // Joins the run of `generation` unless its caller has closed it.
    bool enter(uint64_t generation);

    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable start_;
    std::condition_variable done_;
    const std::function<void(int)>* job_ = nullptr;
    std::atomic<uint64_t> generation_{0};
    std::atomic<uint64_t> gate_{0};      // see worker_pool.cpp
    std::atomic<bool> stop_{false};
    std::atomic<int> asleep_{0};
    uint64_t wakes_ = 0;  // runs that woke sleepers, under mutex_
};

// A pool of `count` workers borrowed from the process's lender for the
// scope: an idle pool of that size when there is one, else a new one.
class BorrowedPool {
public:
    explicit BorrowedPool(int count);
    ~BorrowedPool();
    BorrowedPool(const BorrowedPool&) = delete;
    BorrowedPool& operator=(const BorrowedPool&) = delete;
    WorkerPool* operator->() const { return pool_.get(); }

private:
    std::unique_ptr<WorkerPool> pool_;
};

}  // namespace palettor::detail
