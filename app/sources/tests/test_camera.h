// What the camera window tests share: the simulated camera, run in-process
// (the test pattern at 160 x 120 and 25 frames a second on a free loopback
// address), and closing the window's tab.
#pragma once

#include "camera_sim.h"
#include "road_window.h"

#include <QCoreApplication>
#include <QEvent>
#include <QQuickItem>

#include <string>

constexpr int kTestCameraFps = 25;

// With `discovery` it also answers discovery on its address.
inline camsim::CamsimOptions test_camera_options(bool discovery = false)
{
    camsim::CamsimOptions options;
    options.address = "auto";
    options.source = "pattern";
    options.width = 160;
    options.height = 120;
    options.fps = kTestCameraFps;
    options.discovery = discovery;
    return options;
}

inline bool start_test_camera(camsim::CameraSim& camera, std::string* error, bool discovery = false)
{
    return camera.start(test_camera_options(discovery), error);
}

// The user closes the first document tab with its close mark; true once the
// camera window is gone.
inline bool close_first_tab(const roadtest::RoadWindow& road)
{
    QQuickItem* tab = road.find_item(QStringLiteral("doc_tab_0"));
    QQuickItem* close = tab != nullptr ? tab->findChild<QQuickItem*>(QStringLiteral("tab_close")) : nullptr;
    return close != nullptr && close->isVisible() && roadtest::RoadWindow::click(close) &&
           roadtest::RoadWindow::wait_for([&] {
               QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
               return road.find_item(QStringLiteral("wnd_ir_net_device")) == nullptr;
           });
}
