// The receive path without a camera: the newest-frame buffer grows up to its
// cap, and packets handed in directly reach their callbacks as the bytes say.
#include "net_video_stream.h"

#include "log_watch.h"
#include "stream_ir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

using namespace streamnet::detail;

namespace {

struct Seen {
    std::size_t length = 0;
    int calls = 0;
    static void on_frame(const void*, int32_t length, void* user)
    {
        auto* self = static_cast<Seen*>(user);
        self->length = static_cast<std::size_t>(length);
        ++self->calls;
    }
};

}  // namespace

TEST(frame_buffer, large_frames_grow_the_buffer_up_to_the_cap)
{
    NetVideoStreamIR stream;
    Seen seen;
    stream.frame_callback.set(Seen::on_frame, &seen);
    streamnet_test::LogWatch log;
    struct Case {
        std::size_t length;
        bool taken;
    };
    const Case cases[] = {
        {1, true}, {kFrameBufferInitial, true}, {kFrameBufferInitial + 1, true}, {kFrameBufferCap, true},
        {kFrameBufferCap + 1, false}, {0, false},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> frame(c.length, 0x5A);
        int calls = seen.calls;
        EXPECT_EQ(stream.on_recv_video_data(2, c.length > 0 ? frame.data() : nullptr, c.length), c.taken)
            << c.length;
        EXPECT_EQ(seen.calls, calls + (c.taken ? 1 : 0)) << c.length;
        if (c.taken) {
            EXPECT_EQ(seen.length, c.length);
        }
    }
    EXPECT_TRUE(log.saw("is above the 8388608-byte cap"));
    EXPECT_TRUE(log.saw("data's ptr is null, or data len is 0"));
}

namespace {

struct TemperatureFrames {
    std::vector<int32_t> byte_lengths;
    std::vector<float> first;
    static void on_frame(float* values, int32_t bytes, void* user)
    {
        auto* self = static_cast<TemperatureFrames*>(user);
        self->byte_lengths.push_back(bytes);
        self->first.push_back(bytes >= 4 ? values[0] : -1000.0f);
    }
};

std::vector<uint8_t> temperature_package(std::vector<uint8_t> payload)
{
    return build_packet(kDataPackage, 161, 134, 0, 0, payload.data(), payload.size());
}

}  // namespace

TEST(receive_path, temperature_frames_report_the_bytes_of_floats_written)
{
    NetVideoStreamIR stream;
    TemperatureFrames frames;
    stream.temperature_callback.set(TemperatureFrames::on_frame, &frames);
    struct Case {
        std::vector<uint8_t> payload;
        int32_t bytes;
    };
    // Before any description the firmware reads 0.0.0: little-endian values.
    const Case cases[] = {
        {{}, 0},
        {{0xB8}, 0},
        {{0xB8, 0x0B}, 4},
        {{0xB8, 0x0B, 0, 0, 0, 0, 0x11}, 12},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> packet = temperature_package(c.payload);
        stream.on_command_link_packet(packet.data(), packet.size());
    }
    ASSERT_EQ(frames.byte_lengths.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(frames.byte_lengths[i], cases[i].bytes) << i;
    }
    EXPECT_FLOAT_EQ(frames.first[2], 0.0f);
}

