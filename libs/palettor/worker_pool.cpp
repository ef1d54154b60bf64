// The worker pool and the lender of idle pools.
#include "worker_pool.h"

#include "spin_wait.h"

#include <sched.h>

#include <algorithm>
#include <chrono>

namespace palettor::detail {

namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

// How long a finished worker spins for the next job before anything else:
// a filter call's next pass comes within it.
constexpr microseconds kLinger(50);
// Shorter gaps belong to one burst of jobs, not to their pace.
constexpr microseconds kBurst(200);
// Gaps up to this are spun through however uneven.
constexpr milliseconds kSpinThrough(2);
// Ahead of the earliest gap and behind the latest: a timed sleep here wakes
// a steady 125 us (at most about 160 us) late.
constexpr microseconds kMargin(300);
// A timed sleep shorter than this is spun through instead.
constexpr milliseconds kShortestDoze(1);
// A longer gap is a pause in the jobs, not their pace.
constexpr std::chrono::seconds kPause(1);
constexpr int kLeastGaps = 4;

// The gate of a run: its generation (low 32 bits) above, then the closed
// bit, then the count of workers inside the job.
constexpr uint64_t kClosed = uint64_t(1) << 31;
constexpr uint64_t kInside = kClosed - 1;

uint64_t open_gate(uint64_t generation)
{
    return (generation & 0xFFFFFFFFu) << 32;
}

}  // namespace

// --- the pace of the jobs -------------------------------------------------------

void JobPace::learn(Duration idle)
{
    if (idle < kBurst) {
        return;
    }
    if (idle > kPause) {
        count_ = 0;
        next_ = 0;
        return;
    }
    gaps_[next_] = idle;
    next_ = (next_ + 1) % kKept;
    count_ = std::min(count_ + 1, kKept);
}

bool JobPace::watch(Duration* from, Duration* until) const
{
    if (count_ < kLeastGaps) {
        return false;
    }
    Duration sorted[kKept];
    std::copy(gaps_, gaps_ + count_, sorted);
    std::sort(sorted, sorted + count_);
    // One odd gap among many does not move the watch: the job after a short
    // one pays a wake-up rather than every job a longer spin, and a long one
    // does not make the pace look uneven.
    const int odd = count_ >= kKept / 2 ? 1 : 0;
    const Duration lo = sorted[odd];
    const Duration hi = sorted[count_ - 1 - odd];
    if (hi > kSpinThrough && hi > 2 * lo) {
        return false;
    }
    *from = std::max<Duration>(lo - kMargin, Duration::zero());
    // Lateness only costs when a job is late or the jobs stop: a wider
    // allowance than on the early side.
    *until = hi + kMargin + (hi - lo) / 4;
    return true;
}

// --- worker pool --------------------------------------------------------------

