// wirereel against the simulated camera on loopback. Tests wait on events
// with generous limits, never on time.
#include "wirereel.h"

#include "camera_sim.h"

#include "markpen.h"
#include "temp_dir.h"
#include "thermframe.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr auto kLimit = std::chrono::seconds(20);

// A camera with a moving test pattern: a ramp of 20 to 50 degrees and an
// 80-degree spot that moves 3 pixels a frame along the middle row.
camsim::CamsimOptions pattern_camera(int fps = 25)
{
    camsim::CamsimOptions options;
    options.address = "auto";
    options.source = "pattern";
    options.width = 160;
    options.height = 120;
    options.fps = fps;
    return options;
}

struct Camera {
    camsim::CameraSim sim;
    explicit Camera(const camsim::CamsimOptions& options)
    {
        std::string error;
        started = sim.start(options, &error);
        EXPECT_TRUE(started) << error;
    }
    bool started = false;
};

// What the callbacks saw; the counters are read by the test thread.
struct Seen {
    std::mutex mutex;
    std::condition_variable changed;
    int frames = 0;
    int disconnects = 0;
    std::thread::id frame_thread;
    std::thread::id disconnect_thread;
    bool one_thread = true;
    std::vector<uint16_t> last_frame;
    uint16_t width = 0;
    uint16_t height = 0;
    std::function<void()> on_disconnect;

    bool wait(const std::function<bool()>& predicate)
    {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, kLimit, predicate);
    }
    int frame_count()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return frames;
    }
    int disconnect_count()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return disconnects;
    }

    static void frame(void* user, uint16_t* plane, uint16_t w, uint16_t h)
    {
        auto* self = static_cast<Seen*>(user);
        {
            std::lock_guard<std::mutex> lock(self->mutex);
            if (self->frames > 0 && self->frame_thread != std::this_thread::get_id()) {
                self->one_thread = false;
            }
            self->frame_thread = std::this_thread::get_id();
            ++self->frames;
            self->last_frame.assign(plane, plane + static_cast<std::size_t>(w) * h);
            self->width = w;
            self->height = h;
        }
        self->changed.notify_all();
    }
    static void disconnected(void* user)
    {
        auto* self = static_cast<Seen*>(user);
        if (self->on_disconnect) {
            self->on_disconnect();
        }
        {
            std::lock_guard<std::mutex> lock(self->mutex);
            ++self->disconnects;
            self->disconnect_thread = std::this_thread::get_id();
        }
        self->changed.notify_all();
    }
};

// A connected stream with both callbacks registered.
struct Stream {
    void* handle = nullptr;
    Seen seen;
    Stream()
    {
        EXPECT_TRUE(wirereel_init(&handle));
        EXPECT_TRUE(wirereel_set_on_received_one_frame(handle, Seen::frame, &seen));
        EXPECT_TRUE(wirereel_set_cb_on_disconnected(handle, Seen::disconnected, &seen));
    }
    ~Stream()
    {
        if (handle != nullptr) {
            EXPECT_TRUE(wirereel_uninit(&handle));
        }
    }
    void* doc()
    {
        void* d = nullptr;
        EXPECT_TRUE(wirereel_get_ir_data(handle, d));
        return d;
    }
};

tagLenInfo current_lens(void* doc)
{
    tagLenInfo info{};
    EXPECT_TRUE(thermframe_get_cur_len_range_info(doc, &info));
    return info;
}

std::vector<std::pair<int, int>> commands_of(camsim::CameraSim& sim, int main_cmd)
{
    std::vector<std::pair<int, int>> out;
    for (const camsim::RequestRecord& r : sim.requests()) {
        if (r.main_cmd == main_cmd) {
            out.emplace_back(r.main_cmd, r.vice_cmd);
        }
    }
    return out;
}

bool starts_with_bytes(const std::string& path, const std::vector<unsigned char>& head)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        return false;
    }
    std::vector<unsigned char> bytes(head.size());
    const bool ok = std::fread(bytes.data(), 1, bytes.size(), f) == bytes.size() && bytes == head;
    std::fclose(f);
    return ok;
}

}  // namespace

