// CPU worker pools for the filter engine, and the lender that keeps idle
// pools alive between engines.
#pragma once

#include <stdint.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace palettor::detail {

// The pace of a pool's jobs, learnt from the idle time before each of the
// last sixteen, and when the workers should be awake for the next one. Gaps
// within a burst (a filter call's passes follow one another at once) and
// pauses longer than a second are not learnt; a pause forgets the pace.
class JobPace {
public:
    using Duration = std::chrono::steady_clock::duration;

    // The idle time between the end of a job and the start of the next.
    void learn(Duration idle);
    // From *from until *until after the end of a job, counted from that end,
    // the workers spin for the next: from shortly before the shortest gap to
    // a little after the longest (with eight gaps or more, one odd gap at
    // either end is left out). False while the pace is unknown (fewer than
    // four gaps) or uneven: gaps above 2 ms whose longest is more than twice
    // the shortest, where a worker would spin more than half of each gap.
    bool watch(Duration* from, Duration* until) const;

private:
    static constexpr int kKept = 16;
    Duration gaps_[kKept] = {};
    int count_ = 0;
    int next_ = 0;
};

// The caller runs share 0 itself and count - 1 threads run the others; one
// caller at a time. A worker spins until the whole run is over and a few
// tens of microseconds more, for the next pass of the same filter call.
// Then it waits as the pace of the jobs tells it: spinning straight on
// through gaps of a few milliseconds, or sleeping with a timeout until
// shortly before the next job is due and spinning from there until it comes
// or is clearly late; while the pace is unknown or uneven, and once the job
// is late, it sleeps until woken. The caller wakes only workers that sleep.
// A wake-up takes the sleeper 0.1 to a few milliseconds on a busy machine,
// so a worker that is not in the run before the caller's share is done
// stays out of it: a job deals its work out to whoever asks.
class WorkerPool {
public:
    explicit WorkerPool(int count, const JobPace& pace = JobPace());
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    int count() const { return static_cast<int>(threads_.size()) + 1; }
    // Runs job(0) on the caller and job(worker) on every worker that joins
    // in time; returns when all those are done.
    void run(const std::function<void(int)>& job);
    // Workers waiting for a job on a timer or until woken, and those waiting
    // with no timer, as the pool is when the jobs have stopped.
    int resting() const { return resting_.load(std::memory_order_acquire); }
    int asleep() const { return asleep_.load(std::memory_order_acquire); }

private:
    using Clock = std::chrono::steady_clock;

    void loop(int index);
    // Waits until the generation moves past `seen` or the pool stops.
    void wait_for_job(int index, uint64_t seen);
    // Where the scheduler does not spread woken threads over idle CPUs (no
    // shared-cache topology, as on some virtual machines), workers woken by
    // their timers pile up on one CPU and take turns instead of running
    // together: a worker about to spin moves off a CPU another member of the
    // pool was last seen on.
    void spread(int index);
    // Joins the run of `generation` unless its caller has closed it.
    bool enter(uint64_t generation);
    void publish_watch();

    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable start_;
    std::condition_variable done_;
    const std::function<void(int)>* job_ = nullptr;
    std::atomic<uint64_t> generation_{0};
    std::atomic<uint64_t> gate_{0};      // see worker_pool.cpp
    std::atomic<uint64_t> finished_{0};  // the last generation the caller saw done
    std::atomic<bool> stop_{false};
    std::atomic<int> resting_{0};
    std::atomic<int> asleep_{0};
    // The caller's side: the pace and the end of the last job.
    JobPace pace_;
    Clock::time_point last_end_{};
    // The pace's watch for the workers, in clock ticks after a job's end;
    // until 0 for none.
    std::atomic<int64_t> watch_from_{0};
    std::atomic<int64_t> watch_until_{0};
    std::vector<std::atomic<int>> cpus_;  // each member's last CPU, the caller's first; -1 unknown
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
