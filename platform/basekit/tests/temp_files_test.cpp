#include "basekit.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

namespace {

class TempFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/basekit-temp-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override
    {
        if (DIR* dir = ::opendir(dir_.c_str())) {
            while (const dirent* entry = ::readdir(dir)) {
                const std::string name = entry->d_name;
                if (name != "." && name != ".." && ::unlink(path(name).c_str()) != 0) {
                    ::rmdir(path(name).c_str());
                }
            }
            ::closedir(dir);
        }
        ::rmdir(dir_.c_str());
    }
    std::string path(const std::string& name) const { return dir_ + "/" + name; }
    // A file last changed `age` seconds ago.
    void make(const std::string& name, long age)
    {
        FILE* out = std::fopen(path(name).c_str(), "wb");
        ASSERT_NE(out, nullptr);
        std::fclose(out);
        const utimbuf times{std::time(nullptr) - age, std::time(nullptr) - age};
        ASSERT_EQ(::utime(path(name).c_str(), &times), 0);
    }
    bool exists(const std::string& name) const
    {
        struct stat st;
        return ::lstat(path(name).c_str(), &st) == 0;
    }

    std::string dir_;
};

TEST_F(TempFiles, only_stale_temporaries_of_the_same_target_go)
{
    const long old = VY_STALE_TEMP_SECONDS + 100;
    struct Case {
        const char* name;
        long age;
        bool removed;
    };
    const Case cases[] = {
        {".pic.jpg.Ab3xYz", old, true},     {".pic.jpg.Qq0000", old, true},
        {".pic.jpg.Ab3xY", old, false},     {".pic.jpg.Ab3xYz1", old, false},
        {".pic.jpg.Ab-xYz", old, false},    {".pic.jpg.Recent", 0, false},
        {"pic.jpg.Ab3xYz", old, false},     {".other.jpg.Ab3xYz", old, false},
        {".pic.jpg", old, false},           {"pic.jpg", old, false},
    };
    for (const Case& c : cases) {
        make(c.name, c.age);
    }
    ASSERT_EQ(::symlink(path("pic.jpg").c_str(), path(".pic.jpg.Link12").c_str()), 0);
    ASSERT_EQ(::mkdir(path(".pic.jpg.Dir123").c_str(), 0700), 0);
    int removed = -1;
    ASSERT_EQ(VY_OK, vy_remove_stale_temp_files(path("pic.jpg").c_str(), 1, &removed));
    EXPECT_EQ(removed, 2);
    for (const Case& c : cases) {
        EXPECT_EQ(exists(c.name), !c.removed) << c.name;
    }
    EXPECT_TRUE(exists(".pic.jpg.Link12"));
    EXPECT_TRUE(exists(".pic.jpg.Dir123"));

    // Without the leading dot, as a save file names them.
    ASSERT_EQ(VY_OK, vy_remove_stale_temp_files(path("pic.jpg").c_str(), 0, &removed));
    EXPECT_EQ(removed, 1);
    EXPECT_FALSE(exists("pic.jpg.Ab3xYz"));
    EXPECT_TRUE(exists("pic.jpg"));
}

TEST_F(TempFiles, bad_arguments_and_missing_folders)
{
    EXPECT_EQ(VY_ERR_ARGUMENT, vy_remove_stale_temp_files(nullptr, 1, nullptr));
    EXPECT_EQ(VY_ERR_ARGUMENT, vy_remove_stale_temp_files("", 1, nullptr));
    EXPECT_EQ(VY_ERR_ARGUMENT, vy_remove_stale_temp_files(path("").c_str(), 1, nullptr));
    EXPECT_EQ(VY_ERR_DATA, vy_remove_stale_temp_files(path("missing/pic.jpg").c_str(), 1, nullptr));
}

}  // namespace
