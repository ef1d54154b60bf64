#include "clipenc.h"
#include "sps_timing.h"

#include "stream_tools.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

using namespace clipenc_test;

namespace {

using std::chrono::seconds;

// The recorders' parameter block: {width, height, 0, 3, 3584000, 0, fps, 0}.
VyVideoEncodeParam recorder_param(int width, int height, int fps)
{
    return VyVideoEncodeParam{width, height, 0, 3, 3584000, 0, fps, 0};
}

struct Packet {
    std::string bytes;
    int flags;
    std::thread::id thread;
};

// Collects packets; `on_packet` runs inside the callback when set.
struct PacketLog {
    static void callback(const unsigned char* data, int size, int flags, void* user)
    {
        auto* self = static_cast<PacketLog*>(user);
        if (self->on_packet) {
            self->on_packet();
        }
        std::lock_guard<std::mutex> lock(self->mutex);
        self->packets.push_back({std::string(reinterpret_cast<const char*>(data), size), flags,
                                 std::this_thread::get_id()});
        self->changed.notify_all();
    }

    bool wait_count(std::size_t count)
    {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, seconds(20), [&] { return packets.size() >= count; });
    }

    std::string stream()
    {
        std::lock_guard<std::mutex> lock(mutex);
        std::string all;
        for (const Packet& p : packets) {
            all += p.bytes;
        }
        return all;
    }

    std::function<void()> on_packet;
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<Packet> packets;
};

// Log lines of the encoder; one process-wide sink because the log callback carries no user pointer.
struct LogSink {
    static void callback(int level, const char* text)
    {
        std::lock_guard<std::mutex> lock(instance().mutex);
        instance().lines.push_back(std::to_string(level) + " " + text);
    }
    static LogSink& instance()
    {
        static LogSink sink;
        return sink;
    }
    std::vector<std::string> take()
    {
        std::lock_guard<std::mutex> lock(mutex);
        std::vector<std::string> taken;
        taken.swap(lines);
        return taken;
    }
    std::mutex mutex;
    std::vector<std::string> lines;
};

std::vector<int> leading_types(const std::string& stream, std::size_t count)
{
    std::vector<int> types;
    for (const NalUnit& unit : nal_units(stream)) {
        if (types.size() == count) {
            break;
        }
        types.push_back(unit.type);
    }
    return types;
}

TEST(clipenc, round_trip_of_a_moving_pattern)
{
    const int width = 640, height = 480, frames = 100;
    PacketLog log;
    void* encoder = nullptr;
    ASSERT_TRUE(vy_video_encode_init(&encoder, PacketLog::callback, recorder_param(width, height, 25),
                                     LogSink::callback, &log));
    ASSERT_NE(encoder, nullptr);
    std::vector<std::vector<uint8_t>> inputs;
    for (int i = 0; i < frames; ++i) {
        inputs.push_back(moving_pattern(width, height, i));
        // The queue holds 8 frames; a refused frame is offered again once the encoder caught up.
        while (!vy_video_encode_data(encoder, inputs.back().data(), static_cast<int>(inputs.back().size()))) {
            ASSERT_TRUE(vy_video_encode_flush(encoder));
        }
    }
    ASSERT_TRUE(vy_video_encode_flush(encoder));
    ASSERT_TRUE(vy_video_encode_deinit(&encoder));
    EXPECT_EQ(encoder, nullptr);

    ASSERT_EQ(log.packets.size(), static_cast<std::size_t>(frames));
    EXPECT_EQ(log.packets[0].flags, VY_VIDEO_PACKET_KEY);
    for (const Packet& packet : log.packets) {
        EXPECT_NE(packet.thread, std::this_thread::get_id());
    }
    EXPECT_EQ(leading_types(log.stream(), 3), (std::vector<int>{7, 8, 5}));

    std::vector<Picture> pictures;
    ASSERT_TRUE(decode_stream(log.stream(), &pictures));
    ASSERT_EQ(pictures.size(), static_cast<std::size_t>(frames));
    double worst = 1000;
    for (int i = 0; i < frames; ++i) {
        ASSERT_EQ(pictures[i].width, width);
        ASSERT_EQ(pictures[i].height, height);
        worst = std::min(worst, rgb_psnr(pictures[i], inputs[i]));
    }
    EXPECT_GT(worst, 35.0);
}

