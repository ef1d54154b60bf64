// Writes the calibration-data seeds with the project's own writer: the
// sample detector and smaller variants of it.
#include "calibration_description.h"
#include "seed_writer.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <vector>

using seeds::write_seed;

namespace {

std::string read_text(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const char* const kSmall =
    "[detector]\n"
    "productor = seed\n"
    "date_time = 20260101000000\n"
    "[range lens=2 environment=0 id=3]\n"
    "detector_temp = 25\n"
    "base_ad_compensation = -40\n"
    "min = 0\nmax = 60\nfirst = 0\nlast = 60\n"
    "samples = 11000 11500 12100 12800 13600 14500 15500\n"
    "[range lens=5 environment=1 id=0]\n"
    "detector_temp = -10\n"
    "base_ad_compensation = 0\n"
    "min = -40\nmax = 0\nfirst = -40\nlast = 0\n"
    "samples = 10100 10300 10600\n"
    "[lens 2]\nserial = S2\ndescription = small\ndrift = 1.5\n";

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds_tempcore <folder>\n");
        return 2;
    }
    std::string root = argv[1];
    mkdir(root.c_str(), 0755);
    std::string dir = root + "/fuzz_calibration_load";
    std::string folder = TEMPCORE_SAMPLE_DIR;
    std::string description = read_text(folder + "/sample.desc");
    std::string script = read_text(folder + "/sample_script.lua");

    bool ok = true;
    std::vector<uint8_t> data;
    std::string error;
    const std::pair<const char*, std::string> seeds[] = {
        {"sample", description},
        {"small", kSmall},
    };
    for (const auto& seed : seeds) {
        if (!calibration::build_calibration_data(seed.second, script, &data, &error)) {
            std::fprintf(stderr, "make_seeds_tempcore: %s: %s\n", seed.first, error.c_str());
            return 1;
        }
        ok = write_seed(dir, seed.first, data) && ok;
        std::vector<uint8_t> header(data.begin(), data.begin() + 129);
        ok = write_seed(dir, std::string(seed.first) + "_header_only", header) && ok;
    }
    return ok ? 0 : 1;
}
