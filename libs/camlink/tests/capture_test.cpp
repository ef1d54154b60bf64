// Init from generated files, the capture loop, frame delivery, the cache and
// the frame loaded into the device's framekit frame.
#include "device_fixture.h"

#include "basekit.h"
#include "framekit.h"
#include "test_pattern.h"

#include <atomic>

using namespace cltest;
using camlink::detail::kPatternBase;
namespace reg = camlink::detail::reg;

namespace {

constexpr uint16_t kWidth = 80;
constexpr uint16_t kHeight = 60;
constexpr std::size_t kPixels = kWidth * kHeight;

std::vector<uint16_t> decode(const std::vector<uint8_t>& raw)
{
    uint32_t length = 0;
    std::memcpy(&length, raw.data() + kPixels + 6, 4);
    std::vector<uint16_t> plane(kPixels);
    EXPECT_EQ(VY_OK, vy_high_low_uncompress(length, raw.data() + kPixels + 10, plane.data(), kPixels));
    return plane;
}

// Frames of the pattern in order: the AD of the first pixel of each.
std::vector<uint16_t> pattern_starts(int frames)
{
    camlink::detail::TestPattern pattern;
    std::vector<uint8_t> raw(6 * kPixels);
    std::vector<uint16_t> starts;
    for (int i = 0; i < frames; ++i) {
        EXPECT_GT(pattern.fill(raw.data(), raw.size(), kWidth, kHeight), 0u);
        starts.push_back(decode(raw)[0]);
    }
    return starts;
}

int frame_number(const std::vector<uint16_t>& starts, uint16_t first_ad, int from = 0)
{
    for (int i = from; i < static_cast<int>(starts.size()); ++i) {
        if (starts[i] == first_ad) {
            return i;
        }
    }
    return -1;
}

}  // namespace

TEST(capture_loop, init_reads_the_generated_files)
{
    Device device;
    uint16_t width = 0;
    uint16_t height = 0;
    ASSERT_TRUE(vy_dc_get_capture_resolution(device.handle, &width, &height));
    EXPECT_EQ(kWidth, width);
    EXPECT_EQ(kHeight, height);
    int32_t lenses[8];
    uint32_t count = 8;
    ASSERT_TRUE(vy_dc_get_supported_lens(device.handle, lenses, &count));
    ASSERT_EQ(2u, count);
    EXPECT_EQ(0, lenses[0]);
    EXPECT_EQ(1, lenses[1]);
    // The file's edges go to the device.
    EXPECT_EQ(2, device.bus->get(reg::kLeftEdge));
    EXPECT_EQ(1, device.bus->get(reg::kTopEdge));
}

TEST(capture_loop, init_fails_without_its_files)
{
    for (const char* missing : {"detector", "ad_temp"}) {
        Device device(false);
        std::filesystem::remove(device.dir.file(missing));
        EXPECT_FALSE(device.create()) << missing;
        // A failed init still hands out the handle for uninit.
        EXPECT_NE(nullptr, device.handle);
    }
}

TEST(capture_loop, a_frame_is_asked_for_before_capture_runs)
{
    Device device;
    LogWatch log;
    EXPECT_FALSE(vy_dc_capture_one_frame(device.handle));
    EXPECT_EQ(1, log.count("capture thread is not initialized"));
}

TEST(capture_loop, delivered_frames_carry_the_pattern)
{
    FrameCounter counter;
    Device device;
    counter.keep_first();
    ASSERT_TRUE(vy_dc_set_cb_one_frame_received(device.handle, FrameCounter::callback, &counter));
    ASSERT_TRUE(vy_dc_set_len_and_meas_range(device.handle, 0, 0));
    ASSERT_TRUE(counter.wait_for(3));
    EXPECT_EQ(kWidth, counter.size().first);
    EXPECT_EQ(kHeight, counter.size().second);
    std::vector<uint16_t> plane = decode(counter.last);
    // Every row is the same rotation of the ramp 16300 .. 16300 + width - 1.
    for (std::size_t y = 0; y < kHeight; ++y) {
        for (std::size_t x = 0; x < kWidth; ++x) {
            uint16_t ad = plane[y * kWidth + x];
            ASSERT_GE(ad, kPatternBase);
            ASSERT_LT(ad, kPatternBase + kWidth);
            ASSERT_EQ(plane[x], ad);
            ASSERT_EQ(counter.last[y * kWidth + x], static_cast<uint8_t>(ad - kPatternBase));
        }
    }
    uint16_t max_ad = 0;
    std::memcpy(&max_ad, counter.last.data() + kPixels + 2, 2);
    EXPECT_EQ(kPatternBase + kWidth, max_ad);

    // The newest frame reaches the framekit frame and can be coloured.
    ASSERT_TRUE(vy_dc_capture_one_frame(device.handle));
    std::vector<uint16_t> loaded(kPixels);
    ASSERT_TRUE(vy_ad_get_data(device.dev().frame(), loaded.data()));
    for (uint16_t ad : loaded) {
        ASSERT_GE(ad, kPatternBase);
        ASSERT_LT(ad, kPatternBase + kWidth);
    }
    std::vector<uint32_t> pixels(kPixels, 0);
    ASSERT_TRUE(vy_ad_get_bits(device.dev().frame(), pixels.data()));
    EXPECT_NE(pixels.front(), 0u);
}

