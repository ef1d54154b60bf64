// The simulated camera of the camera window tests, run in-process: the test
// pattern at 160 x 120 and 25 frames a second on a free loopback address.
#pragma once

#include "camera_sim.h"

#include <string>

constexpr int kTestCameraFps = 25;

inline bool start_test_camera(camsim::CameraSim& camera, std::string* error)
{
    camsim::CamsimOptions options;
    options.address = "auto";
    options.source = "pattern";
    options.width = 160;
    options.height = 120;
    options.fps = kTestCameraFps;
    return camera.start(options, error);
}
