// Writes the seed corpus of the analysis-object file target with
// thermframe's own writer: documents of two sizes holding every kind of
// object with aliases and display attributes.
#include "sensekern.h"
#include "thermframe.h"

#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

struct Doc {
    void* frame = nullptr;
    void* doc = nullptr;

    Doc(uint16_t width, uint16_t height)
    {
        std::vector<uint16_t> plane(static_cast<size_t>(width) * height);
        for (size_t i = 0; i < plane.size(); ++i) {
            plane[i] = static_cast<uint16_t>(12000 + i % 997);
        }
        if (sensekern_init(&frame) && sensekern_set_ad_frame(frame, plane.data(), width, height)) {
            thermframe_doc_init(doc, frame);
        }
    }
    ~Doc()
    {
        thermframe_doc_uninit(doc);
        sensekern_uninit(&frame);
    }
};

bool save(Doc& d, const std::string& dir, const char* name)
{
    const std::string path = dir + "/" + name;
    if (!thermframe_save_anas_to_file(d.doc, path)) {
        std::fprintf(stderr, "make_seeds_thermframe: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds_thermframe <seed folder>\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/fuzz_thermframe_anas_file";
    mkdir(argv[1], 0755);
    mkdir(dir.c_str(), 0755);

    Doc small(384, 288);
    if (small.doc == nullptr) {
        std::fprintf(stderr, "make_seeds_thermframe: no document\n");
        return 1;
    }
    bool ok = thermframe_add_ana(small.doc, "P:100,100;-") && save(small, dir, "one_point.ana");

    void* rect = nullptr;
    ok = ok && thermframe_add_ana(small.doc, "L:5,5;200,150;-") &&
         thermframe_add_ana(small.doc, "E:50,50;90,80;-") &&
         thermframe_add_ana(small.doc, "R:10,10;120,90;-", rect) &&
         thermframe_add_ana(small.doc, "A:10,200;60,210;40,260;-") &&
         thermframe_add_ana(small.doc, "S:300,10;320,40;350,20;370,60;-") &&
         thermframe_ana_set_alias(rect, "Box") && thermframe_ana_set_line_clr(rect, 0x00ff00u) &&
         thermframe_ana_set_text_type(rect, static_cast<ShowTextType>(7)) &&
         thermframe_ana_set_self_palette(rect, true) &&
         thermframe_ana_set_palette_param(rect, 12100, 12800) &&
         thermframe_ana_set_self_para(rect, true, 0.9f, 2.0f) && save(small, dir, "all_kinds.ana");

    Doc big(640, 480);
    ok = ok && big.doc != nullptr && thermframe_add_ana(big.doc, "P:600,400;-") &&
         thermframe_add_ana(big.doc, "R:0,0;639,479;-") && save(big, dir, "large_frame.ana");
    return ok ? 0 : 1;
}