TEST(wirereel, handles_are_checked)
{
    void* handle = nullptr;
    void* doc = nullptr;
    std::string text;
    int foreign = 0;
    EXPECT_FALSE(wirereel_init(nullptr));
    EXPECT_FALSE(wirereel_uninit(nullptr));
    EXPECT_FALSE(wirereel_uninit(&handle));
    EXPECT_FALSE(wirereel_connect(nullptr, "127.0.0.1"));
    EXPECT_FALSE(wirereel_get_ir_data(&foreign, doc));
    EXPECT_FALSE(wirereel_capture_one_frame(&foreign));

    ASSERT_TRUE(wirereel_init(&handle));
    void* kept = handle;
    // The document exists before any camera: the view may ask for it at once.
    EXPECT_TRUE(wirereel_get_ir_data(handle, doc));
    EXPECT_NE(doc, nullptr);
    EXPECT_FALSE(wirereel_capture_one_frame(handle));
    EXPECT_FALSE(wirereel_get_machine_hardware_version(handle, text));
    EXPECT_FALSE(wirereel_connect(handle, nullptr));
    EXPECT_FALSE(wirereel_connect(handle, ""));
    EXPECT_FALSE(wirereel_save_png_file_w(handle, L"/tmp/never.png", true, true));
    EXPECT_TRUE(wirereel_disconnect(handle));
    EXPECT_TRUE(wirereel_uninit(&handle));
    EXPECT_EQ(handle, nullptr);
    EXPECT_FALSE(wirereel_uninit(&kept));
    EXPECT_FALSE(wirereel_get_ir_data(kept, doc));
}

TEST(wirereel, no_camera_at_the_address_fails_the_connect)
{
    // A loopback address that nothing listens on refuses at once.
    Stream stream;
    EXPECT_FALSE(wirereel_connect(stream.handle, "127.77.13.1"));
    EXPECT_FALSE(wirereel_capture_one_frame(stream.handle));
    EXPECT_EQ(stream.seen.disconnect_count(), 0);
}

TEST(wirereel, frames_reach_the_document_from_the_library_thread)
{
    const int kFrames = 50;  // two seconds of the camera's 25 frames a second
    camsim::CamsimOptions options = pattern_camera();
    options.frame_limit = kFrames;
    Camera camera(options);
    ASSERT_TRUE(camera.started);
    Stream stream;
    ASSERT_TRUE(wirereel_connect(stream.handle, camera.sim.address().c_str()));

    // The document has the camera's size before the first frame.
    void* doc = stream.doc();
    uint16_t width = 0;
    uint16_t height = 0;
    ASSERT_TRUE(thermframe_get_resolution(doc, width, height));
    EXPECT_EQ(width, 160);
    EXPECT_EQ(height, 120);

    ASSERT_TRUE(camera.sim.wait_for([&](const camsim::CamsimStats& s) { return s.frames >= kFrames; }));
    // The last frame the camera sent is the last one announced. Its spot
    // covers x - 7 to x + 7, that of the one before x - 10 to x + 4.
    const uint16_t last_spot_x = (kFrames - 1) * 3 % 160;
    ASSERT_TRUE(stream.seen.wait([&] {
        if (stream.seen.last_frame.size() != 160u * 120u) {
            return false;
        }
        const uint16_t* row = &stream.seen.last_frame[60 * 160];
        return row[last_spot_x + 6] > row[last_spot_x - 8];
    }));
    {
        // Frames sent while the connect was still finishing are not
        // announced, and a loaded machine may make the callback thread skip
        // to the newest; most frames still come through one by one.
        std::lock_guard<std::mutex> lock(stream.seen.mutex);
        EXPECT_GE(stream.seen.frames, kFrames / 2);
        EXPECT_TRUE(stream.seen.one_thread);
        EXPECT_NE(stream.seen.frame_thread, std::this_thread::get_id());
        EXPECT_LE(stream.seen.frames, kFrames);
        EXPECT_EQ(stream.seen.width, 160);
        EXPECT_EQ(stream.seen.height, 120);
    }

    ASSERT_TRUE(wirereel_capture_one_frame(stream.handle));
    // The document holds the last frame.
    float t = 0.0f;
    ASSERT_TRUE(thermframe_get_temp_from_position(doc, last_spot_x + 6, 60, t));
    EXPECT_GT(t, 70.0f);
    ASSERT_TRUE(thermframe_get_temp_from_position(doc, last_spot_x - 8, 60, t));
    EXPECT_LT(t, 70.0f);
    uint16_t x = 0;
    uint16_t y = 0;
    uint16_t ad = 0;
    float hottest = 0.0f;
    float coldest = 0.0f;
    ASSERT_TRUE(thermframe_get_max_temp(doc, x, y, ad, hottest));
    // The camera's temperatures come back through the document's calibration.
    EXPECT_NEAR(hottest, 80.0f, 0.3f);
    ASSERT_TRUE(thermframe_get_min_temp(doc, x, y, ad, coldest));
    EXPECT_NEAR(coldest, 20.0f, 0.3f);

    // The painter shows the captured frame and saves it.
    void* painter = nullptr;
    ASSERT_TRUE(wirereel_get_ir_paint(stream.handle, painter));
    ASSERT_TRUE(markpen_update(painter, true, false));
    vytest::TempDir temp("wirereel-test");
    const std::string png = temp.file("frame.png");
    const std::string jpg = temp.file("frame.jpg");
    EXPECT_TRUE(wirereel_save_png_file_w(stream.handle, std::wstring(png.begin(), png.end()), true, true));
    EXPECT_TRUE(wirereel_save_jpg_file_w(stream.handle, std::wstring(jpg.begin(), jpg.end()), true, true));
    EXPECT_TRUE(starts_with_bytes(png, {0x89, 'P', 'N', 'G'}));
    EXPECT_TRUE(starts_with_bytes(jpg, {0xFF, 0xD8}));

    // A requested disconnect is no drop.
    EXPECT_TRUE(wirereel_disconnect(stream.handle));
    EXPECT_TRUE(wirereel_disconnect(stream.handle));
    EXPECT_EQ(stream.seen.disconnect_count(), 0);
}

