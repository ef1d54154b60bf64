// Opening input files the same way everywhere: regular files only, without
// blocking on a named pipe or a device.
#include "basekit.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int vy_open_input_file(const char* path, int* fd, uint64_t* size)
{
    if (path == nullptr || fd == nullptr || path[0] == '\0') {
        return VY_ERR_ARGUMENT;
    }
    // Opening a named pipe for reading waits for a writer unless the open is
    // non-blocking; the type check below then refuses it.
    int opened = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (opened < 0) {
        return VY_ERR_DATA;
    }
    struct stat st;
    if (::fstat(opened, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(opened);
        errno = EINVAL;
        return VY_ERR_DATA;
    }
    int flags = ::fcntl(opened, F_GETFL);
    if (flags >= 0) {
        ::fcntl(opened, F_SETFL, flags & ~O_NONBLOCK);
    }
    *fd = opened;
    if (size != nullptr) {
        *size = static_cast<uint64_t>(st.st_size);
    }
    return VY_OK;
}
