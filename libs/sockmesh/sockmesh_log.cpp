#include "sockmesh_log.h"

#include <uv.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace sockmesh {
namespace detail {

std::string uv_error_text(int error)
{
    char name[64];
    uv_err_name_r(error, name, sizeof(name));
    std::string text;
    // libuv names an unknown code "Unknown system error N".
    if (std::strncmp(name, "Unknown system error", 20) == 0) {
        text = "unknown system errcode " + std::to_string(error);
    } else {
        text = name;
    }
    char description[256];
    uv_strerror_r(error, description, sizeof(description));
    return text + ":" + description;
}

void log_uv_failure(int error)
{
    char name[64];
    SM_ERROR("[%s]: %s\n", uv_err_name_r(error, name, sizeof(name)), uv_strerror(error));
}

bool start_log()
{
    char path[PATH_MAX + 1];
    ssize_t length = readlink("/proc/self/exe", path, PATH_MAX);
    if (length <= 0) {
        std::fputs("Get process path failed\n", stderr);
        return false;
    }
    path[length] = '\0';
    char* slash = std::strrchr(path, '/');
    if (slash != nullptr) {
        *slash = '\0';
    }
    if (!logline_init(path, 7, 200)) {
        // logline counts the reference even when no file opened.
        logline_uninit();
        return false;
    }
    return true;
}

}  // namespace detail
}  // namespace sockmesh
