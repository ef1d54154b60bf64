// Every plain name a library header declares is a dynamic symbol of that
// library under the very same name, as a C caller, a foreign-function
// interface or dlsym looks it up. The names come from the headers
// themselves, so a new export is checked without editing this test. And a
// library exports nothing else.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <elf.h>

#include <cctype>
#include <fstream>
#include <cstring>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Library {
    const char* name;
    std::size_t typed;  // exports whose interface is a typed C++ signature
};

// Header include/<name>.h, shared library lib<name>.so. camlink's eight
// typed exports name the LenType and MeasRange enumerations; thermframe's
// typed exports are its overloads.
const Library kLibraries[] = {
    {"camlink", 8},  {"framekit", 0}, {"markpen", 0},  {"palettor", 0},
    {"sockmesh", 0}, {"streamnet", 0}, {"tempcore", 0}, {"thermframe", SIZE_MAX},
};

std::string read_file(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Names of the declarations whose line starts with `marker` and a blank;
// the name stands before the first parenthesis of that line.
std::vector<std::string> declared(const std::string& header, const std::string& marker)
{
    std::vector<std::string> names;
    std::istringstream lines(header);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.compare(0, marker.size(), marker) != 0 || line.size() <= marker.size() ||
            (line[marker.size()] != ' ' && line[marker.size()] != '\t')) {
            continue;
        }
        std::size_t end = line.find('(');
        while (end != std::string::npos && end > 0 && line[end - 1] == ' ') {
            --end;
        }
        std::size_t start = end;
        while (start != std::string::npos && start > 0 &&
               (std::isalnum(static_cast<unsigned char>(line[start - 1])) || line[start - 1] == '_')) {
            --start;
        }
        if (end != std::string::npos && start < end) {
            names.push_back(line.substr(start, end - start));
        }
    }
    return names;
}

// The names of the functions and objects a shared library defines as global
// symbols in its dynamic symbol table, read from the file's ELF sections.
// Weak and unique symbols are left out: those are the standard library's
// templates and inline functions, instantiated in every library using them.
std::vector<std::string> defined_dynamic_symbols(const std::string& path)
{
    std::vector<std::string> names;
    const std::string file = read_file(path);
    auto at = [&](uint64_t offset, uint64_t size) {
        return offset <= file.size() && size <= file.size() - offset ? file.data() + offset : nullptr;
    };
    Elf64_Ehdr header{};
    const char* head = at(0, sizeof(header));
    if (head == nullptr || std::memcmp(head, ELFMAG, SELFMAG) != 0 || head[EI_CLASS] != ELFCLASS64) {
        ADD_FAILURE() << path << " is not a 64-bit ELF file";
        return names;
    }
    std::memcpy(&header, head, sizeof(header));
    auto section = [&](unsigned index, Elf64_Shdr* out) {
        const char* p = at(header.e_shoff + static_cast<uint64_t>(index) * sizeof(Elf64_Shdr), sizeof(Elf64_Shdr));
        if (p != nullptr) {
            std::memcpy(out, p, sizeof(*out));
        }
        return p != nullptr;
    };
    for (unsigned i = 0; i < header.e_shnum; ++i) {
        Elf64_Shdr symbols{};
        Elf64_Shdr strings{};
        if (!section(i, &symbols) || symbols.sh_type != SHT_DYNSYM || !section(symbols.sh_link, &strings)) {
            continue;
        }
        const char* table = at(strings.sh_offset, strings.sh_size);
        for (uint64_t k = 0; k + 1 <= symbols.sh_size / sizeof(Elf64_Sym); ++k) {
            Elf64_Sym symbol{};
            const char* p = at(symbols.sh_offset + k * sizeof(Elf64_Sym), sizeof(Elf64_Sym));
            if (p == nullptr || table == nullptr) {
                break;
            }
            std::memcpy(&symbol, p, sizeof(symbol));
            const unsigned type = ELF64_ST_TYPE(symbol.st_info);
            if (symbol.st_shndx != SHN_UNDEF && symbol.st_name < strings.sh_size &&
                ELF64_ST_BIND(symbol.st_info) == STB_GLOBAL &&
                (type == STT_FUNC || type == STT_OBJECT || type == STT_GNU_IFUNC)) {
                names.emplace_back(table + symbol.st_name);
            }
        }
    }
    return names;
}

}  // namespace

