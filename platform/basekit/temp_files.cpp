// Temporary files that saves make beside their targets, and those that
// interrupted saves left there.
#include "basekit.h"

#include <cstring>
#include <ctime>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr size_t kSuffixLength = 7;  // ".XXXXXX"

bool is_suffix_char(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool is_suffix(const std::string& text, size_t at)
{
    if (text[at] != '.') {
        return false;
    }
    for (size_t i = at + 1; i < at + kSuffixLength; ++i) {
        if (!is_suffix_char(text[i])) {
            return false;
        }
    }
    return true;
}

// The name as it appears in temporary names: whole up to VY_TEMP_NAME_WHOLE
// bytes, else cut to at most VY_TEMP_NAME_CUT bytes before a UTF-8 lead byte.
std::string short_name(const std::string& name)
{
    if (name.size() <= VY_TEMP_NAME_WHOLE) {
        return name;
    }
    size_t length = VY_TEMP_NAME_CUT;
    while (length > 0 && (static_cast<unsigned char>(name[length]) & 0xC0) == 0x80) {
        --length;
    }
    return name.substr(0, length);
}

// "<stem>" followed by `groups` suffixes ".XXXXXX".
bool is_temp_name(const std::string& entry, const std::string& stem, size_t groups)
{
    if (entry.size() != stem.size() + groups * kSuffixLength || entry.compare(0, stem.size(), stem) != 0) {
        return false;
    }
    for (size_t g = 0; g < groups; ++g) {
        if (!is_suffix(entry, stem.size() + g * kSuffixLength)) {
            return false;
        }
    }
    return true;
}

// Whether `entry` is a temporary name that a save of `name` makes: the
// first level, or the second one made beside a first-level file.
bool is_temp_of(const std::string& entry, const std::string& name, bool hidden)
{
    if (!hidden) {
        return is_temp_name(entry, name, 1);
    }
    const std::string first_stem = "." + short_name(name);
    if (is_temp_name(entry, first_stem, 1)) {
        return true;
    }
    // The second level is ".<first-level name>.YYYYYY", whose first-level
    // name is itself cut when long; the cut falls before its random part.
    const std::string first_name = first_stem + std::string(kSuffixLength, 'X');
    const std::string second_short = short_name(first_name);
    if (second_short.size() == first_name.size()) {
        return is_temp_name(entry, "." + first_stem, 2);
    }
    return is_temp_name(entry, "." + second_short, 1);
}

// The folder and name of a target; false without a name.
bool split_target(const char* target, std::string& folder, std::string& name)
{
    if (target == nullptr || target[0] == '\0') {
        return false;
    }
    const std::string path(target);
    const size_t slash = path.rfind('/');
    folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
    name = slash == std::string::npos ? path : path.substr(slash + 1);
    return !name.empty();
}

}  // namespace

int vy_temp_file_pattern(const char* target, char* pattern, size_t size)
{
    std::string folder;
    std::string name;
    if (pattern == nullptr || !split_target(target, folder, name)) {
        return VY_ERR_ARGUMENT;
    }
    const std::string made = (folder == "/" ? std::string() : folder) + "/." + short_name(name) + ".XXXXXX";
    if (made.size() + 1 > size) {
        return VY_ERR_ARGUMENT;
    }
    std::memcpy(pattern, made.c_str(), made.size() + 1);
    return VY_OK;
}

int vy_remove_stale_temp_files(const char* target, int hidden, int* removed)
{
    std::string folder;
    std::string name;
    if (!split_target(target, folder, name)) {
        return VY_ERR_ARGUMENT;
    }
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return VY_ERR_DATA;
    }
    const std::time_t before = std::time(nullptr) - VY_STALE_TEMP_SECONDS;
    int count = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (!is_temp_of(entry->d_name, name, hidden != 0)) {
            continue;
        }
        const std::string candidate = folder + (folder.back() == '/' ? "" : "/") + entry->d_name;
        struct stat st;
        // Links and anything else but a plain file are no temporary file of ours.
        if (::lstat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_mtime < before &&
            ::unlinkat(::dirfd(dir), entry->d_name, 0) == 0) {
            ++count;
        }
    }
    ::closedir(dir);
    if (removed != nullptr) {
        *removed = count;
    }
    return VY_OK;
}
