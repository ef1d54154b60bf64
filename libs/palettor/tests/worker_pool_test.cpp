// The filter engine's worker pools: the pace the workers watch for, jobs
// that complete whether the workers spin, sleep or come late, idle pools
// that fall asleep, and pools lent from one engine to the next.
#include "worker_pool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

using namespace palettor::detail;
using std::chrono::microseconds;
using std::chrono::milliseconds;

namespace {

JobPace pace_of(const std::vector<JobPace::Duration>& gaps)
{
    JobPace pace;
    for (JobPace::Duration gap : gaps) {
        pace.learn(gap);
    }
    return pace;
}

std::vector<JobPace::Duration> repeated(JobPace::Duration gap, int times)
{
    return std::vector<JobPace::Duration>(static_cast<size_t>(times), gap);
}

// 20 to 40 ms in steps, as frames from a jittery camera.
std::vector<JobPace::Duration> jittery()
{
    std::vector<JobPace::Duration> gaps;
    for (int i = 0; i < 16; ++i) {
        gaps.push_back(microseconds(20000 + (i * 7919) % 20000));
    }
    return gaps;
}

// Waits until the pool's workers all sleep with no timer.
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

TEST(job_pace, watches_only_a_known_and_even_pace)
{
    struct Case {
        const char* name;
        std::vector<JobPace::Duration> gaps;
        bool watched;
    };
    std::vector<JobPace::Duration> burst = repeated(microseconds(20), 12);
    burst.insert(burst.end(), 3, milliseconds(40));
    std::vector<JobPace::Duration> paused = repeated(milliseconds(40), 8);
    paused.push_back(std::chrono::seconds(3));
    paused.insert(paused.end(), 3, milliseconds(40));
    std::vector<JobPace::Duration> resumed = paused;
    resumed.push_back(milliseconds(40));
    std::vector<JobPace::Duration> uneven = repeated(milliseconds(20), 8);
    uneven.insert(uneven.end(), 8, milliseconds(45));
    std::vector<JobPace::Duration> short_uneven;
    for (int i = 0; i < 16; ++i) {
        short_uneven.push_back(microseconds(300 + 100 * i));
    }
    const Case cases[] = {
        {"nothing learnt", {}, false},
        {"three gaps", repeated(milliseconds(40), 3), false},
        {"four gaps", repeated(milliseconds(40), 4), true},
        {"25 fps", repeated(milliseconds(40), 16), true},
        {"20 to 40 ms", jittery(), true},
        {"bursts are not a pace", burst, false},
        {"a pause forgets", paused, false},
        {"and the pace is learnt again", resumed, true},
        {"more than twice as long", uneven, false},
        {"short gaps are spun through however uneven", short_uneven, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        JobPace::Duration from{}, until{};
        EXPECT_EQ(pace_of(c.gaps).watch(&from, &until), c.watched);
    }
}

TEST(job_pace, watch_covers_the_gaps_it_learnt)
{
    const std::vector<std::vector<JobPace::Duration>> paces = {repeated(milliseconds(40), 16), jittery(),
                                                               repeated(microseconds(1400), 16)};
    for (std::vector<JobPace::Duration> gaps : paces) {
        JobPace::Duration from{}, until{};
        ASSERT_TRUE(pace_of(gaps).watch(&from, &until));
        // All but the odd shortest and longest.
        std::sort(gaps.begin(), gaps.end());
        for (size_t i = 1; i + 1 < gaps.size(); ++i) {
            // A timed sleep wakes up to about 160 us late.
            EXPECT_LE(from + microseconds(160), gaps[i]);
            EXPECT_GT(until, gaps[i]);
        }
    }
    // A steady pace costs a short spin, not one as long as the gaps.
    JobPace::Duration from{}, until{};
    ASSERT_TRUE(pace_of(repeated(milliseconds(40), 16)).watch(&from, &until));
    EXPECT_LT(until - from, milliseconds(1));
}

TEST(job_pace, one_odd_gap_does_not_move_the_watch)
{
    std::vector<JobPace::Duration> gaps = repeated(milliseconds(40), 15);
    JobPace::Duration from{}, until{}, odd_from{}, odd_until{};
    ASSERT_TRUE(pace_of(gaps).watch(&from, &until));
    gaps.insert(gaps.begin() + 5, milliseconds(3));
    ASSERT_TRUE(pace_of(gaps).watch(&odd_from, &odd_until));
    EXPECT_EQ(odd_from, from);
    gaps.back() = milliseconds(300);
    ASSERT_TRUE(pace_of(gaps).watch(&odd_from, &odd_until));
    EXPECT_EQ(odd_until, until);
}

TEST(worker_pool, jobs_complete_whether_workers_spin_sleep_or_come_late)
{
    WorkerPool pool(4);
    DealtJob job;
    for (int i = 0; i < 50; ++i) {
        job.run_on(pool);  // one after the other: the workers spin
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

TEST(worker_pool, jobs_complete_while_workers_wait_on_the_pace)
{
    // The workers sleep on a timer until shortly before the next job is due,
    // then spin: here the jobs come at once, then after the watch is over.
    WorkerPool pool(3, pace_of(repeated(milliseconds(5), 16)));
    DealtJob job;
    job.run_on(pool);
    while (pool.resting() < pool.count() - 1) {
        std::this_thread::yield();
    }
    job.run_on(pool, DealtJob::kWaitForHelper);
    wait_until_asleep(pool);
    job.run_on(pool, DealtJob::kWaitForHelper);
    EXPECT_EQ(job.after_return.load(), 0);
}

TEST(worker_pool, an_idle_pool_falls_asleep_after_watching_for_a_job)
{
    for (const JobPace& pace : {JobPace(), pace_of(repeated(milliseconds(2), 16)),
                                pace_of(repeated(milliseconds(30), 16)), pace_of(jittery())}) {
        WorkerPool pool(4, pace);
        DealtJob job;
        job.run_on(pool);
        wait_until_asleep(pool);
        EXPECT_EQ(pool.resting(), pool.count() - 1);
    }
}

TEST(worker_pool, a_pool_stops_whatever_its_workers_wait_for)
{
    // A long pace: the workers sleep on a timer when the pool is destroyed.
    for (int jobs = 0; jobs < 3; ++jobs) {
        WorkerPool pool(3, pace_of(repeated(milliseconds(900), 16)));
        DealtJob job;
        for (int i = 0; i < jobs; ++i) {
            job.run_on(pool);
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
