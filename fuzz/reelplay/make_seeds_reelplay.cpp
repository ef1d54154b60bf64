// Writes the seed corpus of the mark-file fuzz target with reelplay's own
// writer: no marks, a few marks, a long one and an empty one.
#include "mark_store.h"
#include "seed_writer.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds_reelplay <seed folder>\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/fuzz_reelplay_marks";
    using reelplay::detail::Marks;
    Marks few;
    few[0] = {'s', 't', 'a', 'r', 't'};
    few[20] = {'p', 'u', 'm', 'p', ' ', 'o', 'n'};
    few[239] = {};
    Marks long_one;
    long_one[5].assign(3000, 'x');
    bool ok = seeds::write_seed(dir, "none", reelplay::detail::build_mark_file(Marks(), 240, 5206540)) &&
              seeds::write_seed(dir, "few", reelplay::detail::build_mark_file(few, 240, 5206540)) &&
              seeds::write_seed(dir, "long", reelplay::detail::build_mark_file(long_one, 10, 1ull << 33));
    return ok ? 0 : 1;
}
