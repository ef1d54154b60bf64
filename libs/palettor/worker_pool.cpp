// The worker pool and the lender of idle pools.
#include "worker_pool.h"

#include "spin_wait.h"

#include <chrono>

namespace palettor::detail {

namespace {

// The longest the caller spins while the workers end their last strips of
// a run, before it sleeps on it: a strip is done in tens of microseconds,
// less than a wake-up costs.
constexpr std::chrono::microseconds kRunEnd(100);

// The gate of a run: its generation (low 32 bits) above, then the closed
// bit, then the count of workers inside the job.
constexpr uint64_t kClosed = uint64_t(1) << 31;
constexpr uint64_t kInside = kClosed - 1;

uint64_t open_gate(uint64_t generation)
{
    return (generation & 0xFFFFFFFFu) << 32;
}

}  // namespace

// --- worker pool --------------------------------------------------------------

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
    const uint64_t generation = generation_.load(std::memory_order_relaxed) + 1;
    gate_.store(open_gate(generation), std::memory_order_relaxed);
    // A worker counts itself asleep before it checks the generation under
    // the lock, and the generation moves before the count is read here: a
    // worker is either seen asleep and notified, or sees the new job.
    generation_.store(generation, std::memory_order_seq_cst);
    if (asleep_.load(std::memory_order_seq_cst) > 0) {
        {
            // Every worker counted sleeps in the wait, which this wakes: none
            // counts as asleep from here, though it may not run for a while.
            std::lock_guard<std::mutex> guard(mutex_);
            asleep_.store(0, std::memory_order_seq_cst);
            ++wakes_;
        }
        start_.notify_all();
    }
    job(0);
    // Workers that come later find the gate closed and leave the job alone;
    // the job shares its work out among those that came.
    if ((gate_.fetch_or(kClosed, std::memory_order_acq_rel) & kInside) != 0) {
        auto all_out = [this] { return (gate_.load(std::memory_order_acquire) & kInside) == 0; };
        if (!vybase::spin_until(all_out, kRunEnd)) {
            std::unique_lock<std::mutex> guard(mutex_);
            done_.wait(guard, all_out);
        }
    }
    job_ = nullptr;
}

bool WorkerPool::enter(uint64_t generation)
{
    uint64_t gate = gate_.load(std::memory_order_acquire);
    while (gate >> 32 == (generation & 0xFFFFFFFFu) && (gate & kClosed) == 0) {
        if (gate_.compare_exchange_weak(gate, gate + 1, std::memory_order_acq_rel, std::memory_order_acquire)) {
            return true;
        }
    }
    return false;
}

void WorkerPool::wait_for_job(uint64_t seen)
{
    auto woken = [&] {
        return stop_.load(std::memory_order_seq_cst) || generation_.load(std::memory_order_seq_cst) != seen;
    };
    std::unique_lock<std::mutex> guard(mutex_);
    asleep_.fetch_add(1, std::memory_order_seq_cst);
    const uint64_t wakes = wakes_;
    start_.wait(guard, woken);
    if (wakes_ == wakes) {
        // Not taken off the count by a run: the job came before the wait or
        // the pool stops.
        asleep_.fetch_sub(1, std::memory_order_relaxed);
    }
}

void WorkerPool::loop(int index)
{
    uint64_t seen = 0;
    for (;;) {
        wait_for_job(seen);
        if (stop_.load(std::memory_order_acquire)) {
            return;
        }
        seen = generation_.load(std::memory_order_acquire);
        if (!enter(seen)) {
            continue;
        }
        (*job_)(index);
        const uint64_t gate = gate_.fetch_sub(1, std::memory_order_acq_rel);
        if ((gate & kClosed) != 0 && (gate & kInside) == 1) {
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
