// Helpers of the sensekern tests: frames made from the synthetic scene,
// a temporary folder and plain pictures written with Qt.
#pragma once

#include "scene.h"
#include "sensekern.h"
#include "temp_dir.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace sktest {

// The sample calibration the build writes into the program directory, where
// the tests run.
inline const char* calibration() { return "ad_temp"; }

// Owns one sensekern frame.
class Frame {
public:
    Frame() { EXPECT_TRUE(sensekern_init(&h_)); }
    explicit Frame(const samples::Scene& scene) { EXPECT_TRUE(samples::make_scene_frame(calibration(), scene, &h_)); }
    ~Frame()
    {
        if (h_ != nullptr) {
            sensekern_uninit(&h_);
        }
    }
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;
    void* h() const { return h_; }

private:
    void* h_ = nullptr;
};

using TempDir = vytest::TempDir;

inline std::vector<uint8_t> read_bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void write_bytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The frame's colour picture saved as a plain JPEG or PNG.
inline bool save_picture(void* frame, const std::string& path, const char* format)
{
    uint16_t w = 0;
    uint16_t h = 0;
    if (!sensekern_get_resolution(frame, &w, &h)) {
        return false;
    }
    QImage image(w, h, QImage::Format_RGB32);
    uint32_t length = static_cast<uint32_t>(image.sizeInBytes());
    return sensekern_get_bits(frame, image.bits(), &length) &&
           image.save(QString::fromStdString(path), format);
}

// Peak resident memory of the process so far, in KiB. A test compares it
// before and after reading a large sparse file: a reader that pulls the file
// into memory raises it by the file's size.
inline long peak_memory_kib()
{
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Grows a file to `size` bytes without writing them (a sparse file).
inline void extend_sparse(const std::string& path, uint64_t size)
{
    EXPECT_EQ(truncate(path.c_str(), static_cast<off_t>(size)), 0);
}

inline std::vector<uint16_t> plane_of(void* frame)
{
    uint32_t count = 0;
    EXPECT_TRUE(sensekern_get_ad_frame(frame, nullptr, &count));
    std::vector<uint16_t> plane(count);
    EXPECT_TRUE(sensekern_get_ad_frame(frame, plane.data(), &count));
    return plane;
}

inline std::vector<float> temperatures_of(void* frame)
{
    uint16_t w = 0;
    uint16_t h = 0;
    EXPECT_TRUE(sensekern_get_resolution(frame, &w, &h));
    std::vector<float> t(static_cast<std::size_t>(w) * h);
    EXPECT_TRUE(sensekern_get_all_pixel_temperature(frame, t.data()));
    return t;
}

}  // namespace sktest