TEST(library_exports, a_library_exports_only_what_its_header_declares)
{
    for (const Library& library : kLibraries) {
        SCOPED_TRACE(library.name);
        const std::string header = read_file(std::string(PYRAVUE_INCLUDE_DIR) + "/" + library.name + ".h");
        const std::vector<std::string> plain = declared(header, "VY_API");
        const std::vector<std::string> typed = declared(header, "VY_API_CXX");
        std::set<std::string> allowed(plain.begin(), plain.end());
        allowed.insert({"_init", "_fini"});
        const std::vector<std::string> symbols =
            defined_dynamic_symbols(std::string(PYRAVUE_LIBRARY_DIR) + "/lib" + library.name + ".so");
        ASSERT_FALSE(symbols.empty());
        for (const std::string& symbol : symbols) {
            if (allowed.count(symbol) != 0) {
                continue;
            }
            // A typed export's mangled name starts with its own name.
            bool is_typed = false;
            for (const std::string& name : typed) {
                is_typed = is_typed || symbol.rfind("_Z" + std::to_string(name.size()) + name, 0) == 0;
            }
            EXPECT_TRUE(is_typed) << symbol << " is exported but not declared in " << library.name << ".h";
        }
    }
}

// The typed exports of camlink carry the enumerations in their symbols, and
// take their results by reference.
TEST(library_exports, camlink_typed_exports_name_the_lens_and_range_enumerations)
{
    void* handle = dlopen((std::string(PYRAVUE_LIBRARY_DIR) + "/libcamlink.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    for (const char* symbol : {"_Z13vy_dc_set_dacPv7LenType9MeasRanges", "_Z13vy_dc_get_dacPv7LenType9MeasRangeRs",
                               "_Z14vy_dc_set_ndacPv7LenType9MeasRangett",
                               "_Z14vy_dc_get_ndacPv7LenType9MeasRangeRtS2_"}) {
        EXPECT_NE(dlsym(handle, symbol), nullptr) << symbol;
    }
    dlclose(handle);
}

TEST(library_exports, every_plain_name_of_every_header_is_found_by_dlsym)
{
    for (const Library& library : kLibraries) {
        SCOPED_TRACE(library.name);
        const std::string header = read_file(std::string(PYRAVUE_INCLUDE_DIR) + "/" + library.name + ".h");
        const std::vector<std::string> plain = declared(header, "VY_API");
        const std::vector<std::string> typed = declared(header, "VY_API_CXX");
        ASSERT_GT(plain.size(), 10u);

        const std::string file = std::string("lib") + library.name + ".so";
        void* handle = dlopen((std::string(PYRAVUE_LIBRARY_DIR) + "/" + file).c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr) << dlerror();
        for (const std::string& name : plain) {
            void* symbol = dlsym(handle, name.c_str());
            EXPECT_NE(symbol, nullptr) << name;
            Dl_info info{};
            if (symbol != nullptr && dladdr(symbol, &info) != 0) {
                // Defined by this library, not by one it depends on.
                EXPECT_NE(std::string(info.dli_fname).find(file), std::string::npos) << name;
            }
        }
        // A typed export is not reachable under its plain name, so a plain
        // lookup can never reach a function of another signature.
        std::map<std::string, int> overloads;
        for (const std::string& name : typed) {
            EXPECT_EQ(dlsym(handle, name.c_str()), nullptr) << name;
            ++overloads[name];
        }
        if (library.typed == SIZE_MAX) {
            for (const auto& overload : overloads) {
                EXPECT_GE(overload.second, 2) << overload.first << " is typed but not overloaded";
            }
        } else {
            EXPECT_EQ(typed.size(), library.typed);
        }
        dlclose(handle);
    }
}
