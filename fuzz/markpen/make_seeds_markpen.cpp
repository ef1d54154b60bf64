// Seeds of the shape rasteriser: one of each shape on small and tiny targets.
#include <fstream>
#include <string>
#include <sys/stat.h>

int main(int argc, char** argv)
{
    if (argc != 2) {
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/fuzz_markpen_shapes";
    mkdir(argv[1], 0755);
    mkdir(dir.c_str(), 0755);
    struct Seed {
        unsigned char width, height, flags, tx, ty;
        const char* text;
    } seeds[] = {
        {40, 30, 1, 70, 70, "P:10,10;-L:0,0;39,29;-"},
        {4, 4, 3, 64, 64, "E:0,0;3,3;-R:3,3;0,0;-"},
        {1, 1, 1, 60, 90, "A:0,0;5,0;5,5;-S:0,5;5,0;2,2;-"},
        {63, 20, 7, 200, 10, "R:10,5;70000,-3;-P:63,19;-"},
    };
    int n = 0;
    for (const Seed& s : seeds) {
        std::ofstream out(dir + "/seed" + std::to_string(n++), std::ios::binary | std::ios::trunc);
        const unsigned char head[5] = {s.width, s.height, s.flags, s.tx, s.ty};
        out.write(reinterpret_cast<const char*>(head), 5);
        out << s.text;
        if (!out) {
            return 1;
        }
    }
    return 0;
}
