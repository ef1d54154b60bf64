// Reads what the shared log gained since the watch was made, so a test can
// check that a failure was logged. Other test processes write to the same
// file; a test looks for its own message text only.
#pragma once

#include "basekit.h"
#include "logline.h"

#include <fstream>
#include <iterator>
#include <string>

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
        std::ifstream in(path_, std::ios::binary);
        in.seekg(start_);
        std::string added((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        return added.find(text) != std::string::npos;
    }

private:
    std::string path_;
    std::streamoff start_ = 0;
};

}  // namespace streamnet_test