TEST(receive_path, refused_packages_call_nothing)
{
    NetVideoStreamIR stream;
    TemperatureFrames frames;
    stream.temperature_callback.set(TemperatureFrames::on_frame, &frames);
    streamnet_test::LogWatch log;
    std::vector<uint8_t> good = temperature_package({0xB8, 0x0B});
    std::vector<std::vector<uint8_t>> bad;
    bad.push_back(std::vector<uint8_t>(good.begin(), good.end() - 1));         // shorter than its total
    bad.push_back(build_packet(kDataPackage, 161, 134, 1, 0, "ab", 2));       // failure code
    bad.push_back(build_packet(kDataPackage, 161, 128, 0, 0, "ab", 2));       // no such package
    bad.push_back(build_packet(kDataPackage, 162, 134, 0, 0, "ab", 2));       // other group
    std::vector<uint8_t> claims_more = good;
    claims_more[22] = 9;                                                     // payload beyond total
    bad.push_back(claims_more);
    for (const auto& packet : bad) {
        stream.on_command_link_packet(packet.data(), packet.size());
    }
    EXPECT_TRUE(frames.byte_lengths.empty());
    EXPECT_TRUE(log.saw("total len = 30 is error"));
    EXPECT_TRUE(log.saw("uc_response_code = 1 is error"));
    EXPECT_TRUE(log.saw("on_data_package main_cmd = 161, vice cmd = 128 is error"));
    EXPECT_TRUE(log.saw("payload len = 9 is error"));
}

namespace {

// A temperature callback that blocks until released, and marks when it
// returns.
struct BlockingCallback {
    std::mutex mutex;
    std::condition_variable changed;
    bool entered = false;
    bool released = false;
    std::atomic<bool> returned{false};

    static void on_frame(float*, int32_t, void* user)
    {
        auto* self = static_cast<BlockingCallback*>(user);
        std::unique_lock<std::mutex> lock(self->mutex);
        self->entered = true;
        self->changed.notify_all();
        self->changed.wait(lock, [self] { return self->released; });
        self->returned = true;
    }
    template <class Predicate>
    void wait(Predicate predicate)
    {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, predicate);
    }
    void set(bool BlockingCallback::*flag)
    {
        std::lock_guard<std::mutex> lock(mutex);
        this->*flag = true;
        changed.notify_all();
    }
};

}  // namespace

TEST(callbacks, clearing_waits_for_a_running_callback_so_its_data_can_be_freed)
{
    // Repeated so that a clear that does not wait is caught even when the
    // clearing thread happens to run late.
    for (int round = 0; round < 10; ++round) {
        NetVideoStreamIR stream;
        auto user = std::make_unique<BlockingCallback>();
        BlockingCallback* callback = user.get();
        stream.temperature_callback.set(BlockingCallback::on_frame, callback);
        std::vector<uint8_t> packet = temperature_package({0xB8, 0x0B});
        std::thread link([&] { stream.on_command_link_packet(packet.data(), packet.size()); });
        callback->wait([&] { return callback->entered; });

        bool clearing = false;
        bool returned_before_clear_ended = false;
        std::mutex clearing_mutex;
        std::condition_variable clearing_changed;
        std::thread caller([&] {
            {
                std::lock_guard<std::mutex> lock(clearing_mutex);
                clearing = true;
            }
            clearing_changed.notify_all();
            stream.temperature_callback.set(nullptr, nullptr);
            returned_before_clear_ended = callback->returned.load();
            user.reset();  // the caller frees its data once the clear returned
        });
        {
            std::unique_lock<std::mutex> lock(clearing_mutex);
            clearing_changed.wait(lock, [&] { return clearing; });
        }
        callback->set(&BlockingCallback::released);
        caller.join();
        link.join();
        EXPECT_TRUE(returned_before_clear_ended) << round;
    }
}

TEST(callbacks, a_callback_may_clear_and_replace_its_own_slot)
{
    struct SelfClearing {
        NetVideoStreamIR* stream = nullptr;
        int calls = 0;
        static void on_frame(float*, int32_t, void* user)
        {
            auto* self = static_cast<SelfClearing*>(user);
            ++self->calls;
            self->stream->temperature_callback.set(nullptr, nullptr);
            self->stream->temperature_callback.set(on_frame, self);
        }
    };
    NetVideoStreamIR stream;
    SelfClearing self{&stream};
    stream.temperature_callback.set(SelfClearing::on_frame, &self);
    std::vector<uint8_t> packet = temperature_package({0xB8, 0x0B});
    stream.on_command_link_packet(packet.data(), packet.size());
    stream.on_command_link_packet(packet.data(), packet.size());
    EXPECT_EQ(self.calls, 2);
}
