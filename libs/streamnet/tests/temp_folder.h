// A fresh folder under the system's temporary folder, removed with its files.
#pragma once

#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace streamnet_test {

class TempFolder {
public:
    TempFolder()
    {
        char pattern[] = "/tmp/streamnet-test-XXXXXX";
        path_ = mkdtemp(pattern) != nullptr ? pattern : "/tmp";
    }
    ~TempFolder()
    {
        for (const std::string& name : names()) {
            unlink((path_ + "/" + name).c_str());
        }
        rmdir(path_.c_str());
    }

    std::string file(const std::string& name) const { return path_ + "/" + name; }

    std::vector<std::string> names() const
    {
        std::vector<std::string> out;
        if (DIR* dir = opendir(path_.c_str())) {
            while (dirent* entry = readdir(dir)) {
                std::string name = entry->d_name;
                if (name != "." && name != "..") {
                    out.push_back(name);
                }
            }
            closedir(dir);
        }
        return out;
    }

    static std::vector<uint8_t> read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

private:
    std::string path_;
};

}  // namespace streamnet_test
