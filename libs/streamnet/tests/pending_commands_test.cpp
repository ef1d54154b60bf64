// Commands waiting for their own answers.
#include "pending_commands.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using streamnet::detail::PendingCommands;

TEST(pending_commands, each_waiter_gets_its_own_answer)
{
    PendingCommands pending;
    const int waiters = 8;
    for (uint32_t s = 1; s <= waiters; ++s) {
        pending.add(s);
    }
    std::vector<int> results(waiters + 1, -1);
    std::vector<std::thread> threads;
    for (uint32_t s = 1; s <= waiters; ++s) {
        threads.emplace_back([&, s] { results[s] = pending.wait(s, 20000) ? 1 : 0; });
    }
    // Answers in reverse order; odd sequences fail.
    for (uint32_t s = waiters; s >= 1; --s) {
        EXPECT_TRUE(pending.complete(s, s % 2 == 0 ? PendingCommands::kSucceeded : PendingCommands::kFailed));
    }
    for (std::thread& t : threads) {
        t.join();
    }
    for (uint32_t s = 1; s <= waiters; ++s) {
        EXPECT_EQ(results[s], s % 2 == 0 ? 1 : 0) << s;
    }
    EXPECT_EQ(pending.size(), 0u);
}

TEST(pending_commands, a_timed_out_entry_is_removed_and_a_late_answer_finds_nothing)
{
    PendingCommands pending;
    pending.add(5);
    EXPECT_FALSE(pending.wait(5, 1));
    EXPECT_EQ(pending.size(), 0u);
    EXPECT_FALSE(pending.complete(5, PendingCommands::kSucceeded));
    EXPECT_EQ(pending.size(), 0u);
    // An answer to a command that never waited changes nothing either.
    EXPECT_FALSE(pending.complete(6, PendingCommands::kSucceeded));
    EXPECT_FALSE(pending.wait(6, 1));
}

TEST(pending_commands, close_wakes_every_waiter_at_once)
{
    PendingCommands pending;
    std::atomic<int> done{0};
    std::vector<std::thread> threads;
    for (uint32_t s = 1; s <= 4; ++s) {
        pending.add(s);
        threads.emplace_back([&, s] {
            // Far longer than the test may take: only close can end it.
            EXPECT_FALSE(pending.wait(s, 600000));
            ++done;
        });
    }
    pending.close();
    for (std::thread& t : threads) {
        t.join();
    }
    EXPECT_EQ(done.load(), 4);
    pending.reopen();
    pending.add(9);
    EXPECT_TRUE(pending.complete(9, PendingCommands::kSucceeded));
    EXPECT_TRUE(pending.wait(9, 1000));
}

TEST(pending_commands, a_dropped_link_fails_only_its_own_waiters_at_once)
{
    PendingCommands pending;
    pending.add(1, 0);
    pending.add(2, 1);
    pending.add(3, 1);
    std::vector<std::thread> threads;
    for (uint32_t s = 2; s <= 3; ++s) {
        // Far longer than the test may take: only the drop can end it.
        threads.emplace_back([&, s] { EXPECT_FALSE(pending.wait(s, 600000)); });
    }
    EXPECT_EQ(pending.fail_link(1), 2u);
    for (std::thread& t : threads) {
        t.join();
    }
    // The other link's command still takes its answer; a late answer on the
    // dropped link finds nothing.
    EXPECT_FALSE(pending.complete(2, PendingCommands::kSucceeded));
    EXPECT_EQ(pending.fail_link(1), 0u);
    EXPECT_TRUE(pending.complete(1, PendingCommands::kSucceeded));
    EXPECT_TRUE(pending.wait(1, 1000));
}