TEST(wirereel, a_dropped_camera_is_reported_and_the_same_handle_reconnects)
{
    Camera camera(pattern_camera());
    ASSERT_TRUE(camera.started);
    const std::string address = camera.sim.address();
    Stream stream;
    std::atomic<bool> disconnect_inside{false};
    std::atomic<bool> uninit_inside{true};
    stream.seen.on_disconnect = [&] {
        void* copy = stream.handle;
        uninit_inside = wirereel_uninit(&copy);
        // The view's handler disconnects from inside the callback.
        disconnect_inside = wirereel_disconnect(stream.handle);
    };
    ASSERT_TRUE(wirereel_connect(stream.handle, address.c_str()));
    ASSERT_TRUE(stream.seen.wait([&] { return stream.seen.frames >= 3; }));

    // The camera goes away mid-stream.
    camera.sim.stop();
    ASSERT_TRUE(stream.seen.wait([&] { return stream.seen.disconnects >= 1; }));
    EXPECT_TRUE(disconnect_inside);
    EXPECT_FALSE(uninit_inside);
    {
        std::lock_guard<std::mutex> lock(stream.seen.mutex);
        EXPECT_EQ(stream.seen.disconnect_thread, stream.seen.frame_thread);
    }

    // It comes back at the same address; the same handle connects again.
    camsim::CamsimOptions again = pattern_camera();
    again.address = address;
    std::string error;
    ASSERT_TRUE(camera.sim.start(again, &error)) << error;
    ASSERT_TRUE(wirereel_connect(stream.handle, address.c_str()));
    const int before = stream.seen.frame_count();
    ASSERT_TRUE(stream.seen.wait([&] { return stream.seen.frames >= before + 3; }));
    EXPECT_TRUE(wirereel_capture_one_frame(stream.handle));

    // Both links dropped, one callback; the requested disconnect adds none.
    EXPECT_TRUE(wirereel_disconnect(stream.handle));
    EXPECT_EQ(stream.seen.disconnect_count(), 1);
}

TEST(wirereel, lens_and_range_switches_reach_the_camera_and_the_document)
{
    Camera camera(pattern_camera());
    ASSERT_TRUE(camera.started);
    Stream stream;
    ASSERT_TRUE(wirereel_connect(stream.handle, camera.sim.address().c_str()));
    void* doc = stream.doc();
    EXPECT_EQ(current_lens(doc).ranges[0].meas_range, 0);

    // Range 1 of lens 0, then lens 1: the camera answers and the document follows.
    ASSERT_TRUE(wirereel_set_len_and_meas_range(stream.handle, 0, 1));
    EXPECT_EQ(camera.sim.model().meas_range, 1);
    EXPECT_EQ(current_lens(doc).len_type, 0);
    EXPECT_EQ(current_lens(doc).ranges[0].meas_range, 1);
    ASSERT_TRUE(wirereel_set_len_and_meas_range(stream.handle, 1, 0));
    EXPECT_EQ(camera.sim.model().lens_index, 1);
    EXPECT_EQ(current_lens(doc).len_type, 1);
    EXPECT_EQ(current_lens(doc).ranges[0].meas_range, 0);

    // A pair the camera does not list is refused without a request.
    const std::size_t requests = commands_of(camera.sim, 163).size();
    EXPECT_FALSE(wirereel_set_len_and_meas_range(stream.handle, 1, 2));
    EXPECT_FALSE(wirereel_set_len_and_meas_range(stream.handle, 7, 0));
    EXPECT_EQ(commands_of(camera.sim, 163).size(), requests);
    EXPECT_EQ(camera.sim.model().lens_index, 1);

    // The camera switches on its own: the document follows by a later frame.
    camera.sim.broadcast_range(0, 1);
    int frames = stream.seen.frame_count();
    bool followed = false;
    for (int i = 0; i < 100 && !followed; ++i) {
        ASSERT_TRUE(stream.seen.wait([&] { return stream.seen.frames > frames; }));
        frames = stream.seen.frame_count();
        ASSERT_TRUE(wirereel_capture_one_frame(stream.handle));
        const tagLenInfo info = current_lens(doc);
        followed = info.len_type == 0 && info.ranges[0].meas_range == 1;
    }
    EXPECT_TRUE(followed);
}

