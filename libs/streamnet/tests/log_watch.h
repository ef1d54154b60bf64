// Reads what the shared log gained since the watch was made, so a test can
// check that a failure was logged. Other test processes write to the same
// file; a test looks for its own message text only. A line can be written by
// another thread after the event the test saw (a waiter is released before
// its cause is logged), so saw() waits for it; only a hang reaches the deadline.
#pragma once

#include "basekit.h"
#include "logline.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

namespace streamnet_test {

class LogWatch {
public:
    LogWatch()
    {
        // Holding a reference keeps the log open and its place fixed.
        char directory[4096];
        int length = sizeof(directory);
        vy_get_exe_path(directory, &length);
        logline_init(directory, 7, 200);
        path_ = logline_current_file();
        std::ifstream in(path_, std::ios::binary | std::ios::ate);
        start_ = in ? static_cast<std::streamoff>(in.tellg()) : 0;
    }
    ~LogWatch() { logline_uninit(); }

    bool saw(const std::string& text) const
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!contains(text)) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return true;
    }

private:
    bool contains(const std::string& text) const
    {
        std::ifstream in(path_, std::ios::binary);
        in.seekg(start_);
        std::string added((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        return added.find(text) != std::string::npos;
    }

    std::string path_;
    std::streamoff start_ = 0;
};

}  // namespace streamnet_test