// The recorders' H.264 file writer: its mutex is held around every encoder
// call and taken by the packet callback; packets go to the open file. A file
// switch flushes outside the lock, swaps the file under it and asks for a
// key frame.
class FileWriter {
public:
    static void on_packet(const unsigned char* data, int size, int flags, void* user)
    {
        auto* self = static_cast<FileWriter*>(user);
        std::lock_guard<std::mutex> lock(self->mutex_);
        if (self->open_) {
            self->files_.back().append(reinterpret_cast<const char*>(data), size);
            self->frames_in_file_.back() += 1;
        }
        (void)flags;
    }

    bool init(int width, int height, int fps, int key_seconds)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        VyVideoEncodeParam param = recorder_param(width, height, fps);
        param.key_seconds = key_seconds;
        return vy_video_encode_init(&encoder_, on_packet, param, LogSink::callback, this);
    }

    void open_file()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            files_.emplace_back();
            frames_in_file_.push_back(0);
            open_ = true;
        }
        vy_video_encode_force_key_frame(encoder_);
    }

    bool encode(const std::vector<uint8_t>& frame)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return vy_video_encode_data(encoder_, frame.data(), static_cast<int>(frame.size()));
    }

    bool close_file()
    {
        bool flushed = vy_video_encode_flush(encoder_);
        std::lock_guard<std::mutex> lock(mutex_);
        open_ = false;
        return flushed;
    }

    // Waits for the encoder after it refused a frame for a full queue.
    bool catch_up() { return vy_video_encode_flush(encoder_); }

    bool deinit() { return vy_video_encode_deinit(&encoder_); }

    const std::vector<std::string>& files() const { return files_; }
    const std::vector<int>& frames_in_file() const { return frames_in_file_; }

private:
    std::mutex mutex_;
    void* encoder_ = nullptr;
    bool open_ = false;
    std::vector<std::string> files_;
    std::vector<int> frames_in_file_;
};

TEST(clipenc, every_file_of_a_switched_run_starts_with_sps_pps_idr)
{
    // No periodic key frames: only the ones asked for at each open start a file.
    const int width = 320, height = 240;
    const int per_file[] = {23, 17, 31, 9};
    FileWriter writer;
    ASSERT_TRUE(writer.init(width, height, 25, 0));
    int frame = 0;
    for (std::size_t file = 0; file < 4; ++file) {
        writer.open_file();
        for (int i = 0; i < per_file[file]; ++i, ++frame) {
            std::vector<uint8_t> pixels = moving_pattern(width, height, frame);
            while (!writer.encode(pixels)) {
                ASSERT_TRUE(writer.catch_up());
            }
        }
        ASSERT_TRUE(writer.close_file());
    }
    ASSERT_TRUE(writer.deinit());

    ASSERT_EQ(writer.files().size(), 4u);
    for (std::size_t file = 0; file < 4; ++file) {
        SCOPED_TRACE("file " + std::to_string(file));
        EXPECT_EQ(writer.frames_in_file()[file], per_file[file]);
        EXPECT_EQ(leading_types(writer.files()[file], 3), (std::vector<int>{7, 8, 5}));
        std::vector<Picture> pictures;
        EXPECT_TRUE(decode_stream(writer.files()[file], &pictures));
        EXPECT_EQ(pictures.size(), static_cast<std::size_t>(per_file[file]));
    }
}

