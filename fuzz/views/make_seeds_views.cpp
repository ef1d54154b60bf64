// Seeds of the isotherm file reader, written by its own writer.
#include "seed_writer.h"
#include "views/isotherm_file.h"

#include <string>

int main(int argc, char** argv)
{
    if (argc < 2) return 1;
    const std::string dir = std::string(argv[1]) + "/fuzz_isotherm_file";
    std::vector<IsothermFileBand> bands;
    bool ok = seeds::write_seed(dir, "none.is", IsothermFile::serialise(bands));
    for (int i = 0; i < 3; ++i) {
        IsothermFileBand band;
        band.low = 20.0f + 10.0f * float(i);
        band.span = 5.0f;
        band.colour = 0x00FF0000u >> (8 * i);
        band.transparent = i == 1;
        bands.push_back(band);
        ok = seeds::write_seed(dir, "bands" + std::to_string(i + 1) + ".is", IsothermFile::serialise(bands)) && ok;
    }
    return ok ? 0 : 1;
}
