// A camera of the simulator on loopback and the camera source reading it,
// for the trend tests: 160 x 120 pixels at 25 frames a second.
#pragma once

#include "camera_sim.h"
#include "sources/ir_net_device.h"
#include "wirereel.h"

#include <QString>
#include <QtGlobal>

#include <memory>
#include <string>

struct TrendLiveCamera {
    camsim::CameraSim sim;
    std::unique_ptr<IRNetDevice> device;

    bool open()
    {
        camsim::CamsimOptions options;
        options.address = "auto";
        options.source = "pattern";
        options.width = 160;
        options.height = 120;
        options.fps = 25;
        std::string error;
        if (!sim.start(options, &error)) {
            qWarning("camsim: %s", error.c_str());
            return false;
        }
        void* stream = nullptr;
        if (!wirereel_init(&stream) || !wirereel_connect(stream, sim.address().c_str())) {
            wirereel_uninit(&stream);
            return false;
        }
        device = std::make_unique<IRNetDevice>(nullptr);
        return device->open_stream("camsim", QString::fromStdString(sim.address()), QString(), stream);
    }
    ~TrendLiveCamera()
    {
        device.reset();
        sim.stop();
    }
};