WorkerPool::WorkerPool(int count, const JobPace& pace) : pace_(pace), cpus_(static_cast<size_t>(std::max(count, 1)))
{
    for (std::atomic<int>& cpu : cpus_) {
        cpu.store(-1, std::memory_order_relaxed);
    }
    publish_watch();
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

void WorkerPool::publish_watch()
{
    JobPace::Duration from{}, until{};
    if (!pace_.watch(&from, &until)) {
        until = JobPace::Duration::zero();
    }
    watch_from_.store(from.count(), std::memory_order_relaxed);
    watch_until_.store(until.count(), std::memory_order_relaxed);
}

void WorkerPool::run(const std::function<void(int)>& job)
{
    if (threads_.empty()) {
        job(0);
        return;
    }
    if (last_end_ != Clock::time_point()) {
        pace_.learn(Clock::now() - last_end_);
        publish_watch();
    }
    job_ = &job;
    const uint64_t generation = generation_.load(std::memory_order_relaxed) + 1;
    gate_.store(open_gate(generation), std::memory_order_relaxed);
    // A worker counts itself resting before it checks the generation under
    // the lock, and the generation moves before the count is read here: a
    // worker is either seen resting and notified, or sees the new job.
    generation_.store(generation, std::memory_order_seq_cst);
    if (resting_.load(std::memory_order_seq_cst) > 0) {
        { std::lock_guard<std::mutex> guard(mutex_); }
        start_.notify_all();
    }
    cpus_[0].store(sched_getcpu(), std::memory_order_relaxed);
    job(0);
    // Workers that come later find the gate closed and leave the job alone;
    // the job shares its work out among those that came.
    if ((gate_.fetch_or(kClosed, std::memory_order_acq_rel) & kInside) != 0) {
        auto all_out = [this] { return (gate_.load(std::memory_order_acquire) & kInside) == 0; };
        if (!vybase::spin_until(all_out, kSpinThrough)) {
            std::unique_lock<std::mutex> guard(mutex_);
            done_.wait(guard, all_out);
        }
    }
    job_ = nullptr;
    last_end_ = Clock::now();
    finished_.store(generation, std::memory_order_release);
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

void WorkerPool::spread(int index)
{
    const int mine = sched_getcpu();
    cpus_[static_cast<size_t>(index)].store(mine, std::memory_order_relaxed);
    // Of two workers on one CPU the later in the pool moves; a worker on the
    // caller's moves.
    bool shared = false;
    for (int other = 0; other < index; ++other) {
        shared = shared || cpus_[static_cast<size_t>(other)].load(std::memory_order_relaxed) == mine;
    }
    cpu_set_t allowed;
    if (!shared || mine < 0 || sched_getaffinity(0, sizeof allowed, &allowed) != 0) {
        return;
    }
    auto taken = [&](int cpu) {
        for (const std::atomic<int>& other : cpus_) {
            if (other.load(std::memory_order_relaxed) == cpu) {
                return true;
            }
        }
        return false;
    };
    for (int step = 1; step < CPU_SETSIZE; ++step) {
        const int cpu = (mine + step) % CPU_SETSIZE;
        if (!CPU_ISSET(cpu, &allowed) || taken(cpu)) {
            continue;
        }
        // Pinned for the move only: the scheduler stays free to move it on.
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(cpu, &one);
        if (sched_setaffinity(0, sizeof one, &one) == 0) {
            sched_setaffinity(0, sizeof allowed, &allowed);
            cpus_[static_cast<size_t>(index)].store(cpu, std::memory_order_relaxed);
        }
        return;
    }
}

void WorkerPool::wait_for_job(int index, uint64_t seen)
{
    auto woken = [&] {
        return stop_.load(std::memory_order_seq_cst) || generation_.load(std::memory_order_seq_cst) != seen;
    };
    // The linger counts from the end of the whole run: the caller's share
    // and the others' last strips may end after this worker's.
    vybase::spin_until([&] { return finished_.load(std::memory_order_acquire) == seen || woken(); }, kSpinThrough);
    const Clock::time_point ended = Clock::now();
    if (vybase::spin_until(woken, kLinger)) {
        return;
    }
    const Clock::duration until(watch_until_.load(std::memory_order_relaxed));
    if (until > Clock::duration::zero()) {
        const Clock::time_point watch_from = ended + Clock::duration(watch_from_.load(std::memory_order_relaxed));
        const Clock::time_point watch_until = ended + until;
        if (watch_from - Clock::now() > kShortestDoze) {
            std::unique_lock<std::mutex> guard(mutex_);
            resting_.fetch_add(1, std::memory_order_seq_cst);
            const bool job = start_.wait_until(guard, watch_from, woken);
            resting_.fetch_sub(1, std::memory_order_relaxed);
            if (job) {
                return;
            }
        }
        spread(index);
        const Clock::duration left = watch_until - Clock::now();
        if (left > Clock::duration::zero() &&
            vybase::spin_until(woken, std::chrono::duration_cast<microseconds>(left))) {
            return;
        }
    }
    std::unique_lock<std::mutex> guard(mutex_);
    resting_.fetch_add(1, std::memory_order_seq_cst);
    asleep_.fetch_add(1, std::memory_order_release);
    start_.wait(guard, woken);
    asleep_.fetch_sub(1, std::memory_order_relaxed);
    resting_.fetch_sub(1, std::memory_order_relaxed);
}

void WorkerPool::loop(int index)
{
    uint64_t seen = 0;
    for (;;) {
        wait_for_job(index, seen);
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
