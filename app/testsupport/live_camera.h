// A camera of the simulator on a free loopback address, showing its test
// pattern, and the camera source reading it. Tests that use it link
// camsim_core and wirereel.
#pragma once

#include "camera_sim.h"
#include "sources/ir_net_device.h"
#include "wirereel.h"

#include <QString>
#include <QTest>
#include <QtGlobal>

#include <memory>
#include <string>

namespace roadtest {

struct LiveCamera {
    camsim::CameraSim sim;
    std::unique_ptr<IRNetDevice> device;

    // True once frames arrive.
    bool open(const QString& sn = QStringLiteral("camsim"), int width = 160, int height = 120, double fps = 25)
    {
        camsim::CamsimOptions options;
        options.address = "auto";
        options.source = "pattern";
        options.width = width;
        options.height = height;
        options.fps = fps;
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
        return device->open_stream(sn, QString::fromStdString(sim.address()), QString(), stream) &&
               QTest::qWaitFor([&] { return device->frame_rate() > 0; }, 10000);
    }
    ~LiveCamera()
    {
        device.reset();
        sim.stop();
    }
};

}  // namespace roadtest
