// make-samples <calibration data> <output folder>
// Writes sample radiometric JPEG and PNG pictures, an SGCC picture and a
// recording of scenes a thermographer would recognise (thermal_scenes.h).
#include "sensekern.h"
#include "thermal_scenes.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const char kUserData[] =
    "{\"VYPalette\":0,\"VYRotationAngle\":0,\"VYZoomFactor\":1,\"site\":\"%s\"}";

const tagTimeVal kCaptureTime{1773567000, 250000};

bool save_picture(void* frame, const std::string& path, const char* format)
{
    uint16_t w = 0;
    uint16_t h = 0;
    if (!sensekern_get_resolution(frame, &w, &h)) {
        return false;
    }
    QImage image(w, h, QImage::Format_RGB32);
    uint32_t length = static_cast<uint32_t>(image.sizeInBytes());
    if (!sensekern_get_bits(frame, image.bits(), &length)) {
        return false;
    }
    return image.save(QString::fromStdString(path), format, 90);
}

std::vector<unsigned char> voice_note()
{
    // A quarter second of a 440 Hz tone, 8000 Hz, 8-bit unsigned mono.
    std::vector<unsigned char> pcm(2000);
    for (std::size_t i = 0; i < pcm.size(); ++i) {
        pcm[i] = static_cast<unsigned char>(128 + 100 * std::sin(2 * M_PI * 440.0 * i / 8000.0));
    }
    return pcm;
}

int clamp_to(int v, int limit)
{
    return std::max(1, std::min(v, limit - 2));
}

// One object of each kind around the scene's extremes; the point on the
// hottest pixel is named "hot spot".
bool add_sample_anas(void* frame, const samples::Field& f)
{
    const int w = f.width;
    const int h = f.height;
    const int hx = f.hottest_x;
    const int hy = f.hottest_y;
    const int cx = f.coldest_x;
    const int cy = f.coldest_y;
    char text[512];
    std::snprintf(text, sizeof(text), "P:%d,%d;-L:%d,%d;%d,%d;-R:%d,%d;%d,%d;-E:%d,%d;%d,%d;-A:%d,%d;%d,%d;%d,%d;-S:%d,%d;%d,%d;%d,%d;-",
                  hx, hy, w / 10, hy, w * 9 / 10, hy, clamp_to(hx - w / 16, w), clamp_to(hy - h / 12, h),
                  clamp_to(hx + w / 16, w), clamp_to(hy + h / 12, h), clamp_to(cx - w / 20, w), clamp_to(cy - h / 16, h),
                  clamp_to(cx + w / 20, w), clamp_to(cy + h / 16, h), w / 20, h * 9 / 10, w / 4, h * 7 / 10, w / 3, h * 19 / 20,
                  w / 10, h / 2, w / 2, h / 2 + h / 25, w * 9 / 10, h / 2);
    if (!sensekern_add_anas(frame, text)) {
        return false;
    }
    std::snprintf(text, sizeof(text), "P:%d,%d;-", hx, hy);
    return sensekern_ana_set_alias(frame, text, "hot spot");
}

// A frame with the sample calibration fed with a field.
bool make_field_frame(const std::string& calibration, const samples::Field& field, void** frame)
{
    void* h = nullptr;
    if (!sensekern_init(&h)) {
        return false;
    }
    std::vector<uint16_t> plane;
    if (!sensekern_load_calibration_file(h, calibration.c_str()) || !samples::field_plane(h, field, &plane) ||
        !sensekern_set_ad_frame(h, plane.data(), static_cast<uint16_t>(field.width),
                                static_cast<uint16_t>(field.height)) ||
        !sensekern_set_auto_imaging(h, true)) {
        sensekern_uninit(&h);
        return false;
    }
    *frame = h;
    return true;
}

enum class Kind { jpeg, png, national_grid };

