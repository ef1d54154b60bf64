#include "logline.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

const char* const kFileName = "pyravue.log";

struct LogState {
    std::mutex mutex;
    int references = 0;
    FILE* file = nullptr;
    std::string path;
    std::string directory;
    long long written = 0;
    long long max_bytes = 0;
    int keep_files = 0;
};

LogState& state()
{
    // Never destroyed: objects may log from other libraries' exit handlers.
    static LogState* instance = new LogState;
    return *instance;
}

bool make_dirs(const std::string& path)
{
    std::string partial;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '/') {
            if (!partial.empty() && mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) {
                return false;
            }
        }
        if (i < path.size()) {
            partial += path[i];
        }
    }
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string fallback_directory()
{
    const char* state_home = std::getenv("XDG_STATE_HOME");
    std::string base;
    if (state_home != nullptr && state_home[0] == '/') {
        base = state_home;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home != nullptr ? home : "/tmp") + "/.local/state";
    }
    return base + "/pyravue/log";
}

FILE* open_in(const std::string& directory, std::string* path)
{
    if (directory.empty() || !make_dirs(directory) || access(directory.c_str(), W_OK) != 0) {
        return nullptr;
    }
    std::string candidate = directory + "/" + kFileName;
    FILE* file = std::fopen(candidate.c_str(), "a");
    if (file != nullptr) {
        *path = candidate;
    }
    return file;
}

std::string rotated_name(const LogState& s, int index)
{
    return s.directory + "/" + kFileName + "." + std::to_string(index);
}

// Called with the mutex held.
void roll_over(LogState& s)
{
    std::fclose(s.file);
    s.file = nullptr;
    if (s.keep_files > 0) {
        std::remove(rotated_name(s, s.keep_files).c_str());
        for (int i = s.keep_files - 1; i >= 1; --i) {
            std::rename(rotated_name(s, i).c_str(), rotated_name(s, i + 1).c_str());
        }
        std::rename(s.path.c_str(), rotated_name(s, 1).c_str());
    } else {
        std::remove(s.path.c_str());
    }
    s.file = std::fopen(s.path.c_str(), "a");
    s.written = 0;
}

const char* level_name(int level)
{
    switch (level) {
    case LOGLINE_INFO: return "INFO";
    case LOGLINE_ERROR: return "ERROR";
    case LOGLINE_PROGRESS: return "PROGRESS";
    default: return "LEVEL";
    }
}

const char* base_name(const char* path)
{
    if (path == nullptr) {
        return "?";
    }
    const char* slash = std::strrchr(path, '/');
    return slash != nullptr ? slash + 1 : path;
}

}  // namespace

bool logline_init(const char* directory, int keep_files, int max_file_mib)
{
    LogState& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    ++s.references;
    if (s.file != nullptr) {
        return true;
    }
    std::string path;
    std::string dir = directory != nullptr ? directory : "";
    while (dir.size() > 1 && dir.back() == '/') {
        dir.pop_back();
    }
    FILE* file = open_in(dir, &path);
    if (file == nullptr) {
        dir = fallback_directory();
        file = open_in(dir, &path);
    }
    if (file == nullptr) {
        return false;
    }
    std::fseek(file, 0, SEEK_END);
    s.file = file;
    s.path = path;
    s.directory = dir;
    s.written = std::ftell(file);
    s.keep_files = keep_files < 0 ? 0 : (keep_files > 99 ? 99 : keep_files);
    long long mib = max_file_mib <= 0 ? 200 : max_file_mib;
    s.max_bytes = mib * 1024 * 1024;
    return true;
}

void logline_print(int level, const char* module, const char* source, int line,
                   const char* function, const char* format, ...)
{
    char message[2048];
    if (format != nullptr) {
        va_list args;
        va_start(args, format);
        std::vsnprintf(message, sizeof(message), format, args);
        va_end(args);
    } else {
        message[0] = '\0';
    }
    std::size_t length = std::strlen(message);
    while (length > 0 && (message[length - 1] == '\n' || message[length - 1] == '\r')) {
        message[--length] = '\0';
    }

    struct timeval now {};
    gettimeofday(&now, nullptr);
    struct tm local {};
    time_t seconds = now.tv_sec;
    localtime_r(&seconds, &local);
    char stamp[32];
    std::strftime(stamp, sizeof(stamp), "%Y-%m-%d %H:%M:%S", &local);

    char record[2560];
    int size = std::snprintf(record, sizeof(record), "%s.%03d %-8s [%s] %s:%d %s: %s\n", stamp,
                             static_cast<int>(now.tv_usec / 1000), level_name(level),
                             module != nullptr ? module : "?", base_name(source), line,
                             function != nullptr ? function : "?", message);
    if (size < 0) {
        return;
    }
    if (static_cast<std::size_t>(size) >= sizeof(record)) {
        size = sizeof(record) - 1;
        record[size - 1] = '\n';
    }

    LogState& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (s.file == nullptr) {
        if (level == LOGLINE_ERROR) {
            std::fwrite(record, 1, size, stderr);
        }
        return;
    }
    if (s.written + size > s.max_bytes) {
        roll_over(s);
        if (s.file == nullptr) {
            std::fwrite(record, 1, size, stderr);
            return;
        }
    }
    if (std::fwrite(record, 1, size, s.file) == static_cast<std::size_t>(size)) {
        s.written += size;
    }
    std::fflush(s.file);
}

bool logline_uninit()
{
    LogState& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (s.references == 0) {
        return false;
    }
    if (--s.references == 0 && s.file != nullptr) {
        std::fclose(s.file);
        s.file = nullptr;
        s.path.clear();
        s.directory.clear();
    }
    return true;
}

const char* logline_current_file()
{
    // Returned text lives in thread-local storage so a concurrent uninit
    // cannot free it under the caller.
    static thread_local std::string copy;
    LogState& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    copy = s.path;
    return copy.c_str();
}
