// Helpers shared by the camlink tests: a temporary program directory with a
// generated detector file and the sample calibration, devices over a memory
// bus and a scaled clock, a frame counter for the callback, and a view of
// the log written since a point.
#pragma once

#include "camlink.h"
#include "dev_cap.h"
#include "logline.h"
#include "sample_detector.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <vector>

#include <unistd.h>

namespace cltest {

using camlink::detail::DevCap;
using camlink::detail::DeviceOptions;
using camlink::detail::MemoryBus;
using camlink::detail::ScaledClock;

// Device time runs this many times faster than real time in the tests.
constexpr double kTimeFactor = 100.0;
// Waits for the capture thread's work get at least this much real time, so
// that a loaded machine does not make a recording look timed out.
constexpr std::chrono::microseconds kWorkPatience = std::chrono::milliseconds(500);
constexpr auto kPatience = std::chrono::seconds(20);

inline std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void write_text(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// Holds one log reference for the whole test program, so that every record
// goes to the program directory's log whatever device comes first.
// Each test process logs into a folder of its own: ctest runs processes side
// by side, and a shared log would show one process the messages of another.
class LogEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        directory_ = std::filesystem::temp_directory_path() / ("camlink-tests-" + std::to_string(getpid()));
        logline_init(directory_.c_str(), 7, 200);
    }
    void TearDown() override
    {
        logline_uninit();
        std::error_code ignored;
        std::filesystem::remove_all(directory_, ignored);
    }

private:
    std::filesystem::path directory_;
};

// The log written from construction on.
class LogWatch {
public:
    LogWatch() : path_(logline_current_file())
    {
        std::ifstream in(path_, std::ios::binary | std::ios::ate);
        start_ = in ? static_cast<std::streamoff>(in.tellg()) : 0;
    }
    int count(const std::string& text) const
    {
        std::ifstream in(path_, std::ios::binary);
        in.seekg(start_);
        std::string log((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        int n = 0;
        for (std::size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) {
            ++n;
        }
        return n;
    }

private:
    std::string path_;
    std::streamoff start_ = 0;
};

using TempDir = vytest::TempDir;

// A program directory for an 80 x 60 detector (resolution code 0) with the
// sample configuration of `version` and the sample calibration.
inline void fill_program_dir(const TempDir& dir, uint16_t version = 4, char resolution = '0')
{
    uint16_t width = resolution == '1' ? 160 : resolution == '2' ? 320 : resolution == '0' ? 80 : 640;
    uint16_t height = static_cast<uint16_t>(width * 3 / 4);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(detector_sample::sample_file(width, height, version, &bytes));
    ASSERT_TRUE(detector_sample::write_file(dir.file("detector"), bytes));
    std::filesystem::copy_file(std::string(CAMLINK_BIN_DIR) + "/ad_temp", dir.file("ad_temp"),
                               std::filesystem::copy_options::overwrite_existing);
    write_text(dir.file("simulated-resolution"), std::string(1, resolution));
}

// One device over a memory bus in its own program directory.
class Device {
public:
    explicit Device(bool init = true, int32_t flag = 0, uint16_t version_word = 0)
    {
        fill_program_dir(dir);
        bus->set(camlink::detail::reg::kFpgaVersion, version_word);
        if (init) {
            EXPECT_TRUE(create(flag));
        }
    }
    ~Device()
    {
        if (handle != nullptr) {
            EXPECT_TRUE(vy_dc_uninit(&handle));
        }
    }

    bool create(int32_t flag = 0)
    {
        DeviceOptions options;
        options.bus = bus;
        options.clock = std::make_shared<ScaledClock>(kTimeFactor, kWorkPatience);
        options.program_dir = dir.path();
        options.resolution_file = dir.file("simulated-resolution");
        options.restart_hook = [this] { ++restarts; };
        return camlink::detail::create_device(&handle, flag, options);
    }

    DevCap& dev() { return *camlink::detail::device_of(handle); }

    TempDir dir;
    std::shared_ptr<MemoryBus> bus = std::make_shared<MemoryBus>();
    std::atomic<int> restarts{0};
    void* handle = nullptr;
};

// Counts delivered frames and keeps what a test asks to keep of them. A test
// makes it before its Device: the capture thread calls it until the device's
// uninit has joined that thread.
class FrameCounter {
public:
    void on_frame(const uint8_t* data, uint16_t width, uint16_t height)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++frames_;
        width_ = width;
        height_ = height;
        if (keep_ && last.empty()) {
            std::size_t n = static_cast<std::size_t>(width) * height;
            uint32_t length = 0;
            std::memcpy(&length, data, 4);
            const uint8_t* frame = data - 6 - n;
            last.assign(frame, frame + n + 10 + length);
        }
        changed_.notify_all();
    }
    static void callback(void* user, const uint8_t* data, uint16_t width, uint16_t height)
    {
        static_cast<FrameCounter*>(user)->on_frame(data, width, height);
    }
    bool wait_for(int frames)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, kPatience, [&] { return frames_ >= frames; });
    }
    int frames()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return frames_;
    }
    // Width and height of the newest frame; every frame writes them.
    std::pair<uint16_t, uint16_t> size()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return {width_, height_};
    }
    void keep_first() { keep_ = true; }

    // The first frame after keep_first(), written once under the lock.
    std::vector<uint8_t> last;

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int frames_ = 0;
    uint16_t width_ = 0;
    uint16_t height_ = 0;
    bool keep_ = false;
};

}  // namespace cltest