TEST(wirereel, lens_motors_and_correction_are_camera_commands)
{
    camsim::CamsimOptions options = pattern_camera();
    options.hardware = "3.10.2";
    Camera camera(options);
    ASSERT_TRUE(camera.started);
    Stream stream;
    ASSERT_TRUE(wirereel_connect(stream.handle, camera.sim.address().c_str()));

    std::string version;
    ASSERT_TRUE(wirereel_get_machine_hardware_version(stream.handle, version));
    EXPECT_EQ(version, "3.10.2");
    EXPECT_EQ(version.substr(0, version.find('.')), "3");

    const uint64_t requests_before = camera.sim.stats().requests;
    EXPECT_TRUE(wirereel_motor_forward(stream.handle));
    EXPECT_TRUE(wirereel_motor_reverse(stream.handle));
    EXPECT_TRUE(wirereel_motor_stop(stream.handle));
    EXPECT_TRUE(wirereel_zoom_motor_forward(stream.handle));
    EXPECT_TRUE(wirereel_zoom_motor_backword(stream.handle));
    EXPECT_TRUE(wirereel_zoom_motor_stop(stream.handle));
    EXPECT_TRUE(wirereel_temperature_correct(stream.handle));

    bool supported = false;
    uint16_t position = 0;
    LenAdjustMethod method = LEN_ADJUST_MANUAL;
    ASSERT_TRUE(wirereel_is_support_len_pos(stream.handle, supported));
    EXPECT_TRUE(supported);
    ASSERT_TRUE(wirereel_get_len_pos(stream.handle, position));
    EXPECT_EQ(position, 120);
    ASSERT_TRUE(wirereel_set_len_pos(stream.handle, 300));
    ASSERT_TRUE(wirereel_get_len_pos(stream.handle, position));
    EXPECT_EQ(position, 300);
    ASSERT_TRUE(wirereel_get_len_adjust_method(stream.handle, method));
    EXPECT_EQ(method, LEN_ADJUST_ELECTRIC);

    // The motor commands go out without waiting: the camera sees them in order.
    ASSERT_TRUE(camera.sim.wait_for([&](const camsim::CamsimStats& s) { return s.requests >= requests_before + 10; }));
    const std::vector<std::pair<int, int>> expected = {{164, 130}, {164, 131}, {164, 132}, {164, 133}, {164, 134},
                                                       {164, 135}, {164, 139}, {164, 136}, {164, 137}, {164, 136}};
    EXPECT_EQ(commands_of(camera.sim, 164), expected);
}

TEST(wirereel, connect_and_uninit_cycles_while_frames_flow)
{
    // Every cycle ends with uninit while the camera streams at 100 frames a
    // second; no callback may run once uninit has returned.
    Camera camera(pattern_camera(100));
    ASSERT_TRUE(camera.started);
    std::atomic<bool> closed{false};
    std::atomic<int> late{0};
    std::atomic<int> frames{0};
    struct Probe {
        std::atomic<bool>* closed;
        std::atomic<int>* late;
        std::atomic<int>* frames;
    } probe{&closed, &late, &frames};
    auto on_frame = [](void* user, uint16_t*, uint16_t, uint16_t) {
        auto* p = static_cast<Probe*>(user);
        if (p->closed->load()) {
            ++*p->late;
        }
        ++*p->frames;
    };
    for (int cycle = 0; cycle < 100; ++cycle) {
        void* handle = nullptr;
        ASSERT_TRUE(wirereel_init(&handle));
        closed = false;
        ASSERT_TRUE(wirereel_set_on_received_one_frame(handle, on_frame, &probe));
        ASSERT_TRUE(wirereel_connect(handle, camera.sim.address().c_str())) << "cycle " << cycle;
        if (cycle % 10 == 0) {
            const int before = frames.load();
            ASSERT_TRUE(camera.sim.wait_for([&](const camsim::CamsimStats&) { return frames.load() > before; }));
        }
        ASSERT_TRUE(wirereel_uninit(&handle));
        closed = true;
    }
    EXPECT_EQ(late.load(), 0);
    EXPECT_GT(frames.load(), 0);
}
