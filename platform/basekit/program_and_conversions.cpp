// Program directory, national-grid AD mapping and time conversion.
#include "basekit.h"

#include <cmath>
#include <cstring>
#include <unistd.h>

int vy_get_exe_path(char* buffer, int* length)
{
    if (length == nullptr) {
        return VY_ERR_ARGUMENT;
    }
    char path[4096];
    ssize_t size = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (size <= 0) {
        return VY_ERR_DATA;
    }
    path[size] = '\0';
    char* slash = std::strrchr(path, '/');
    if (slash == nullptr) {
        return VY_ERR_DATA;
    }
    // The root directory keeps its slash.
    int characters = slash == path ? 1 : static_cast<int>(slash - path);
    int capacity = *length;
    *length = characters;
    if (buffer == nullptr) {
        return VY_OK;
    }
    if (capacity < characters + 1) {
        return VY_ERR_CAPACITY;
    }
    std::memcpy(buffer, path, characters);
    buffer[characters] = '\0';
    return VY_OK;
}

int vy_get_ad_from_temp_national_grid(float temperature, uint16_t* ad)
{
    if (ad == nullptr || std::isnan(temperature)) {
        return VY_ERR_ARGUMENT;
    }
    double value = std::round((static_cast<double>(temperature) + 273.15) * 40.0);
    if (value < 0.0) {
        value = 0.0;
    } else if (value > 65535.0) {
        value = 65535.0;
    }
    *ad = static_cast<uint16_t>(value);
    return VY_OK;
}

int vy_timeval_to_msec(const tagTimeVal* time, int64_t* msec)
{
    if (time == nullptr || msec == nullptr) {
        return VY_ERR_ARGUMENT;
    }
    *msec = static_cast<int64_t>(time->sec) * 1000 + time->usec / 1000;
    return VY_OK;
}
