#include "camsim_options.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>

namespace camsim {

namespace {

bool to_int(const std::string& text, int low, int high, int* out)
{
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < low || value > high) {
        return false;
    }
    *out = static_cast<int>(value);
    return true;
}

// "auto" or a loopback address: the simulator never listens on a card.
bool is_listen_address(const std::string& text)
{
    in_addr address;
    if (text == "auto") {
        return true;
    }
    return inet_pton(AF_INET, text.c_str(), &address) == 1 && text.rfind("127.", 0) == 0;
}

bool is_version(const std::string& text)
{
    int major = 0;
    int minor = 0;
    int patch = 0;
    char tail = 0;
    return text.size() < 16 && std::sscanf(text.c_str(), "%d.%d.%d%c", &major, &minor, &patch, &tail) == 3;
}

}  // namespace

const char* usage_text()
{
    return "usage: camsim [options]\n"
           "A simulated thermal network camera on a loopback address. It answers the\n"
           "command link, streams video and temperature frames on the data link, serves\n"
           "a visible-light link and downloads of its recordings, until SIGINT or SIGTERM.\n"
           "Its recordings are rec_0001.ps (200,000 bytes), rec_0002.ps (65,536) and\n"
           "rec_0003.ps (17); its visible-camera address is its own address.\n"
           "\n"
           "  --address A          127.x.y.z address to listen on (default 127.0.0.1);\n"
           "                       \"auto\" picks a free one. The address is printed on start.\n"
           "  --command-port P     command link port (default 63201)\n"
           "  --data-port P        data link port (default 63202)\n"
           "  --visible-port P     visible-light link port (default 63207)\n"
           "  --download-port P    record download port (default 63215)\n"
           "  --fps F              frames per second, 0.1 to 200 (default 25)\n"
           "  --source S           where frames come from: \"camlink\" (default), the capture\n"
           "                       library's loop over its simulated detector, at the\n"
           "                       detector's size (640 x 480 unless a simulated-resolution\n"
           "                       file in the working folder says otherwise); \"pattern\",\n"
           "                       a moving test pattern of --width x --height\n"
           "  --width W, --height H  pattern size, 16 to 1280 by 16 to 1024 (default 640 x 512)\n"
           "  --firmware X.Y.Z     firmware version reported (default 1.1.39); unless\n"
           "                       X >= 1, Y >= 1 and Z >= 39 (each by itself: 2.0.50\n"
           "                       is not) temperature frames are little-endian\n"
           "  --hardware TEXT      hardware version reported (default 2.0.1); major 3 is a\n"
           "                       camera with a cooled detector\n"
           "  --calibration PATH   calibration data for the temperatures and for the lenses\n"
           "                       and measuring ranges offered (default ad_temp beside\n"
           "                       the program)\n"
           "  --frames N           stop streaming after N frames\n"
           "  --no-cut-file        the visible link has no calibration file\n"
           "  --discovery          answer discovery on the camera's own address (UDP 63203);\n"
           "                       Pyravue asks it there when PYRAVUE_DISCOVERY_ADDRESSES\n"
           "                       names that address\n"
           "\n"
           "Misbehaviour on purpose:\n"
           "  --drop-after-frames N  close every link after N frames\n"
           "  --answer-delay MS    answer each request MS milliseconds late\n"
           "  --truncate WHAT      send packets claiming more bytes than they carry:\n"
           "                       \"answers\", \"frames\" or \"all\"\n"
           "  --stall-download     send the first chunk of a download, then nothing\n"
           "  --help               this text\n";
}

bool parse_options(int argc, const char* const* argv, CamsimOptions* options, bool* help, std::string* error)
{
    *help = false;
    CamsimOptions o = *options;
    std::map<std::string, std::function<bool(const std::string&)>> valued = {
        {"--address", [&](const std::string& v) { o.address = v; return is_listen_address(v); }},
        {"--command-port", [&](const std::string& v) { return to_int(v, 1, 65535, &o.command_port); }},
        {"--data-port", [&](const std::string& v) { return to_int(v, 1, 65535, &o.data_port); }},
        {"--visible-port", [&](const std::string& v) { return to_int(v, 1, 65535, &o.visible_port); }},
        {"--download-port", [&](const std::string& v) { return to_int(v, 1, 65535, &o.download_port); }},
        {"--fps",
         [&](const std::string& v) {
             char* end = nullptr;
             o.fps = std::strtod(v.c_str(), &end);
             return !v.empty() && *end == '\0' && o.fps >= 0.1 && o.fps <= 200.0;
         }},
        {"--source", [&](const std::string& v) { o.source = v; return v == "camlink" || v == "pattern"; }},
        {"--width", [&](const std::string& v) { return to_int(v, 16, 1280, &o.width); }},
        {"--height", [&](const std::string& v) { return to_int(v, 16, 1024, &o.height); }},
        {"--firmware", [&](const std::string& v) { o.firmware = v; return is_version(v); }},
        {"--hardware", [&](const std::string& v) { o.hardware = v; return !v.empty() && v.size() <= 16; }},
        {"--calibration", [&](const std::string& v) { o.calibration = v; return !v.empty(); }},
        {"--frames", [&](const std::string& v) { return to_int(v, 1, 1 << 30, &o.frame_limit); }},
        {"--drop-after-frames", [&](const std::string& v) { return to_int(v, 1, 1 << 30, &o.drop_after_frames); }},
        {"--answer-delay", [&](const std::string& v) { return to_int(v, 0, 600000, &o.answer_delay_ms); }},
        {"--truncate",
         [&](const std::string& v) {
             o.truncate_answers = v == "answers" || v == "all";
             o.truncate_frames = v == "frames" || v == "all";
             return o.truncate_answers || o.truncate_frames;
         }},
    };
    std::map<std::string, std::function<void()>> flags = {
        {"--no-cut-file", [&] { o.cut_file = false; }},
        {"--discovery", [&] { o.discovery = true; }},
        {"--stall-download", [&] { o.stall_download = true; }},
        {"--help", [&] { *help = true; }},
    };
    for (int i = 0; i < argc; ++i) {
        std::string arg = argv[i];
        std::string value;
        bool inline_value = false;
        std::size_t equals = arg.find('=');
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
            arg = arg.substr(0, equals);
            inline_value = true;
        }
        auto flag = flags.find(arg);
        if (flag != flags.end() && !inline_value) {
            flag->second();
            continue;
        }
        auto option = valued.find(arg);
        if (option == valued.end()) {
            *error = "unknown option " + arg;
            return false;
        }
        if (!inline_value) {
            if (i + 1 >= argc) {
                *error = arg + " needs a value";
                return false;
            }
            value = argv[++i];
        }
        if (!option->second(value)) {
            *error = "bad value \"" + value + "\" for " + arg;
            return false;
        }
    }
    *options = o;
    return true;
}

}  // namespace camsim
