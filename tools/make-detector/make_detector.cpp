// Writes the sample detector configuration file.
//   make-detector [--version N] [--width W --height H] <output>
// Version 0 to 4 (default 4, the form the capture library saves); the size
// must be the detector's (default 640 x 480).
#include "sample_detector.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool number(const char* text, long low, long high, long* out)
{
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < low || value > high) {
        return false;
    }
    *out = value;
    return true;
}

int usage()
{
    std::fprintf(stderr, "usage: make-detector [--version 0..4] [--width W --height H] <output>\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    long version = 4;
    long width = 640;
    long height = 480;
    std::string output;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        long* target = arg == "--version" ? &version : arg == "--width" ? &width : arg == "--height" ? &height : nullptr;
        if (target != nullptr) {
            long high = target == &version ? 4 : 4096;
            long low = target == &version ? 0 : 3;
            if (i + 1 >= argc || !number(argv[++i], low, high, target)) {
                return usage();
            }
        } else if (output.empty() && arg.rfind("--", 0) != 0) {
            output = arg;
        } else {
            return usage();
        }
    }
    if (output.empty()) {
        return usage();
    }
    std::vector<uint8_t> bytes;
    if (!detector_sample::sample_file(static_cast<uint16_t>(width), static_cast<uint16_t>(height),
                                      static_cast<uint16_t>(version), &bytes) ||
        !detector_sample::write_file(output, bytes)) {
        std::fprintf(stderr, "make-detector: cannot write %s\n", output.c_str());
        return 1;
    }
    return 0;
}
