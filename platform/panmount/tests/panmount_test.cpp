#include "panmount.h"

#include "head_simulator.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using std::chrono::seconds;

std::string bytes(std::initializer_list<uint8_t> list)
{
    return std::string(list.begin(), list.end());
}

// Records status events with the thread they arrived on.
struct StatusLog {
    static bool callback(int event, int error, int, int, int, void* user)
    {
        auto* self = static_cast<StatusLog*>(user);
        if (self->on_event) {
            self->on_event(event);
        }
        std::lock_guard<std::mutex> lock(self->mutex);
        self->events.push_back(event);
        self->errors.push_back(error);
        self->threads.push_back(std::this_thread::get_id());
        self->changed.notify_all();
        return true;
    }

    bool wait_count(int event, std::size_t count)
    {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, seconds(10), [&] { return count_locked(event) >= count; });
    }

    std::size_t count(int event)
    {
        std::lock_guard<std::mutex> lock(mutex);
        return count_locked(event);
    }

    std::size_t count_locked(int event) const
    {
        std::size_t n = 0;
        for (int e : events) {
            n += e == event ? 1 : 0;
        }
        return n;
    }

    std::function<void(int)> on_event;
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<int> events;
    std::vector<int> errors;
    std::vector<std::thread::id> threads;
};

std::string head_address(const headsim::HeadSimulator& head)
{
    return "127.0.0.1:" + std::to_string(head.port());
}

// A TCP port on 127.0.0.1 where nobody listens: a head's port after it stopped.
int unused_port()
{
    headsim::HeadSimulator gone;
    gone.start();
    int port = gone.port();
    gone.stop();
    return port;
}

class PanmountTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(head.start());
        ASSERT_TRUE(vy_ptz_init(&handle));
    }
    void TearDown() override
    {
        if (handle != nullptr) {
            EXPECT_TRUE(vy_ptz_uninit(&handle));
        }
    }

    void connect()
    {
        ASSERT_TRUE(vy_ptz_connect(handle, head_address(head).c_str(), StatusLog::callback, &log));
        ASSERT_TRUE(head.wait_for_connections(1));
    }

    // Runs `command` and returns what the head received from it, up to `count` bytes.
    std::string sent_by(const std::function<bool()>& command, std::size_t count = 7)
    {
        head.clear();
        EXPECT_TRUE(command());
        EXPECT_TRUE(head.wait_for_bytes(count));
        return head.received();
    }

    headsim::HeadSimulator head;
    StatusLog log;
    void* handle = nullptr;
};

