// Files, planes and parameter blocks shared by the picture, national-grid
// and recording formats.
#include "frame.h"

#include "basekit.h"

#include <zlib.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sensekern {
namespace detail {

bool read_all_at(int fd, uint64_t offset, uint8_t* out, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        ssize_t n = ::pread(fd, out + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

int open_input(const std::string& path, uint64_t* size, const char* function)
{
    int fd = -1;
    if (vy_open_input_file(path.c_str(), &fd, size) != VY_OK) {
        SK_LOG(function, "%s is not a readable file: %s", path.c_str(), std::strerror(errno));
        return -1;
    }
    return fd;
}

bool read_file(const std::string& path, uint64_t cap, std::vector<uint8_t>* out, const char* function)
{
    uint64_t size = 0;
    int fd = open_input(path, &size, function);
    if (fd < 0) {
        return false;
    }
    if (size > cap) {
        SK_LOG(function, "%s is larger than %llu bytes", path.c_str(), static_cast<unsigned long long>(cap));
        ::close(fd);
        return false;
    }
    std::vector<uint8_t> data(static_cast<std::size_t>(size));
    bool complete = read_all_at(fd, 0, data.data(), data.size());
    ::close(fd);
    if (!complete) {
        SK_LOG(function, "read %s failed", path.c_str());
        return false;
    }
    out->swap(data);
    return true;
}

namespace {

bool write_all(int fd, const std::vector<uint8_t>& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

int create_temp_beside(const std::string& path, std::string* target, std::string* temp, const char* function)
{
    // A link is kept: what is written replaces the file it points to, so the
    // temporary file goes into that file's folder.
    std::string real = path;
    struct stat link;
    if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        char* resolved = ::realpath(path.c_str(), nullptr);
        if (resolved == nullptr) {
            SK_LOG(function, "can not follow the link %s: %s", path.c_str(), std::strerror(errno));
            return -1;
        }
        real = resolved;
        std::free(resolved);
    }
    // Leftovers of interrupted saves (recordings killed midway among them)
    // go once they are old; the temporary name is one they know.
    vy_remove_stale_temp_files(real.c_str(), 1, nullptr);
    std::vector<char> buffer(real.size() + 16);
    if (vy_temp_file_pattern(real.c_str(), buffer.data(), buffer.size()) != VY_OK) {
        SK_LOG(function, "no temporary name for %s", real.c_str());
        return -1;
    }
    int fd = ::mkstemp(buffer.data());
    if (fd < 0) {
        SK_LOG(function, "can not create a temporary file beside %s: %s", real.c_str(), std::strerror(errno));
        return -1;
    }
    // Keep the permissions of the file being replaced.
    struct stat st;
    if (::stat(real.c_str(), &st) == 0) {
        ::fchmod(fd, st.st_mode & 07777);
    } else {
        ::fchmod(fd, 0644);
    }
    *target = real;
    *temp = buffer.data();
    return fd;
}

bool write_file_atomic(const std::string& path, const std::vector<uint8_t>& head,
                       const std::vector<uint8_t>& tail, const char* function)
{
    std::string target;
    std::string temp;
    int fd = create_temp_beside(path, &target, &temp, function);
    if (fd < 0) {
        return false;
    }
    bool ok = write_all(fd, head) && write_all(fd, tail) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok || ::rename(temp.c_str(), target.c_str()) != 0) {
        SK_LOG(function, "write %s failed: %s", target.c_str(), std::strerror(errno));
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

std::string utf8_of_wide(const wchar_t* text)
{
    std::string out;
    for (; *text != L'\0'; ++text) {
        uint32_t c = static_cast<uint32_t>(*text);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

uint32_t crc32_of(const uint8_t* data, std::size_t size)
{
    uLong crc = ::crc32(0L, Z_NULL, 0);
    while (size > 0) {
        uInt chunk = static_cast<uInt>(std::min<std::size_t>(size, 1u << 30));
        crc = ::crc32(crc, data, chunk);
        data += chunk;
        size -= chunk;
    }
    return static_cast<uint32_t>(crc);
}

void write_plane(std::vector<uint8_t>* out, const Plane& plane)
{
    ByteWriter w(out);
    uint32_t bound = vy_high_low_bound(static_cast<int>(plane.size()));
    std::vector<uint8_t> packed(bound);
    uint32_t length = bound;
    if (vy_high_low_compress(plane.data(), static_cast<int>(plane.size()), packed.data(), &length) == VY_OK) {
        w.u8(1);
        w.u32(length);
        w.raw(packed.data(), length);
        return;
    }
    w.u8(0);
    w.u32(static_cast<uint32_t>(plane.size() * 2));
    w.raw(plane.data(), plane.size() * 2);
}

bool read_plane(ByteReader& in, uint32_t pixels, Plane* plane)
{
    uint8_t type = in.u8();
    uint32_t length = in.u32();
    if (!in.ok() || type > 1) {
        return false;
    }
    uint64_t n = pixels;
    // The codec's output is at most 2N bytes and at least N.
    bool length_ok = type == 0 ? length == 2 * n : (length >= n && length < 2 * n);
    const uint8_t* data = length_ok ? in.span(length) : nullptr;
    if (data == nullptr) {
        return false;
    }
    // Written whole below before anyone reads it.
    Plane out(pixels);
    if (type == 0) {
        std::memcpy(out.data(), data, length);
    } else if (vy_high_low_uncompress(length, data, out.data(), static_cast<int>(pixels)) != VY_OK) {
        return false;
    }
    plane->swap(out);
    return true;
}

void write_params(ByteWriter& w, const Params& p)
{
    w.f32(p.emissivity);
    w.f32(p.distance);
    w.f32(p.ambient);
    w.f32(p.humidity);
    w.f32(p.modify);
    w.f32(p.reference);
    w.u8(static_cast<uint8_t>(p.unit));
}

bool read_params(ByteReader& in, Params* p)
{
    Params r;
    r.emissivity = in.f32();
    r.distance = in.f32();
    r.ambient = in.f32();
    r.humidity = in.f32();
    r.modify = in.f32();
    r.reference = in.f32();
    r.unit = in.u8();
    if (!in.ok() || r.unit > 1) {
        return false;
    }
    for (float v : {r.emissivity, r.distance, r.ambient, r.humidity, r.modify, r.reference}) {
        if (!std::isfinite(v)) {
            return false;
        }
    }
    *p = r;
    return true;
}

}  // namespace detail
}  // namespace sensekern
