// Options of the camera simulator, shared by the program and by tests that
// start it in-process.
#pragma once

#include <string>

namespace camsim {

struct CamsimOptions {
    std::string address = "127.0.0.1";  // "auto": a free 127.a.b.c address
    int command_port = 63201;
    int data_port = 63202;
    int visible_port = 63207;
    int download_port = 63215;
    double fps = 25.0;
    // "camlink": the capture library's loop (its detector's size);
    // "pattern": a test pattern of width x height.
    std::string source = "camlink";
    int width = 640;
    int height = 512;
    std::string firmware = "1.1.39";
    std::string hardware = "2.0.1";
    std::string calibration;  // empty: "ad_temp" in the program directory
    bool discovery = false;
    bool cut_file = true;     // the visible link has a calibration file
    int frame_limit = 0;      // stop streaming after this many frames; 0 = never

    // Misbehaviour on purpose.
    int drop_after_frames = 0;   // close every link after this many frames
    int answer_delay_ms = 0;     // answer every request this late
    bool truncate_answers = false;  // answers claim more bytes than they carry
    bool truncate_frames = false;   // so do temperature and video packages
    bool stall_download = false;    // send the first chunk of a download, then nothing
};

// Parses the command line (without argv[0]). False with a message on an
// unknown option or a bad value; *help is set for --help.
bool parse_options(int argc, const char* const* argv, CamsimOptions* options, bool* help, std::string* error);

// The text of --help.
const char* usage_text();

}  // namespace camsim
