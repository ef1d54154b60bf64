// headsim [port]: a pan-tilt head on 127.0.0.1 that prints every Pelco-D
// frame it receives, until interrupted. The port defaults to the one
// panmount uses.
#include "head_simulator.h"

#include "panmount.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_stop = 0;

void on_signal(int)
{
    g_stop = 1;
}

}  // namespace

int main(int argc, char** argv)
{
    int port = argc > 1 ? std::atoi(argv[1]) : PANMOUNT_DEFAULT_PORT;
    headsim::HeadSimulator head;
    if (port < 0 || port > 65535 || !head.start(port)) {
        std::fprintf(stderr, "headsim: cannot listen on 127.0.0.1:%d\n", port);
        return 1;
    }
    std::signal(SIGINT, on_signal);
    std::signal(SIGTERM, on_signal);
    std::printf("headsim: listening on 127.0.0.1:%d\n", head.port());
    std::fflush(stdout);
    std::size_t shown = 0;
    while (g_stop == 0) {
        // Short waits so that a signal ends the program promptly.
        if (!head.wait_for_bytes(head.received().size() + 1, std::chrono::milliseconds(200))) {
            continue;
        }
        std::vector<headsim::Frame> frames = head.frames();
        for (; shown < frames.size(); ++shown) {
            for (uint8_t byte : frames[shown]) {
                std::printf("%02X ", byte);
            }
            std::printf("\n");
        }
        std::fflush(stdout);
    }
    return 0;
}