TEST_F(PanmountTest, ptz_exact_bytes_of_each_command)
{
    connect();
    struct Case {
        const char* name;
        std::function<bool(void*)> command;
        std::string expected;
    };
    const Case cases[] = {
        {"left", [](void* h) { return vy_ptz_direction(h, PTZ_LEFT); }, bytes({0xFF, 1, 0, 0x04, 0x2F, 0, 0x34})},
        {"up", [](void* h) { return vy_ptz_direction(h, PTZ_UP); }, bytes({0xFF, 1, 0, 0x08, 0, 0x2F, 0x38})},
        {"right", [](void* h) { return vy_ptz_direction(h, PTZ_RIGHT); }, bytes({0xFF, 1, 0, 0x02, 0x2F, 0, 0x32})},
        {"down", [](void* h) { return vy_ptz_direction(h, PTZ_DOWN); }, bytes({0xFF, 1, 0, 0x10, 0, 0x2F, 0x40})},
        {"left-up", [](void* h) { return vy_ptz_direction(h, PTZ_LEFT_UP); },
         bytes({0xFF, 1, 0, 0x0C, 0x2F, 0x2F, 0x6B})},
        {"left-down", [](void* h) { return vy_ptz_direction(h, PTZ_LEFT_DOWN); },
         bytes({0xFF, 1, 0, 0x14, 0x2F, 0x2F, 0x73})},
        {"right-up", [](void* h) { return vy_ptz_direction(h, PTZ_RIGHT_UP); },
         bytes({0xFF, 1, 0, 0x0A, 0x2F, 0x2F, 0x69})},
        {"right-down", [](void* h) { return vy_ptz_direction(h, PTZ_RIGHT_DOWN); },
         bytes({0xFF, 1, 0, 0x12, 0x2F, 0x2F, 0x71})},
        {"stop", [](void* h) { return vy_ptz_direction(h, PTZ_STOP); }, bytes({0xFF, 1, 0, 0, 0, 0, 0x01})},
        {"set preset 1", [](void* h) { return vy_ptz_set_preset(h, 1); }, bytes({0xFF, 1, 0, 0x03, 0, 1, 0x05})},
        {"set preset 255", [](void* h) { return vy_ptz_set_preset(h, 255); },
         bytes({0xFF, 1, 0, 0x03, 0, 0xFF, 0x03})},
        {"goto preset 1", [](void* h) { return vy_ptz_goto_preset(h, 1); }, bytes({0xFF, 1, 0, 0x07, 0, 1, 0x09})},
        {"goto preset 255", [](void* h) { return vy_ptz_goto_preset(h, 255); },
         bytes({0xFF, 1, 0, 0x07, 0, 0xFF, 0x07})},
        {"wiper on", [](void* h) { return vy_ptz_wiper_on(h); }, bytes({0xFF, 1, 0, 0x09, 0, 1, 0x0B})},
        {"wiper off", [](void* h) { return vy_ptz_wiper_off(h); }, bytes({0xFF, 1, 0, 0x0B, 0, 1, 0x0D})},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sent_by([&] { return c.command(handle); }), c.expected) << c.name;
    }
    EXPECT_EQ(head.bad_frames(), 0);
}

TEST_F(PanmountTest, ptz_speeds_apply_to_movements)
{
    connect();
    // The panel's speeds 1 and 64 go out as 0 and 63.
    ASSERT_TRUE(vy_ptz_horizontal_speed(handle, 0));
    ASSERT_TRUE(vy_ptz_vertical_speed(handle, 63));
    EXPECT_EQ(sent_by([&] { return vy_ptz_direction(handle, PTZ_RIGHT_UP); }),
              bytes({0xFF, 1, 0, 0x0A, 0, 0x3F, 0x4A}));
    // While moving, a new speed resends the movement; once stopped it is only stored.
    EXPECT_EQ(sent_by([&] { return vy_ptz_horizontal_speed(handle, 10); }),
              bytes({0xFF, 1, 0, 0x0A, 0x0A, 0x3F, 0x54}));
    head.clear();
    ASSERT_TRUE(vy_ptz_direction(handle, PTZ_STOP));
    ASSERT_TRUE(vy_ptz_vertical_speed(handle, 5));
    ASSERT_TRUE(vy_ptz_direction(handle, PTZ_DOWN));
    ASSERT_TRUE(head.wait_for_bytes(14));
    EXPECT_EQ(head.received(), bytes({0xFF, 1, 0, 0, 0, 0, 0x01, 0xFF, 1, 0, 0x10, 0, 0x05, 0x16}));
}

TEST_F(PanmountTest, ptz_bad_arguments_send_nothing)
{
    connect();
    head.clear();
    EXPECT_FALSE(vy_ptz_direction(handle, -1));
    EXPECT_FALSE(vy_ptz_direction(handle, 9));
    EXPECT_FALSE(vy_ptz_set_preset(handle, 0));
    EXPECT_FALSE(vy_ptz_set_preset(handle, 256));
    EXPECT_FALSE(vy_ptz_goto_preset(handle, -3));
    EXPECT_FALSE(vy_ptz_horizontal_speed(handle, -1));
    EXPECT_FALSE(vy_ptz_vertical_speed(handle, 64));
    // The marker shows that nothing went out before it and the speeds kept their values.
    ASSERT_TRUE(vy_ptz_direction(handle, PTZ_LEFT_UP));
    ASSERT_TRUE(head.wait_for_bytes(7));
    EXPECT_EQ(head.received(), bytes({0xFF, 1, 0, 0x0C, 0x2F, 0x2F, 0x6B}));
}

