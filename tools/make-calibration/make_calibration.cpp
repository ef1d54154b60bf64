// make-calibration <description> <output>: writes calibration data from a
// readable description; the description's `script` names the calibration
// script, relative to the description's folder.
#include "calibration_description.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

bool read_file(const std::string& path, std::string* text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    text->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-calibration <description> <output>\n");
        return 2;
    }
    std::string description_path = argv[1];
    std::string description;
    if (!read_file(description_path, &description)) {
        std::fprintf(stderr, "make-calibration: cannot read %s\n", argv[1]);
        return 1;
    }
    std::string script_name = calibration::detector_value(description, "script");
    std::size_t slash = description_path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : description_path.substr(0, slash);
    std::string script;
    if (script_name.empty() || !read_file(folder + "/" + script_name, &script)) {
        std::fprintf(stderr, "make-calibration: cannot read the script '%s'\n", script_name.c_str());
        return 1;
    }
    std::vector<uint8_t> data;
    std::string error;
    if (!calibration::build_calibration_data(description, script, &data, &error)) {
        std::fprintf(stderr, "make-calibration: %s\n", error.c_str());
        return 1;
    }
    // Written beside the target and renamed, so a failed run leaves no
    // half-written file behind.
    std::string output = argv[2];
    std::string partial = output + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
        if (!out.flush()) {
            std::remove(partial.c_str());
            std::fprintf(stderr, "make-calibration: cannot write %s\n", output.c_str());
            return 1;
        }
    }
    if (std::rename(partial.c_str(), output.c_str()) != 0) {
        std::remove(partial.c_str());
        std::fprintf(stderr, "make-calibration: cannot write %s\n", output.c_str());
        return 1;
    }
    return 0;
}
