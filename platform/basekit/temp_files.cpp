// Temporary files that interrupted saves left beside their targets.
#include "basekit.h"

#include <cstring>
#include <ctime>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool is_suffix_char(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// "<stem>.XXXXXX" with six letters or digits.
bool is_temp_name(const char* name, const std::string& stem)
{
    const size_t length = std::strlen(name);
    if (length != stem.size() + 7 || std::strncmp(name, stem.c_str(), stem.size()) != 0 || name[stem.size()] != '.') {
        return false;
    }
    for (size_t i = stem.size() + 1; i < length; ++i) {
        if (!is_suffix_char(name[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

int vy_remove_stale_temp_files(const char* target, int hidden, int* removed)
{
    if (target == nullptr || target[0] == '\0') {
        return VY_ERR_ARGUMENT;
    }
    const std::string path(target);
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty()) {
        return VY_ERR_ARGUMENT;
    }
    const std::string stem = (hidden ? "." : "") + name;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return VY_ERR_DATA;
    }
    const std::time_t before = std::time(nullptr) - VY_STALE_TEMP_SECONDS;
    int count = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (!is_temp_name(entry->d_name, stem)) {
            continue;
        }
        const std::string candidate = folder + (folder.back() == '/' ? "" : "/") + entry->d_name;
        struct stat st;
        // Links and anything else but a plain file are no temporary file of ours.
        if (::lstat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_mtime < before &&
            ::unlink(candidate.c_str()) == 0) {
            ++count;
        }
    }
    ::closedir(dir);
    if (removed != nullptr) {
        *removed = count;
    }
    return VY_OK;
}