bool every_command_fails(void* handle)
{
    bool any = false;
    for (int d = PTZ_LEFT; d <= PTZ_STOP; ++d) {
        any |= vy_ptz_direction(handle, d);
    }
    any |= vy_ptz_set_preset(handle, 3);
    any |= vy_ptz_goto_preset(handle, 3);
    any |= vy_ptz_wiper_on(handle);
    any |= vy_ptz_wiper_off(handle);
    return !any;
}

TEST_F(PanmountTest, ptz_commands_fail_cleanly_without_link)
{
    EXPECT_TRUE(every_command_fails(handle));
    // Speeds are settings and are kept for the next link.
    EXPECT_TRUE(vy_ptz_horizontal_speed(handle, 1));
    EXPECT_TRUE(vy_ptz_disconnect(handle));

    connect();
    EXPECT_EQ(sent_by([&] { return vy_ptz_direction(handle, PTZ_LEFT); }), bytes({0xFF, 1, 0, 0x04, 1, 0, 0x06}));
    ASSERT_TRUE(vy_ptz_disconnect(handle));
    EXPECT_TRUE(every_command_fails(handle));
    EXPECT_TRUE(head.wait_until_unlinked());
}

TEST_F(PanmountTest, ptz_link_loss_reported_and_same_handle_reconnects)
{
    connect();
    ASSERT_TRUE(log.wait_count(PTZ_EVENT_CONNECTED, 1));
    head.drop_link();
    ASSERT_TRUE(log.wait_count(PTZ_EVENT_LINK_LOST, 1));
    EXPECT_TRUE(every_command_fails(handle));
    {
        std::lock_guard<std::mutex> lock(log.mutex);
        ASSERT_EQ(log.events, (std::vector<int>{PTZ_EVENT_CONNECTED, PTZ_EVENT_LINK_LOST}));
        EXPECT_EQ(log.errors[1], 0);  // closed by the head
        for (std::thread::id id : log.threads) {
            EXPECT_NE(id, std::this_thread::get_id());
        }
    }

    ASSERT_TRUE(vy_ptz_connect(handle, head_address(head).c_str(), StatusLog::callback, &log));
    ASSERT_TRUE(log.wait_count(PTZ_EVENT_CONNECTED, 2));
    EXPECT_EQ(sent_by([&] { return vy_ptz_wiper_on(handle); }), bytes({0xFF, 1, 0, 0x09, 0, 1, 0x0B}));
    EXPECT_EQ(head.connections(), 2);
}

TEST_F(PanmountTest, ptz_head_stopping_is_a_loss)
{
    connect();
    head.stop();
    ASSERT_TRUE(log.wait_count(PTZ_EVENT_LINK_LOST, 1));
    EXPECT_FALSE(vy_ptz_wiper_on(handle));
    // Nobody listens any more: the reconnect fails and reports nothing.
    EXPECT_FALSE(vy_ptz_connect(handle, head_address(head).c_str(), StatusLog::callback, &log));
    EXPECT_EQ(log.count(PTZ_EVENT_CONNECTED), 1u);
}

TEST_F(PanmountTest, ptz_connect_failures)
{
    const std::string nobody = "127.0.0.1:" + std::to_string(unused_port());
    for (const char* address : {nobody.c_str(), "", "camera", "127.0.0.1:99999", "127.0.0.1:", (const char*)nullptr}) {
        EXPECT_FALSE(vy_ptz_connect(handle, address, StatusLog::callback, &log)) << (address ? address : "null");
    }
    EXPECT_TRUE(every_command_fails(handle));
    EXPECT_TRUE(vy_ptz_uninit(&handle));
    EXPECT_TRUE(log.events.empty());
}