TEST(capture_loop, flag_1_frames_are_decoded_on_arrival)
{
    // Both frame modes are indexed frames, so raw frames load in either.
    FrameCounter counter;
    Device device(true, 1);
    ASSERT_TRUE(vy_dc_set_cb_one_frame_received(device.handle, FrameCounter::callback, &counter));
    ASSERT_TRUE(vy_dc_set_len_and_meas_range(device.handle, 0, 0));
    ASSERT_TRUE(counter.wait_for(2));
    ASSERT_TRUE(vy_dc_capture_one_frame(device.handle));
    uint16_t ad = 0;
    ASSERT_TRUE(vy_ad_get_ad_from_position(device.dev().frame(), 40, 30, &ad));
    EXPECT_GE(ad, kPatternBase);
    EXPECT_LT(ad, kPatternBase + kWidth);
}

namespace {

struct Reentrant {
    void* handle = nullptr;
    std::atomic<int> loaded{0};
    std::atomic<int> failed{0};
    FrameCounter counter;
};

void capture_from_callback(void* user, const uint8_t* data, uint16_t width, uint16_t height)
{
    auto* r = static_cast<Reentrant*>(user);
    ++(vy_dc_capture_one_frame(r->handle) ? r->loaded : r->failed);
    // Uninit from the capture thread would join that thread: refused.
    void* copy = r->handle;
    if (vy_dc_uninit(&copy)) {
        ++r->failed;
    }
    r->counter.on_frame(data, width, height);
}

}  // namespace

TEST(capture_loop, the_callback_may_ask_for_the_frame)
{
    Reentrant r;
    Device device;
    r.handle = device.handle;
    ASSERT_TRUE(vy_dc_set_cb_one_frame_received(device.handle, capture_from_callback, &r));
    ASSERT_TRUE(vy_dc_set_len_and_meas_range(device.handle, 0, 0));
    ASSERT_TRUE(r.counter.wait_for(5));
    ASSERT_TRUE(vy_dc_set_cb_one_frame_received(device.handle, nullptr, nullptr));
    EXPECT_GE(r.loaded.load(), 5);
    EXPECT_EQ(0, r.failed.load());
}

namespace {

struct CacheProbe {
    void* handle = nullptr;
    void* frame = nullptr;
    std::mutex mutex;
    std::vector<std::pair<uint16_t, uint16_t>> seen;  // delivered, loaded
    FrameCounter counter;
};

void probe_cache(void* user, const uint8_t* data, uint16_t width, uint16_t height)
{
    auto* p = static_cast<CacheProbe*>(user);
    std::size_t n = static_cast<std::size_t>(width) * height;
    uint16_t delivered = static_cast<uint16_t>(data[-6 - static_cast<std::ptrdiff_t>(n)] + kPatternBase);
    uint16_t loaded = 0;
    if (vy_dc_capture_one_frame(p->handle)) {
        vy_ad_get_ad_from_position(p->frame, 0, 0, &loaded);
    }
    {
        std::lock_guard<std::mutex> lock(p->mutex);
        p->seen.emplace_back(delivered, loaded);
    }
    p->counter.on_frame(data, width, height);
}

}  // namespace

TEST(capture_loop, a_cache_of_four_delivers_once_four_frames_are_kept)
{
    CacheProbe probe;
    Device device;
    ASSERT_TRUE(vy_dc_set_len_and_meas_range(device.handle, 0, 0));
    probe.handle = device.handle;
    probe.frame = device.dev().frame();
    ASSERT_TRUE(vy_dc_set_frame_cache_count(device.handle, 4));
    ASSERT_TRUE(vy_dc_set_cb_one_frame_received(device.handle, probe_cache, &probe));
    ASSERT_TRUE(probe.counter.wait_for(6));
    ASSERT_TRUE(vy_dc_set_cb_one_frame_received(device.handle, nullptr, nullptr));

    // Each delivery loads the oldest of the four cached frames: at least
    // three frames older than the one delivered (more when the loop dropped
    // a frame between them, as it does around a sensor reset).
    std::vector<uint16_t> starts = pattern_starts(400);
    std::lock_guard<std::mutex> lock(probe.mutex);
    for (const auto& s : probe.seen) {
        int delivered = frame_number(starts, s.first, 3);
        ASSERT_GE(delivered, 3);
        int loaded = frame_number(starts, s.second);
        ASSERT_GE(loaded, 0);
        EXPECT_LE(loaded, delivered - 3);
    }
    // Without the cache the loaded frame is the delivered one.
    ASSERT_TRUE(vy_dc_set_frame_cache_count(device.handle, 0));
    ASSERT_TRUE(vy_dc_capture_one_frame(device.handle));
}

