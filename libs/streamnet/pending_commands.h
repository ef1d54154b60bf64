// Commands waiting for their answers, by sequence number. Each waiter waits
// for its own entry, so concurrent commands on one stream do not steal each
// other's answers, and closing wakes every waiter at once.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>

namespace streamnet {
namespace detail {

class PendingCommands {
public:
    static constexpr int kWaiting = 2;
    static constexpr int kSucceeded = 0;
    static constexpr int kFailed = 1;

    // `link` names the connection the request went out on.
    void add(uint32_t sequence, int link = 0);
    // Settles a waiting entry. False when there is none (no-wait command, or
    // its waiter gave up): the answer then changes nothing.
    bool complete(uint32_t sequence, int state);
    // Waits up to timeout_ms for the entry, removes it and returns whether it
    // succeeded. A missing entry, a time-out or closing fails.
    bool wait(uint32_t sequence, int timeout_ms);
    void remove(uint32_t sequence);

    // Fails the entries still waiting for an answer on `link`, which has
    // dropped: their waiters return at once instead of at their time-out.
    // Returns how many there were.
    std::size_t fail_link(int link);

    // Fails every present and future wait until reopen.
    void close();
    void reopen();

    std::size_t size();

private:
    std::mutex mutex_;
    std::condition_variable settled_;
    struct Entry {
        int state;
        int link;
    };
    std::map<uint32_t, Entry> states_;
    bool closed_ = false;
};

}  // namespace detail
}  // namespace streamnet
