// Every plain name a library header declares is a dynamic symbol of that
// library under the very same name, as a C caller, a foreign-function
// interface or dlsym looks it up. The names come from the headers
// themselves, so a new export is checked without editing this test.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cctype>
#include <fstream>
#include <map>
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

}  // namespace

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
