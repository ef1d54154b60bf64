// What a capture device is built on. The exported init uses the defaults:
// the simulated detector, real time, the program's own directory, the
// "simulated-resolution" file of the working directory and a restart hook
// that only logs. Tests build devices over a memory bus and a scaled clock.
#pragma once

#include "clock.h"
#include "register_bus.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace camlink {
namespace detail {

struct DeviceOptions {
    std::shared_ptr<RegisterBus> bus;
    std::shared_ptr<Clock> clock;
    // Folder of the "detector" and "ad_temp" files; empty: the program's.
    std::string program_dir;
    std::string resolution_file = "simulated-resolution";
    // Called when the FPGA stays stuck and the capture-and-restart switch is
    // on. The library itself never restarts the machine.
    std::function<void()> restart_hook;
};

class DevCap;

// Makes, registers and initialises a device; *handle is set even when the
// init fails (the caller frees it with vy_dc_uninit).
bool create_device(void** handle, int32_t flag, DeviceOptions options);
// The device behind a handle, or null.
DevCap* device_of(void* handle);

}  // namespace detail
}  // namespace camlink
