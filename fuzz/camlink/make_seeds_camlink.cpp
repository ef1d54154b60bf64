// Writes the detector-file seeds with the project's own writer: the sample
// configuration in every version, a file without lenses and cut files.
#include "sample_detector.h"
#include "seed_writer.h"

#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds_camlink <folder>\n");
        return 2;
    }
    std::string root = argv[1];
    mkdir(root.c_str(), 0755);
    std::string dir = root + "/fuzz_detector_file";
    bool ok = true;
    std::vector<uint8_t> bytes;
    for (uint16_t version = 0; version <= 4; ++version) {
        if (!detector_sample::sample_file(8, 6, version, &bytes)) {
            return 1;
        }
        ok = seeds::write_seed(dir, "sample_v" + std::to_string(version), bytes) && ok;
    }
    std::vector<uint8_t> no_lenses(bytes.begin(), bytes.begin() + 49);
    no_lenses[48] = 0;
    ok = seeds::write_seed(dir, "no_lenses", no_lenses) && ok;
    std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + bytes.size() / 2);
    ok = seeds::write_seed(dir, "cut", cut) && ok;
    if (!detector_sample::sample_file(16, 12, 2, &bytes)) {
        return 1;
    }
    ok = seeds::write_seed(dir, "sample_16x12_v2", bytes) && ok;
    return ok ? 0 : 1;
}