bool write_picture(const std::string& calibration, const samples::Field& field, const std::string& path, Kind kind,
                   const char* site)
{
    void* frame = nullptr;
    if (!make_field_frame(calibration, field, &frame)) {
        return false;
    }
    char user[256];
    const int user_length = std::snprintf(user, sizeof(user), kUserData, site);
    const auto* user_bytes = reinterpret_cast<const unsigned char*>(user);
    std::vector<unsigned char> note = voice_note();
    bool ok = sensekern_set_capture_time(frame, &kCaptureTime) && add_sample_anas(frame, field) &&
              save_picture(frame, path, kind == Kind::png ? "PNG" : "JPG");
    if (kind == Kind::national_grid) {
        ok = ok && sensekern_append_temperature_to_national_grid_file(frame, path.c_str(), user_bytes,
                                                                      static_cast<uint32_t>(user_length));
    } else {
        ok = ok && sensekern_append_temperature_to_file(frame, path.c_str(), nullptr, 0, note.data(),
                                                         static_cast<uint32_t>(note.size()), user_bytes,
                                                         static_cast<uint32_t>(user_length));
    }
    sensekern_uninit(&frame);
    return ok;
}

bool write_pictures(const std::string& calibration, const std::string& dir)
{
    const samples::Field cabinet = samples::cabinet_field(640, 512, 11);
    const samples::Field wall = samples::wall_field(640, 512, 12);
    const samples::Field pipes = samples::pipes_field(640, 512, 1.0f, 13);
    return write_picture(calibration, cabinet, dir + "/sample.jpg", Kind::jpeg,
                         "switch cabinet: overheated connector on the middle rail") &&
           write_picture(calibration, pipes, dir + "/sample.png", Kind::png, "boiler room: heating pipes") &&
           write_picture(calibration, wall, dir + "/sample_wall.jpg", Kind::jpeg,
                         "room corner: cold bridge at the ceiling joint") &&
           write_picture(calibration, cabinet, dir + "/sample_sgcc.jpg", Kind::national_grid,
                         "switch cabinet: overheated connector on the middle rail");
}

// The pipes while the pump starts: the hot water front runs along the
// supply pipe; marks where a thermographer would set them.
bool write_recording(const std::string& calibration, const std::string& dir)
{
    constexpr int kW = 160;
    constexpr int kH = 120;
    constexpr int kFrames = 240;
    void* frame = nullptr;
    if (!make_field_frame(calibration, samples::pipes_field(kW, kH, 0.0f, 100), &frame)) {
        return false;
    }
    std::string path = dir + "/sample.irv";
    QFile::remove(QString::fromStdString(path));
    QFile::remove(QString::fromStdString(path + ".marks"));
    const std::map<int, const char*> marks = {{0, "recording start"},
                                              {20, "pump on"},
                                              {110, "hot water at the valve"},
                                              {200, "supply pipe warm"},
                                              {kFrames - 1, "end"}};
    void* record = nullptr;
    bool ok = sensekern_start_record(frame, path.c_str(), &record);
    for (int i = 0; ok && i < kFrames; ++i) {
        const float flow = std::clamp((i - 20) / 180.0f, 0.0f, 1.0f);
        const samples::Field field = samples::pipes_field(kW, kH, flow, 100 + static_cast<uint32_t>(i));
        std::vector<uint16_t> plane;
        const uint64_t ms = uint64_t{kCaptureTime.sec} * 1000 + 40ull * i;
        tagTimeVal time{static_cast<uint32_t>(ms / 1000), static_cast<uint32_t>(ms % 1000) * 1000u};
        auto mark = marks.find(i);
        const char* text = mark == marks.end() ? nullptr : mark->second;
        ok = samples::field_plane(frame, field, &plane) && sensekern_set_ad_frame(frame, plane.data(), kW, kH) &&
             sensekern_set_capture_time(frame, &time) &&
             sensekern_record_one_frame(frame, record, static_cast<uint16_t>(text ? std::strlen(text) : 0),
                                        const_cast<char*>(text));
    }
    if (record != nullptr) {
        ok = sensekern_stop_record(frame, &record, 0, nullptr) && ok;
    }
    sensekern_uninit(&frame);
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-samples <calibration data> <output folder>\n");
        return 2;
    }
    std::string dir = argv[2];
    if (!QDir().mkpath(QString::fromStdString(dir))) {
        std::fprintf(stderr, "make-samples: can not create %s\n", argv[2]);
        return 1;
    }
    if (!write_pictures(argv[1], dir) || !write_recording(argv[1], dir)) {
        std::fprintf(stderr, "make-samples: writing the samples failed\n");
        return 1;
    }
    return 0;
}