TEST_F(PanmountTest, ptz_requested_disconnect_reports_nothing)
{
    connect();
    ASSERT_TRUE(log.wait_count(PTZ_EVENT_CONNECTED, 1));
    ASSERT_TRUE(vy_ptz_disconnect(handle));
    ASSERT_TRUE(head.wait_until_unlinked());
    // connect again right away, as the panel's connect does (disconnect, then connect).
    ASSERT_TRUE(vy_ptz_connect(handle, head_address(head).c_str(), StatusLog::callback, &log));
    ASSERT_TRUE(vy_ptz_connect(handle, head_address(head).c_str(), StatusLog::callback, &log));
    ASSERT_TRUE(vy_ptz_uninit(&handle));
    std::lock_guard<std::mutex> lock(log.mutex);
    EXPECT_EQ(log.count_locked(PTZ_EVENT_LINK_LOST), 0u);
    EXPECT_LE(log.events.size(), 3u);
}

TEST_F(PanmountTest, ptz_disconnect_inside_callback)
{
    std::atomic<bool> uninit_refused{false};
    log.on_event = [&](int event) {
        if (event == PTZ_EVENT_CONNECTED) {
            void* copy = handle;
            uninit_refused = !vy_ptz_uninit(&copy) && copy == handle;
            vy_ptz_disconnect(handle);
        }
    };
    connect();
    ASSERT_TRUE(log.wait_count(PTZ_EVENT_CONNECTED, 1));
    EXPECT_TRUE(head.wait_until_unlinked());
    EXPECT_TRUE(uninit_refused);
    EXPECT_TRUE(every_command_fails(handle));
    log.on_event = nullptr;
    // The handle still works after a disconnect from its own thread.
    connect();
    EXPECT_EQ(sent_by([&] { return vy_ptz_wiper_off(handle); }), bytes({0xFF, 1, 0, 0x0B, 0, 1, 0x0D}));
}

TEST_F(PanmountTest, ptz_no_callback_after_uninit)
{
    // The callback of a cycle's log runs only before that cycle's uninit returns.
    for (int cycle = 0; cycle < 30; ++cycle) {
        StatusLog cycle_log;
        void* h = nullptr;
        ASSERT_TRUE(vy_ptz_init(&h));
        ASSERT_TRUE(vy_ptz_connect(h, head_address(head).c_str(), StatusLog::callback, &cycle_log));
        if (cycle % 2 == 0) {
            head.drop_link();
        }
        ASSERT_TRUE(vy_ptz_uninit(&h));
        EXPECT_EQ(h, nullptr);
        std::size_t seen = cycle_log.count(PTZ_EVENT_CONNECTED) + cycle_log.count(PTZ_EVENT_LINK_LOST);
        EXPECT_LE(seen, 2u);
        // cycle_log dies here; a late callback would write into freed memory under ASan.
    }
}

TEST(panmount, handles_are_checked)
{
    void* handle = nullptr;
    EXPECT_FALSE(vy_ptz_init(nullptr));
    EXPECT_FALSE(vy_ptz_direction(nullptr, PTZ_STOP));
    EXPECT_FALSE(vy_ptz_uninit(nullptr));
    EXPECT_FALSE(vy_ptz_uninit(&handle));
    ASSERT_TRUE(vy_ptz_init(&handle));
    void* copy = handle;
    int foreign = 0;
    EXPECT_FALSE(vy_ptz_wiper_on(&foreign));
    EXPECT_FALSE(vy_ptz_connect(&foreign, "127.0.0.1", nullptr, nullptr));
    EXPECT_TRUE(vy_ptz_uninit(&handle));
    EXPECT_EQ(handle, nullptr);
    EXPECT_FALSE(vy_ptz_uninit(&copy));
    EXPECT_FALSE(vy_ptz_disconnect(copy));
    EXPECT_FALSE(vy_ptz_horizontal_speed(copy, 3));
}

}  // namespace
