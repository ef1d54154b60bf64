// make-samples <calibration data> <output folder>
// Writes sample radiometric JPEG and PNG pictures, an SGCC picture and a
// short recording made from synthetic scenes with known temperatures.
#include "scene.h"
#include "sensekern.h"

#include <QDir>
#include <QImage>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const char kUserData[] =
    "{\"VYPalette\":0,\"VYRotationAngle\":0,\"VYZoomFactor\":1,"
    "\"site\":\"sample scene: warm rectangle, hot spot, cold band\"}";

// A manual range from below the cold band to above the hot spot: the flat
// synthetic scene gives the automatic histogram too few values to spread.
bool set_scene_range(void* frame, const samples::Scene& s)
{
    uint16_t low = 0;
    uint16_t high = 0;
    return sensekern_get_ad_from_temperature(frame, s.coldest - 5.0f, &low) &&
           sensekern_get_ad_from_temperature(frame, s.hottest + 5.0f, &high) &&
           sensekern_set_imaging_range(frame, low, high);
}

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

bool add_sample_anas(void* frame, const samples::Scene& s)
{
    char text[512];
    std::snprintf(text, sizeof(text), "P:%d,%d;-L:%d,%d;%d,%d;-R:%d,%d;%d,%d;-E:%d,%d;%d,%d;-A:%d,%d;%d,%d;%d,%d;-S:%d,%d;%d,%d;%d,%d;-",
                  s.hottest_x, s.hottest_y, s.warm_box.x0 - 10, s.warm_box.y0 + 20, s.warm_box.x1 + 10,
                  s.warm_box.y0 + 20, s.warm_box.x0, s.warm_box.y0, s.warm_box.x1, s.warm_box.y1,
                  s.hot_box.x0 - 12, s.hot_box.y0 - 12, s.hot_box.x1 + 12, s.hot_box.y1 + 12, s.width / 3,
                  s.cold_band.y0 - 10, s.width / 2, s.cold_band.y1 + 5, s.width / 4, s.cold_band.y1 + 5,
                  s.width / 10, s.height / 2, s.width / 2, s.height / 2 + 20, s.width * 9 / 10, s.height / 2);
    if (!sensekern_add_anas(frame, text)) {
        return false;
    }
    std::snprintf(text, sizeof(text), "P:%d,%d;-", s.hottest_x, s.hottest_y);
    return sensekern_ana_set_alias(frame, text, "hot spot");
}

bool write_pictures(const std::string& calibration, const std::string& dir)
{
    samples::Scene scene = samples::make_scene(640, 512);
    void* frame = nullptr;
    if (!samples::make_scene_frame(calibration, scene, &frame)) {
        return false;
    }
    tagTimeVal time{1773567000, 250000};
    std::vector<unsigned char> note = voice_note();
    const unsigned char* user = reinterpret_cast<const unsigned char*>(kUserData);
    uint32_t user_length = sizeof(kUserData) - 1;
    bool ok = sensekern_set_capture_time(frame, &time) && set_scene_range(frame, scene) && add_sample_anas(frame, scene);
    for (const char* format : {"JPG", "PNG"}) {
        std::string path = dir + (format[0] == 'J' ? "/sample.jpg" : "/sample.png");
        ok = ok && save_picture(frame, path, format) &&
             sensekern_append_temperature_to_file(frame, path.c_str(), nullptr, 0, note.data(),
                                                  static_cast<uint32_t>(note.size()), user, user_length);
    }
    std::string sgcc = dir + "/sample_sgcc.jpg";
    ok = ok && save_picture(frame, sgcc, "JPG") &&
         sensekern_append_temperature_to_national_grid_file(frame, sgcc.c_str(), user, user_length);
    sensekern_uninit(&frame);
    return ok;
}

bool write_recording(const std::string& calibration, const std::string& dir)
{
    samples::Scene scene = samples::make_scene(160, 120);
    void* frame = nullptr;
    if (!samples::make_scene_frame(calibration, scene, &frame)) {
        return false;
    }
    std::string path = dir + "/sample.irv";
    QFile::remove(QString::fromStdString(path));
    void* record = nullptr;
    bool ok = set_scene_range(frame, scene) && sensekern_start_record(frame, path.c_str(), &record);
    for (int i = 0; ok && i < 25; ++i) {
        samples::Scene moved = samples::make_scene(160, 120, i);
        std::vector<uint16_t> plane;
        tagTimeVal time{1773567000u + static_cast<uint32_t>(i / 25), static_cast<uint32_t>(i % 25) * 40000u};
        char mark[32];
        int mark_length = i % 10 == 0 ? std::snprintf(mark, sizeof(mark), "mark %d", i) : 0;
        ok = samples::scene_plane(frame, moved, &plane) &&
             sensekern_set_ad_frame(frame, plane.data(), 160, 120) && sensekern_set_capture_time(frame, &time) &&
             sensekern_record_one_frame(frame, record, static_cast<uint16_t>(mark_length),
                                        mark_length != 0 ? mark : nullptr);
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
