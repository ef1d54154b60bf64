// Writes the seed corpora of the sensekern fuzz targets with sensekern's own
// writers: radiometric and national-grid blocks after a minimal JPEG, and
// recordings with and without their trailer.
#include "scene.h"
#include "seed_writer.h"
#include "sensekern.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes read_all(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool write_all(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool seed(const std::string& root, const std::string& target, const std::string& name, const Bytes& bytes)
{
    return seeds::write_seed(root + "/" + target, name, bytes);
}

// Start and end markers of a JPEG: enough for the appender's picture check.
const Bytes kPicture = {0xFF, 0xD8, 0xFF, 0xD9};

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds_sensekern <seed folder>\n");
        return 2;
    }
    std::string root = argv[1];
    samples::Scene scene = samples::make_scene(16, 12);
    void* frame = nullptr;
    if (!samples::make_scene_frame(SENSEKERN_SEED_CALIBRATION, scene, &frame)) {
        std::fprintf(stderr, "make_seeds_sensekern: no scene frame\n");
        return 1;
    }
    char work_name[] = "/tmp/sensekern-seeds-XXXXXX";
    std::string work = mkdtemp(work_name) != nullptr ? work_name : "/tmp";
    std::string pic = work + "/p.jpg";
    const unsigned char user[] = "{\"VYPalette\":1}";
    const unsigned char sound[] = {128, 130, 126};
    bool ok = write_all(pic, kPicture) &&
              sensekern_append_temperature_to_file(frame, pic.c_str(), nullptr, 0, nullptr, 0, nullptr, 0) &&
              seed(root, "fuzz_sensekern_picture", "plain_block", read_all(pic));
    ok = ok && sensekern_add_anas(frame, "P:3,3;-L:1,1;10,8;-R:2,2;9,9;-E:4,4;12,10;-A:1,1;5,1;3,5;-S:1,9;8,9;14,2;-") &&
         sensekern_ana_set_alias(frame, "R:2,2;9,9;-", "box") &&
         sensekern_ana_set_self_para(frame, "P:3,3;-", true, 0.95f, 3.0f) && write_all(pic, kPicture) &&
         sensekern_append_temperature_to_file(frame, pic.c_str(), sound, 3, sound, 3, user, sizeof(user) - 1) &&
         seed(root, "fuzz_sensekern_picture", "with_anas", read_all(pic));
    ok = ok && write_all(pic, kPicture) &&
         sensekern_append_temperature_to_national_grid_file(frame, pic.c_str(), user, sizeof(user) - 1) &&
         seed(root, "fuzz_sensekern_national_grid", "grid", read_all(pic));

    std::string irv = work + "/r.irv";
    void* record = nullptr;
    ok = ok && sensekern_start_record(frame, irv.c_str(), &record);
    char mark[] = "m";
    for (int i = 0; ok && i < 3; ++i) {
        ok = sensekern_record_one_frame(frame, record, i == 1 ? 1 : 0, i == 1 ? mark : nullptr);
        if (i == 1) {
            ok = ok && sensekern_set_emiss(frame, 0.8f);
        }
    }
    ok = ok && sensekern_stop_record(frame, &record, 0, nullptr);
    Bytes recording = read_all(irv);
    ok = ok && seed(root, "fuzz_sensekern_recording", "complete", recording) &&
         seed(root, "fuzz_sensekern_recording", "cut_off", Bytes(recording.begin(), recording.end() - 40));
    unlink(pic.c_str());
    unlink(irv.c_str());
    rmdir(work.c_str());
    sensekern_uninit(&frame);
    if (!ok) {
        std::fprintf(stderr, "make_seeds_sensekern: writing the seeds failed\n");
        return 1;
    }
    return 0;
}
