// camsim: a simulated thermal network camera for tests and demonstrations.
#include "camera_sim.h"
#include "camsim_options.h"

#include <csignal>
#include <cstdio>
#include <pthread.h>

int main(int argc, char** argv)
{
    camsim::CamsimOptions options;
    bool help = false;
    std::string error;
    if (!camsim::parse_options(argc - 1, argv + 1, &options, &help, &error)) {
        std::fprintf(stderr, "camsim: %s\n%s", error.c_str(), camsim::usage_text());
        return 2;
    }
    if (help) {
        std::fputs(camsim::usage_text(), stdout);
        return 0;
    }
    // The signals are taken by sigwait below, on this thread only: block them
    // before any thread starts so that none of them receives one.
    // A shell starting camsim in the background may hand it SIGINT ignored.
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    camsim::CameraSim camera;
    if (!camera.start(options, &error)) {
        std::fprintf(stderr, "camsim: %s\n", error.c_str());
        return 1;
    }
    const camsim::DeviceModel model = camera.model();
    std::printf("camsim: camera %s firmware %s, %dx%d at %g fps (ports %d %d %d %d)\n", camera.address().c_str(),
                options.firmware.c_str(), model.width, model.height, options.fps, options.command_port,
                options.data_port, options.visible_port, options.download_port);
    std::fflush(stdout);
    int received = 0;
    sigwait(&signals, &received);
    camera.stop();
    return 0;
}
