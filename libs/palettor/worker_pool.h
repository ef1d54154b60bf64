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

// The caller runs share 0 itself and count - 1 threads run the others. A
// filter pass is several runs in a row, so a finished worker and a waiting
// caller spin a few tens of microseconds before they sleep: the next run (or
// the last share) is picked up at once instead of after a wake-up.
class WorkerPool {
public:
    explicit WorkerPool(int count);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    int count() const { return static_cast<int>(threads_.size()) + 1; }
    // Runs job(worker) for every worker and returns when all are done.
    void run(const std::function<void(int)>& job);

private:
    void loop(int index);

    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable start_;
    std::condition_variable done_;
    const std::function<void(int)>* job_ = nullptr;
    std::atomic<uint64_t> generation_{0};
    std::atomic<int> pending_{0};
    std::atomic<bool> stop_{false};
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
