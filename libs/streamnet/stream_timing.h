// Periods and time limits of the streams. Fixed by the protocol in use;
// tests shorten them to keep their runs short.
#pragma once

#include <atomic>

namespace streamnet {
namespace detail {

struct StreamTiming {
    std::atomic<int> ir_keep_alive_ms{5000};
    std::atomic<int> visible_keep_alive_ms{3000};
    // Upper bound of every command wait; 0 keeps each command's own wait.
    std::atomic<int> command_wait_cap_ms{0};
    // Until the first download chunk, and between later chunks.
    std::atomic<int> download_first_chunk_ms{11000};
    std::atomic<int> download_idle_ms{11000};
};

StreamTiming& stream_timing();

// A command's wait after the cap.
int capped_wait(int wait_ms);

}  // namespace detail
}  // namespace streamnet
