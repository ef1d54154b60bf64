#include "frame_assembler.h"
#include "send_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

using namespace sockmesh::detail;

// Two callers push messages larger than the ring while the loop side drains
// it in small bites: each message must reach the reader whole, never mixed
// with the bytes of the other caller.
TEST(send_queue, concurrent_senders_keep_frames_whole)
{
    SendQueue queue(64, 4096);
    constexpr int kSenders = 2;
    constexpr int kMessages = 40;
    std::atomic<int> senders_done{0};
    std::vector<std::string> received;
    std::thread reader([&] {
        FrameAssembler assembler(256);
        char bite[16];
        for (;;) {
            bool finished = senders_done.load() == kSenders;
            queue.flush_rest();
            std::size_t count = queue.take(bite, sizeof(bite));
            if (count == 0) {
                if (finished) {
                    break;
                }
                std::this_thread::yield();
                continue;
            }
            assembler.append(bite, count);
            const char* payload = nullptr;
            uint32_t length = 0;
            while (assembler.next(&payload, &length)) {
                received.emplace_back(payload, length);
            }
        }
    });
    PushPolicy policy;
    policy.tries = 1000000;
    policy.wait_ms = 1;
    std::vector<std::thread> senders;
    for (int s = 0; s < kSenders; ++s) {
        senders.emplace_back([&, s] {
            for (int m = 0; m < kMessages; ++m) {
                std::string message(300, static_cast<char>('a' + s));
                EXPECT_TRUE(queue.push_message(
                    message.data(), message.size(), policy, [] {}, [] { return false; }));
            }
            ++senders_done;
        });
    }
    for (auto& sender : senders) {
        sender.join();
    }
    reader.join();
    ASSERT_EQ(received.size(), static_cast<std::size_t>(kSenders * kMessages));
    for (const std::string& message : received) {
        EXPECT_EQ(message, std::string(300, message[0]));
    }
}
