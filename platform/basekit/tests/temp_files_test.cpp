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
        // The second level, made beside a first-level file.
        {"..pic.jpg.Ab3xYz.Qq0000", old, true}, {"..pic.jpg.Ab3xYz.Rr1111", 0, false},
        {"..pic.jpg.Ab3xYz.Qq000", old, false}, {"..pic.jpg.Qq0000", old, false},
        {"...pic.jpg.Ab3xYz.Qq0000.Rr1111", old, false},
    };
    for (const Case& c : cases) {
        make(c.name, c.age);
    }
    ASSERT_EQ(::symlink(path("pic.jpg").c_str(), path(".pic.jpg.Link12").c_str()), 0);
    ASSERT_EQ(::mkdir(path(".pic.jpg.Dir123").c_str(), 0700), 0);
    int removed = -1;
    ASSERT_EQ(VY_OK, vy_remove_stale_temp_files(path("pic.jpg").c_str(), 1, &removed));
    EXPECT_EQ(removed, 3);
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

// Names of 240 bytes and more are cut in temporary names, at a character
// boundary; both levels stay within 255 bytes and are known to the clean-up.
TEST_F(TempFiles, long_names_get_short_temporary_names)
{
    std::string name;
    for (int i = 0; i < 80; ++i) {
        name += "\xe6\xb8\xa9";
    }
    name += ".jpg";
    char pattern[4096];
    ASSERT_EQ(VY_OK, vy_temp_file_pattern(path(name).c_str(), pattern, sizeof pattern));
    std::string first = std::string(pattern).substr(dir_.size() + 1);
    ASSERT_EQ(first.substr(first.size() - 7), ".XXXXXX");
    first.replace(first.size() - 6, 6, "Ab12Cd");
    EXPECT_EQ(first, "." + name.substr(0, 99) + ".Ab12Cd");  // 33 whole signs
    ASSERT_EQ(VY_OK, vy_temp_file_pattern(path(first).c_str(), pattern, sizeof pattern));
    std::string second = std::string(pattern).substr(dir_.size() + 1);
    second.replace(second.size() - 6, 6, "Ef34Gh");
    EXPECT_EQ(second, "." + first + ".Ef34Gh");
    EXPECT_LE(second.size(), 255u);

    const long old = VY_STALE_TEMP_SECONDS + 100;
    make(name, old);
    make(first, old);
    make(second, old);
    make("." + name.substr(0, 99) + "x.Ab12Cd", old);  // another cut
    int removed = -1;
    ASSERT_EQ(VY_OK, vy_remove_stale_temp_files(path(name).c_str(), 1, &removed));
    EXPECT_EQ(removed, 2);
    EXPECT_TRUE(exists(name));
    EXPECT_FALSE(exists(first));
    EXPECT_FALSE(exists(second));

    // A name just over the whole length: the second level is cut again.
    const std::string middle = std::string(118, 'a') + ".jpg";
    ASSERT_EQ(VY_OK, vy_temp_file_pattern(path(middle).c_str(), pattern, sizeof pattern));
    EXPECT_EQ(std::string(pattern), path("." + std::string(100, 'a') + ".XXXXXX"));
    const std::string cut_first = "." + std::string(100, 'a') + ".Ab12Cd";
    ASSERT_EQ(VY_OK, vy_temp_file_pattern(path(cut_first).c_str(), pattern, sizeof pattern));
    EXPECT_EQ(std::string(pattern), path("." + cut_first + ".XXXXXX"));
    const std::string kept_first = "." + std::string(113, 'b') + ".Ab12Cd";
    ASSERT_EQ(VY_OK, vy_temp_file_pattern(path(kept_first).c_str(), pattern, sizeof pattern));
    EXPECT_EQ(std::string(pattern), path(".." + std::string(99, 'b') + ".XXXXXX"));
    EXPECT_EQ(VY_ERR_ARGUMENT, vy_temp_file_pattern(path(name).c_str(), pattern, 20));
}

TEST_F(TempFiles, bad_arguments_and_missing_folders)
{
    EXPECT_EQ(VY_ERR_ARGUMENT, vy_remove_stale_temp_files(nullptr, 1, nullptr));
    EXPECT_EQ(VY_ERR_ARGUMENT, vy_remove_stale_temp_files("", 1, nullptr));
    EXPECT_EQ(VY_ERR_ARGUMENT, vy_remove_stale_temp_files(path("").c_str(), 1, nullptr));
    EXPECT_EQ(VY_ERR_DATA, vy_remove_stale_temp_files(path("missing/pic.jpg").c_str(), 1, nullptr));
}

}  // namespace
