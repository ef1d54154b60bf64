// Row and column stripe removal, split into bands dealt out to the calling
// thread and the worker threads that come in time.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace framekit {
namespace detail {

class NoisePool {
public:
    // 0 workers: one per processor, at most 4 (else at most 255). A frame
    // uses no more of them than help a frame of its size.
    explicit NoisePool(unsigned workers = 0);
    ~NoisePool();
    NoisePool(const NoisePool&) = delete;
    NoisePool& operator=(const NoisePool&) = delete;

    // Starting twice is harmless; stop joins every worker.
    bool start();
    void stop();
    bool started() const;
    unsigned worker_count() const { return worker_count_; }

    // Estimates a correction per column and per row from the differences to
    // the near neighbours and adds both to every pixel, saturating at 0 and
    // 65535. False (plane untouched) below 33 x 9 pixels or when not started.
    bool filter(uint16_t* plane, uint16_t width, uint16_t height);

    // The same filter on the calling thread only.
    static bool filter_single(uint16_t* plane, uint16_t width, uint16_t height);

private:
    struct Pass {
        const uint16_t* plane = nullptr;
        uint16_t width = 0;
        uint16_t height = 0;
        int8_t* columns = nullptr;
        int8_t* rows = nullptr;
    };

    // `seen` is the generation at start: only later passes are run.
    void worker_loop(uint64_t seen);
    void dispatch(const Pass& pass);
    // Takes the next share of the pass of `generation` into *share; false
    // when none is left or that pass is over.
    bool claim(uint64_t generation, unsigned* share);
    // Runs shares of the pass of `generation` until none is left.
    void run_shares(uint64_t generation);

    unsigned worker_count_;
    std::vector<std::thread> threads_;
    std::vector<int8_t> column_corrections_;
    std::vector<int8_t> row_corrections_;
    std::mutex filter_mutex_;  // one filter call at a time

    mutable std::mutex mutex_;
    std::condition_variable work_ready_;
    std::condition_variable work_done_;
    Pass pass_;            // written before generation_ grows, read after a claim
    std::atomic<unsigned> shares_{0};  // of the pass, written before generation_ grows
    std::atomic<uint64_t> generation_{0};
    std::atomic<uint64_t> claim_{0};    // see noise_pool.cpp
    std::atomic<unsigned> pending_{0};  // shares not yet done
    std::atomic<bool> stopping_{false};
    bool started_ = false;
};

}  // namespace detail
}  // namespace framekit