TEST(clipenc, declared_rate_is_in_every_sps_and_no_frame_is_skipped)
{
    // A tight bit rate and noise tempt an encoder to drop frames; every frame
    // must still come out as one packet.
    struct Case {
        int fps;
        int bit_rate;
        int frames;
    };
    const Case cases[] = {{1, 3584000, 3}, {25, 3584000, 5}, {50, 20000, 40}, {240, 3584000, 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE("fps " + std::to_string(c.fps));
        PacketLog log;
        void* encoder = nullptr;
        VyVideoEncodeParam param = recorder_param(96, 64, c.fps);
        param.bit_rate = c.bit_rate;
        ASSERT_TRUE(vy_video_encode_init(&encoder, PacketLog::callback, param, nullptr, &log));
        for (int i = 0; i < c.frames; ++i) {
            std::vector<uint8_t> pixels = noise_frame(96, 64, static_cast<uint32_t>(i));
            while (!vy_video_encode_data(encoder, pixels.data(), static_cast<int>(pixels.size()))) {
                ASSERT_TRUE(vy_video_encode_flush(encoder));
            }
        }
        ASSERT_TRUE(vy_video_encode_flush(encoder));
        ASSERT_TRUE(vy_video_encode_deinit(&encoder));
        EXPECT_EQ(log.packets.size(), static_cast<std::size_t>(c.frames));
        int sps_seen = 0;
        for (const NalUnit& unit : nal_units(log.stream())) {
            if (unit.type == 7) {
                double fps = 0;
                ++sps_seen;
                ASSERT_TRUE(clipenc::detail::sps_frame_rate(reinterpret_cast<const uint8_t*>(unit.bytes.data()),
                                                            unit.bytes.size(), &fps));
                EXPECT_EQ(fps, c.fps);
            }
        }
        EXPECT_GE(sps_seen, 1);
        std::vector<Picture> pictures;
        EXPECT_TRUE(decode_stream(log.stream(), &pictures));
        EXPECT_EQ(pictures.size(), static_cast<std::size_t>(c.frames));
    }
}

TEST(clipenc, init_failures_are_reported_not_fatal)
{
    struct Case {
        const char* name;
        VyVideoEncodeParam param;
    };
    const Case cases[] = {
        {"width 0", {0, 480, 0, 3, 3584000, 0, 25, 0}},
        {"width 1", {1, 480, 0, 3, 3584000, 0, 25, 0}},
        {"width 4097", {4097, 480, 0, 3, 3584000, 0, 25, 0}},
        {"negative height", {640, -480, 0, 3, 3584000, 0, 25, 0}},
        {"height 15", {640, 15, 0, 3, 3584000, 0, 25, 0}},
        {"4096 x 4096", {4096, 4096, 0, 3, 3584000, 0, 25, 0}},
        {"fps 0", {640, 480, 0, 3, 3584000, 0, 0, 0}},
        {"fps 241", {640, 480, 0, 3, 3584000, 0, 241, 0}},
        {"bit rate 0", {640, 480, 0, 3, 0, 0, 25, 0}},
        {"unknown input format", {640, 480, 1, 3, 3584000, 0, 25, 0}},
        {"negative key interval", {640, 480, 0, -1, 3584000, 0, 25, 0}},
    };
    LogSink::instance().take();
    for (const Case& c : cases) {
        void* encoder = reinterpret_cast<void*>(0x1);
        EXPECT_FALSE(vy_video_encode_init(&encoder, PacketLog::callback, c.param, LogSink::callback, nullptr))
            << c.name;
        EXPECT_EQ(encoder, nullptr) << c.name;
        std::vector<std::string> lines = LogSink::instance().take();
        ASSERT_FALSE(lines.empty()) << c.name;
        EXPECT_EQ(lines.back().rfind("4 ", 0), 0u) << lines.back();
        EXPECT_NE(lines.back().find("refused"), std::string::npos) << lines.back();
    }
    void* encoder = nullptr;
    EXPECT_FALSE(vy_video_encode_init(nullptr, PacketLog::callback, recorder_param(64, 64, 25), nullptr, nullptr));
    EXPECT_FALSE(vy_video_encode_init(&encoder, nullptr, recorder_param(64, 64, 25), nullptr, nullptr));
    EXPECT_EQ(encoder, nullptr);
}

TEST(clipenc, frames_refused_for_wrong_size_or_full_queue)
{
    PacketLog log;
    std::mutex gate_mutex;
    std::condition_variable gate_changed;
    bool entered = false;
    bool open = false;
    log.on_packet = [&] {
        std::unique_lock<std::mutex> lock(gate_mutex);
        entered = true;
        gate_changed.notify_all();
        gate_changed.wait(lock, [&] { return open; });
    };
    void* encoder = nullptr;
    ASSERT_TRUE(vy_video_encode_init(&encoder, PacketLog::callback, recorder_param(64, 48, 25),
                                     LogSink::callback, &log));
    std::vector<uint8_t> frame = moving_pattern(64, 48, 0);
    const int length = static_cast<int>(frame.size());
    LogSink::instance().take();
    EXPECT_FALSE(vy_video_encode_data(encoder, frame.data(), length - 4));
    EXPECT_FALSE(vy_video_encode_data(encoder, frame.data(), length + 4));
    EXPECT_FALSE(vy_video_encode_data(encoder, nullptr, length));
    EXPECT_EQ(LogSink::instance().take().size(), 3u);

    // The first frame holds the encoder thread in the callback; eight more fill the queue.
    ASSERT_TRUE(vy_video_encode_data(encoder, frame.data(), length));
    {
        std::unique_lock<std::mutex> lock(gate_mutex);
        ASSERT_TRUE(gate_changed.wait_for(lock, seconds(20), [&] { return entered; }));
    }
    for (int i = 0; i < 8; ++i) {
        EXPECT_TRUE(vy_video_encode_data(encoder, frame.data(), length)) << i;
    }
    EXPECT_FALSE(vy_video_encode_data(encoder, frame.data(), length));
    EXPECT_FALSE(vy_video_encode_data(encoder, frame.data(), length));
    EXPECT_EQ(LogSink::instance().take().size(), 1u);  // one line for the run of refusals
    {
        std::lock_guard<std::mutex> lock(gate_mutex);
        open = true;
    }
    gate_changed.notify_all();
    ASSERT_TRUE(vy_video_encode_flush(encoder));
    EXPECT_EQ(log.packets.size(), 9u);
    ASSERT_TRUE(vy_video_encode_deinit(&encoder));
}

TEST(clipenc, packet_callback_may_not_end_its_encoder)
{
    PacketLog log;
    void* encoder = nullptr;
    std::atomic<int> refused{0};
    log.on_packet = [&] {
        void* copy = encoder;
        refused += !vy_video_encode_flush(copy) ? 1 : 0;
        refused += !vy_video_encode_deinit(&copy) && copy == encoder ? 1 : 0;
    };
    ASSERT_TRUE(vy_video_encode_init(&encoder, PacketLog::callback, recorder_param(64, 48, 25), nullptr, &log));
    std::vector<uint8_t> frame = moving_pattern(64, 48, 0);
    ASSERT_TRUE(vy_video_encode_data(encoder, frame.data(), static_cast<int>(frame.size())));
    ASSERT_TRUE(vy_video_encode_flush(encoder));
    EXPECT_EQ(refused, 2);
    ASSERT_TRUE(vy_video_encode_deinit(&encoder));
}

TEST(clipenc, no_callback_after_deinit)
{
    // Each cycle's log is freed right after deinit; a late packet would write
    // into freed memory, which the sanitizer reports.
    std::vector<uint8_t> frame = moving_pattern(64, 48, 0);
    for (int cycle = 0; cycle < 20; ++cycle) {
        auto log = std::make_unique<PacketLog>();
        void* encoder = nullptr;
        ASSERT_TRUE(vy_video_encode_init(&encoder, PacketLog::callback, recorder_param(64, 48, 25), nullptr,
                                         log.get()));
        for (int i = 0; i < cycle % 6; ++i) {
            vy_video_encode_data(encoder, frame.data(), static_cast<int>(frame.size()));
        }
        ASSERT_TRUE(vy_video_encode_deinit(&encoder));
        std::size_t delivered = log->packets.size();
        EXPECT_LE(delivered, static_cast<std::size_t>(cycle % 6));
        log.reset();
    }
}

TEST(clipenc, handles_are_checked)
{
    std::vector<uint8_t> frame = moving_pattern(64, 48, 0);
    int foreign = 0;
    EXPECT_FALSE(vy_video_encode_data(nullptr, frame.data(), static_cast<int>(frame.size())));
    EXPECT_FALSE(vy_video_encode_data(&foreign, frame.data(), static_cast<int>(frame.size())));
    EXPECT_FALSE(vy_video_encode_force_key_frame(&foreign));
    EXPECT_FALSE(vy_video_encode_flush(nullptr));
    EXPECT_FALSE(vy_video_encode_deinit(nullptr));
    void* encoder = nullptr;
    EXPECT_FALSE(vy_video_encode_deinit(&encoder));
    PacketLog log;
    ASSERT_TRUE(vy_video_encode_init(&encoder, PacketLog::callback, recorder_param(64, 48, 25), nullptr, &log));
    void* copy = encoder;
    ASSERT_TRUE(vy_video_encode_deinit(&encoder));
    EXPECT_EQ(encoder, nullptr);
    EXPECT_FALSE(vy_video_encode_deinit(&copy));
    EXPECT_FALSE(vy_video_encode_data(copy, frame.data(), static_cast<int>(frame.size())));
}

}  // namespace