TEST(capture_loop, a_cache_not_yet_full_refuses_a_frame)
{
    FrameCounter counter;
    Device device;
    ASSERT_TRUE(vy_dc_set_len_and_meas_range(device.handle, 0, 0));
    ASSERT_TRUE(vy_dc_set_cb_one_frame_received(device.handle, FrameCounter::callback, &counter));
    ASSERT_TRUE(counter.wait_for(1));
    // With capture stopped at most one frame in flight reaches the cache.
    ASSERT_TRUE(vy_dc_disable_reboot_sys(device.handle));
    ASSERT_TRUE(vy_dc_set_frame_cache_count(device.handle, 200));  // held at 16
    LogWatch log;
    EXPECT_FALSE(vy_dc_capture_one_frame(device.handle));
    EXPECT_EQ(1, log.count("mus_buf_frame_cnt is 16"));
    ASSERT_TRUE(vy_dc_set_frame_cache_count(device.handle, 0));
    EXPECT_TRUE(vy_dc_capture_one_frame(device.handle));
}

TEST(capture_loop, a_thousand_pattern_frames_pass_without_a_reset)
{
    FrameCounter counter;
    Device device;
    ASSERT_TRUE(vy_dc_set_len_and_meas_range(device.handle, 0, 0));
    int commands_before = device.bus->writes(reg::kCommand);
    LogWatch log;
    ASSERT_TRUE(vy_dc_set_cb_one_frame_received(device.handle, FrameCounter::callback, &counter));
    ASSERT_TRUE(counter.wait_for(1000));
    EXPECT_FALSE(device.dev().reset_pending());
    EXPECT_EQ(commands_before, device.bus->writes(reg::kCommand));
    EXPECT_EQ(0, log.count("reset fpga"));
    EXPECT_EQ(0, log.count("fpga data wrong"));
}

TEST(capture_loop, the_pattern_stays_inside_its_row)
{
    // Over a whole cycle, every frame keeps its ADs within the announced
    // range, also where the start moves by two past the row's end.
    camlink::detail::TestPattern pattern;
    std::vector<uint8_t> raw(6 * kPixels);
    for (int f = 0; f < 3 * kWidth; ++f) {
        uint32_t length = pattern.fill(raw.data(), raw.size(), kWidth, kHeight);
        ASSERT_GT(length, 0u);
        ASSERT_TRUE(camlink::detail::compressed_frame_intact(raw.data() + kPixels + 10, length, kPixels));
        std::vector<uint16_t> plane = decode(raw);
        for (std::size_t i = 0; i < kPixels; ++i) {
            ASSERT_GE(plane[i], kPatternBase) << "frame " << f;
            ASSERT_LT(plane[i], kPatternBase + kWidth) << "frame " << f;
        }
    }
}

TEST(capture_loop, the_integrity_check)
{
    camlink::detail::TestPattern pattern;
    std::vector<uint8_t> raw(6 * kPixels);
    uint32_t length = pattern.fill(raw.data(), raw.size(), kWidth, kHeight);
    uint8_t* compressed = raw.data() + kPixels + 10;
    ASSERT_TRUE(camlink::detail::compressed_frame_intact(compressed, length, kPixels));
    // One flipped bit in a run count breaks the sum.
    compressed[kPixels] ^= 0x01;
    EXPECT_FALSE(camlink::detail::compressed_frame_intact(compressed, length, kPixels));
    compressed[kPixels] ^= 0x01;
    // Lengths outside N < L < 3N - 1034.
    for (uint32_t bad : {uint32_t(kPixels), uint32_t(3 * kPixels - 1034), uint32_t(0)}) {
        EXPECT_FALSE(camlink::detail::compressed_frame_intact(compressed, bad, kPixels)) << bad;
    }
}

TEST(capture_loop, disabling_the_capture_switch_stops_frames)
{
    FrameCounter counter;
    Device device;
    ASSERT_TRUE(vy_dc_set_cb_one_frame_received(device.handle, FrameCounter::callback, &counter));
    ASSERT_TRUE(vy_dc_set_len_and_meas_range(device.handle, 0, 0));
    ASSERT_TRUE(counter.wait_for(2));
    LogWatch log;
    ASSERT_TRUE(vy_dc_disable_reboot_sys(device.handle));
    EXPECT_EQ(1, log.count("disable_reboot_sys"));
    ASSERT_TRUE(vy_dc_enable_reboot_sys(device.handle));
    int before = counter.frames();
    ASSERT_TRUE(counter.wait_for(before + 3));
}

TEST(capture_loop, uninit_clears_the_handle_once)
{
    Device device;
    ASSERT_TRUE(vy_dc_set_len_and_meas_range(device.handle, 0, 0));
    void* copy = device.handle;
    EXPECT_TRUE(vy_dc_uninit(&device.handle));
    EXPECT_EQ(nullptr, device.handle);
    EXPECT_FALSE(vy_dc_uninit(&copy));
    EXPECT_FALSE(vy_dc_capture_one_frame(copy));
    void* none = nullptr;
    EXPECT_FALSE(vy_dc_uninit(&none));
    EXPECT_FALSE(vy_dc_init_cpu(&none, 0));
}
