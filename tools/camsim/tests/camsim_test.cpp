// The simulator's options, and the program started as a process that a
// stream then talks to.
#include "camsim_options.h"

#include "streamnet.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <cstring>
#include <ifaddrs.h>
#include <netinet/in.h>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using camsim::CamsimOptions;

namespace {

bool parse(std::vector<const char*> args, CamsimOptions* options, std::string* error, bool* help = nullptr)
{
    bool ignored = false;
    return camsim::parse_options(static_cast<int>(args.size()), args.data(), options, help ? help : &ignored, error);
}

}  // namespace

TEST(camsim_options, values_and_flags)
{
    CamsimOptions o;
    std::string error;
    ASSERT_TRUE(parse({"--address", "127.0.0.5", "--fps=12.5", "--width", "320", "--height", "240", "--firmware",
                       "1.1.38", "--command-port", "7001", "--frames", "9", "--answer-delay", "40", "--truncate",
                       "frames", "--stall-download", "--no-cut-file", "--drop-after-frames", "3"},
                      &o, &error))
        << error;
    EXPECT_EQ(o.address, "127.0.0.5");
    EXPECT_DOUBLE_EQ(o.fps, 12.5);
    EXPECT_EQ(o.width, 320);
    EXPECT_EQ(o.height, 240);
    EXPECT_EQ(o.firmware, "1.1.38");
    EXPECT_EQ(o.command_port, 7001);
    EXPECT_EQ(o.data_port, 63202);
    EXPECT_EQ(o.frame_limit, 9);
    EXPECT_EQ(o.answer_delay_ms, 40);
    EXPECT_TRUE(o.truncate_frames);
    EXPECT_FALSE(o.truncate_answers);
    EXPECT_TRUE(o.stall_download);
    EXPECT_FALSE(o.cut_file);
    EXPECT_EQ(o.drop_after_frames, 3);
}

// The simulator listens on loopback only, never on a card's address.
TEST(camsim_options, an_address_of_this_machines_card_is_refused)
{
    ifaddrs* list = nullptr;
    ASSERT_EQ(getifaddrs(&list), 0);
    std::string card;
    for (const ifaddrs* a = list; a != nullptr && card.empty(); a = a->ifa_next) {
        if (a->ifa_addr != nullptr && a->ifa_addr->sa_family == AF_INET) {
            char text[INET_ADDRSTRLEN] = {};
            inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(a->ifa_addr)->sin_addr, text, sizeof text);
            if (std::string(text).rfind("127.", 0) != 0) {
                card = text;
            }
        }
    }
    freeifaddrs(list);
    if (card.empty()) {
        GTEST_SKIP() << "no network card with an IPv4 address";
    }
    CamsimOptions o;
    std::string error;
    EXPECT_FALSE(parse({"--address", card.c_str(), "--discovery"}, &o, &error));
    EXPECT_EQ(o.address, "127.0.0.1");
}

TEST(camsim_options, bad_input_is_refused_and_leaves_the_options)
{
    const std::vector<std::vector<const char*>> bad = {
        {"--address", "198.51.100.77"}, {"--address", "127.0.0"}, {"--fps", "0"},      {"--fps", "fast"},
        {"--width", "8"},          {"--firmware", "1.1"},    {"--truncate", "x"}, {"--command-port", "70000"},
        {"--frames"},              {"--bogus"},              {"--help=yes"},
    };
    for (const auto& args : bad) {
        CamsimOptions o;
        o.fps = 7;
        std::string error;
        EXPECT_FALSE(parse(args, &o, &error)) << args[0];
        EXPECT_FALSE(error.empty()) << args[0];
        EXPECT_DOUBLE_EQ(o.fps, 7) << args[0];
    }
    CamsimOptions o;
    std::string error;
    bool help = false;
    EXPECT_TRUE(parse({"--help"}, &o, &error, &help));
    EXPECT_TRUE(help);
}

TEST(camsim_options, help_describes_every_option)
{
    const std::string help = camsim::usage_text();
    for (const char* option : {"--address", "--command-port", "--data-port", "--visible-port", "--download-port",
                               "--fps", "--width", "--height", "--firmware", "--calibration", "--frames",
                               "--no-cut-file", "--discovery", "--drop-after-frames", "--answer-delay", "--truncate",
                               "--stall-download", "--help"}) {
        EXPECT_NE(help.find(option), std::string::npos) << option;
    }
}

TEST(camsim_process, serves_a_stream_and_ends_on_sigterm)
{
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execl("./camsim", "camsim", "--address", "auto", "--frames", "5", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    // The first line names the address: "camsim: camera 127.a.b.c firmware ...".
    std::string line;
    char c;
    while (read(out[0], &c, 1) == 1 && c != '\n') {
        line += c;
    }
    close(out[0]);
    const std::string prefix = "camsim: camera ";
    ASSERT_EQ(line.rfind(prefix, 0), 0u) << line;
    std::string address = line.substr(prefix.size(), line.find(' ', prefix.size()) - prefix.size());

    void* stream = nullptr;
    ASSERT_TRUE(vy_nvs_init(&stream, NVS_STREAM_IR));
    EXPECT_TRUE(vy_nvs_connect(stream, address.c_str(), nullptr, nullptr));
    uint16_t width = 0;
    uint16_t height = 0;
    EXPECT_TRUE(vy_nvs_get_resolution(stream, &width, &height));
    // The capture library's simulated detector.
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    bool recording = true;
    EXPECT_TRUE(vy_nvs_get_machine_record_status(stream, &recording));
    EXPECT_FALSE(recording);
    EXPECT_TRUE(vy_nvs_uninit(&stream));

    ASSERT_EQ(kill(child, SIGTERM), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
