// The filter engine's worker pools: jobs that complete whether the workers
// are busy, asleep or come late, idle pools that fall asleep, and pools lent
// from one engine to the next.
#include "worker_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using namespace palettor::detail;

namespace {

// Waits until the pool's workers all sleep.
void wait_until_asleep(const WorkerPool& pool)
{
    while (pool.asleep() < pool.count() - 1) {
        std::this_thread::yield();
    }
}

// Items dealt to whoever asks, as the filter deals its strips. Checks that
// each is done once and that no worker is still in the job when run returns.
struct DealtJob {
    enum Share {
        kShared,
        kCallerAlone,    // the others come too late or not at all
        kWaitForHelper,  // the caller waits for a worker: a lost wake-up hangs
    };
    static constexpr int kItems = 64;
    std::atomic<int> next{0};
    std::atomic<int> inside{0};
    std::atomic<int> helpers{0};
    std::atomic<int> done[kItems] = {};
    std::atomic<bool> returned{false};
    std::atomic<int> after_return{0};

    void run_on(WorkerPool& pool, Share share = kShared)
    {
        next = 0;
        helpers = 0;
        returned = false;
        for (std::atomic<int>& d : done) {
            d = 0;
        }
        pool.run([&](int worker) {
            if (returned) {
                ++after_return;
            }
            ++inside;
            if (worker != 0) {
                ++helpers;
            }
            if (share == kWaitForHelper && worker == 0) {
                while (helpers == 0) {
                    std::this_thread::yield();
                }
            }
            if (share != kCallerAlone || worker == 0) {
                for (int i; (i = next.fetch_add(1)) < kItems;) {
                    ++done[i];
                }
            }
            --inside;
        });
        returned = true;
        EXPECT_EQ(inside.load(), 0);
        for (int i = 0; i < kItems; ++i) {
            EXPECT_EQ(done[i].load(), 1) << i;
        }
    }
};

}  // namespace

TEST(worker_pool, jobs_complete_whether_workers_are_busy_asleep_or_come_late)
{
    WorkerPool pool(4);
    DealtJob job;
    for (int i = 0; i < 50; ++i) {
        job.run_on(pool);  // one after the other: workers still in the last one
    }
    for (DealtJob::Share share : {DealtJob::kWaitForHelper, DealtJob::kShared, DealtJob::kCallerAlone}) {
        wait_until_asleep(pool);
        job.run_on(pool, share);
    }
    for (int i = 0; i < 30; ++i) {
        job.run_on(pool, static_cast<DealtJob::Share>(i % 3));
    }
    EXPECT_EQ(job.after_return.load(), 0);
}

TEST(worker_pool, an_idle_pool_falls_asleep_and_stops_whatever_its_workers_do)
{
    // Destroyed with its workers asleep, just out of a job, or never used.
    for (int jobs = 0; jobs < 3; ++jobs) {
        WorkerPool pool(4);
        DealtJob job;
        for (int i = 0; i < jobs; ++i) {
            job.run_on(pool);
        }
        if (jobs == 1) {
            wait_until_asleep(pool);
            EXPECT_EQ(pool.asleep(), pool.count() - 1);
        }
    }
}

TEST(worker_pool, engines_borrow_idle_pools_of_their_size)
{
    // A size no other test uses, so the lender holds none of it yet.
    const int count = 6;
    WorkerPool* first = nullptr;
    WorkerPool* second = nullptr;
    {
        BorrowedPool a(count);
        first = a.operator->();
        EXPECT_EQ(first->count(), count);
        BorrowedPool b(count);  // a is lent out: another pool
        second = b.operator->();
        EXPECT_NE(first, second);
        DealtJob job;
        job.run_on(*first);
        job.run_on(*second);
    }
    BorrowedPool again(count);
    EXPECT_TRUE(again.operator->() == first || again.operator->() == second);
    BorrowedPool other(count - 1);
    EXPECT_EQ(other->count(), count - 1);
}
