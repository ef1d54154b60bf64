// Writes one seed file of a fuzz target's corpus, making its folder (and the
// folder above it) when needed. Shared by the seed makers of every library.
#pragma once

#include <cstddef>
#include <fstream>
#include <string>
#include <sys/stat.h>

namespace seeds {

inline bool write_seed(const std::string& dir, const std::string& name, const void* data, std::size_t size)
{
    std::string::size_type slash = dir.find_last_of('/');
    if (slash != std::string::npos && slash > 0) {
        mkdir(dir.substr(0, slash).c_str(), 0755);
    }
    mkdir(dir.c_str(), 0755);
    std::ofstream out(dir + "/" + name, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    return static_cast<bool>(out);
}

// Any contiguous container of bytes or chars.
template <class Bytes>
bool write_seed(const std::string& dir, const std::string& name, const Bytes& bytes)
{
    return write_seed(dir, name, bytes.data(), bytes.size() * sizeof(bytes[0]));
}

}  // namespace seeds
