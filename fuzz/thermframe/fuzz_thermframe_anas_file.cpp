// Analysis-object files from outside: loaded into a small document (objects
// are rescaled to it, added, given aliases and attributes, labels laid out),
// saved again and reloaded.
#include "sensekern.h"
#include "thermframe.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

void* document()
{
    static void* doc = [] {
        static int argc = 1;
        static char name[] = "fuzz_thermframe_anas_file";
        static char* argv[] = {name, nullptr};
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        new QGuiApplication(argc, argv);
        void* frame = nullptr;
        void* d = nullptr;
        std::vector<uint16_t> plane(160 * 120);
        for (size_t i = 0; i < plane.size(); ++i) {
            plane[i] = static_cast<uint16_t>(12000 + i % 911);
        }
        if (sensekern_init(&frame) && sensekern_set_ad_frame(frame, plane.data(), 160, 120)) {
            thermframe_doc_init(d, frame);
            thermframe_set_wnd_show_resolution(d, 320, 240);
        }
        return d;
    }();
    return doc;
}

std::string temp_path(const char* suffix)
{
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir != nullptr ? dir : "/tmp") + "/fuzz_thermframe_" +
           std::to_string(getpid()) + suffix;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    void* doc = document();
    if (doc == nullptr) {
        return 0;
    }
    const std::string input = temp_path(".in");
    const std::string output = temp_path(".out");
    if (FILE* f = std::fopen(input.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    if (thermframe_load_anas_from_file(doc, input) && thermframe_save_anas_to_file(doc, output)) {
        thermframe_delete_all_ana(doc);
        thermframe_load_anas_from_file(doc, output);
    }
    thermframe_delete_all_ana(doc);
    std::remove(input.c_str());
    std::remove(output.c_str());
    return 0;
}
