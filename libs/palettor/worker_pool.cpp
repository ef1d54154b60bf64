// The worker pool and the lender of idle pools.
#include "worker_pool.h"

#include "spin_wait.h"

#include <chrono>

namespace palettor::detail {

namespace {

// How long a worker or the caller spins before it sleeps.
constexpr auto kSpin = std::chrono::microseconds(50);

}  // namespace

WorkerPool::WorkerPool(int count)
{
    for (int i = 1; i < count; ++i) {
        threads_.emplace_back(&WorkerPool::loop, this, i);
    }
}

WorkerPool::~WorkerPool()
{
    {
        std::lock_guard<std::mutex> guard(mutex_);
        stop_ = true;
    }
    start_.notify_all();
    for (std::thread& t : threads_) {
        t.join();
    }
}

void WorkerPool::run(const std::function<void(int)>& job)
{
    if (threads_.empty()) {
        job(0);
        return;
    }
    job_ = &job;
    pending_.store(static_cast<int>(threads_.size()), std::memory_order_relaxed);
    {
        // Under the lock, so a worker about to sleep either sees the new
        // generation or is already waiting for the notification.
        std::lock_guard<std::mutex> guard(mutex_);
        generation_.fetch_add(1, std::memory_order_release);
    }
    start_.notify_all();
    job(0);
    auto all_done = [this] { return pending_.load(std::memory_order_acquire) == 0; };
    if (!vybase::spin_until(all_done, kSpin)) {
        std::unique_lock<std::mutex> guard(mutex_);
        done_.wait(guard, all_done);
    }
    job_ = nullptr;
}

void WorkerPool::loop(int index)
{
    uint64_t seen = 0;
    auto woken = [&] { return stop_.load(std::memory_order_acquire) || generation_.load(std::memory_order_acquire) != seen; };
    for (;;) {
        if (!vybase::spin_until(woken, kSpin)) {
            std::unique_lock<std::mutex> guard(mutex_);
            start_.wait(guard, woken);
        }
        if (stop_.load(std::memory_order_acquire)) {
            return;
        }
        seen = generation_.load(std::memory_order_acquire);
        (*job_)(index);
        if (pending_.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            // Taking the lock orders this with a caller about to sleep.
            std::lock_guard<std::mutex> guard(mutex_);
            done_.notify_all();
        }
    }
}

// --- lending pools ------------------------------------------------------------

namespace {

// Worker pools outlive the engines: a picture that is opened gets an engine
// of its own, and starting and joining its threads every time costs more
// than filtering the picture. An engine borrows an idle pool of its size for
// one filter call and gives it back; a few idle pools are kept.
class PoolLender {
public:
    std::unique_ptr<WorkerPool> borrow(int count)
    {
        {
            std::lock_guard<std::mutex> guard(mutex_);
            for (auto it = idle_.begin(); it != idle_.end(); ++it) {
                if ((*it)->count() == count) {
                    std::unique_ptr<WorkerPool> pool = std::move(*it);
                    idle_.erase(it);
                    return pool;
                }
            }
        }
        return std::make_unique<WorkerPool>(count);
    }

    void give_back(std::unique_ptr<WorkerPool> pool)
    {
        std::unique_ptr<WorkerPool> surplus;  // joined outside the lock
        std::lock_guard<std::mutex> guard(mutex_);
        idle_.push_back(std::move(pool));
        if (idle_.size() > kKeptIdle) {
            surplus = std::move(idle_.front());
            idle_.erase(idle_.begin());
        }
    }

private:
    static constexpr size_t kKeptIdle = 4;
    std::mutex mutex_;
    std::vector<std::unique_ptr<WorkerPool>> idle_;
};

PoolLender& pool_lender()
{
    static PoolLender lender;  // its pools are joined at exit
    return lender;
}

}  // namespace

BorrowedPool::BorrowedPool(int count) : pool_(pool_lender().borrow(count)) {}

BorrowedPool::~BorrowedPool()
{
    pool_lender().give_back(std::move(pool_));
}

}  // namespace palettor::detail
