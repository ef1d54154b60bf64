#include "logline.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

std::string read_all(const std::string& path)
{
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Releases whatever references a failed test left behind.
void drain()
{
    while (logline_uninit()) {
    }
}

}  // namespace

TEST(Logline, writes_records_in_the_given_directory)
{
    drain();
    vytest::TempDir temp("logline-test");
    const std::string dir = temp.path();
    ASSERT_TRUE(logline_init(dir.c_str(), 7, 200));
    EXPECT_EQ(dir + "/pyravue.log", std::string(logline_current_file()));
    logline_print(LOGLINE_ERROR, "ad_temp", "/src/ad_temp.cpp", 42, "ADTemp::get_temperature",
                  "len = %d or range = %d is error\n", 3, 9);
    ASSERT_TRUE(logline_uninit());
    EXPECT_FALSE(logline_uninit());
    std::string text = read_all(dir + "/pyravue.log");
    EXPECT_NE(std::string::npos, text.find("ERROR"));
    EXPECT_NE(std::string::npos,
              text.find("[ad_temp] ad_temp.cpp:42 ADTemp::get_temperature: len = 3 or range = 9 is error\n"));
    // Printing after the last uninit neither fails nor writes.
    logline_print(LOGLINE_INFO, "m", "f", 1, "g", "late");
    EXPECT_EQ(text, read_all(dir + "/pyravue.log"));
}

TEST(Logline, unwritable_folder_falls_back_to_state_home)
{
    drain();
    vytest::TempDir temp("logline-test");
    const std::string state = temp.path();
    std::string blocker = state + "/file";
    std::ofstream(blocker) << "x";
    setenv("XDG_STATE_HOME", state.c_str(), 1);
    // A directory below a regular file can never be made, even as root.
    ASSERT_TRUE(logline_init((blocker + "/sub").c_str(), 7, 200));
    EXPECT_EQ(state + "/pyravue/log/pyravue.log", std::string(logline_current_file()));
    logline_print(LOGLINE_INFO, "m", "f", 1, "g", "%s", "fallback");
    ASSERT_TRUE(logline_uninit());
    EXPECT_NE(std::string::npos, read_all(state + "/pyravue/log/pyravue.log").find("fallback"));

    // With no writable place at all the caller is told, and printing stays safe.
    setenv("XDG_STATE_HOME", blocker.c_str(), 1);
    EXPECT_FALSE(logline_init((blocker + "/sub").c_str(), 7, 200));
    logline_print(LOGLINE_PROGRESS, "m", "f", 1, "g", "nowhere %d", 1);
    EXPECT_TRUE(logline_uninit());
    unsetenv("XDG_STATE_HOME");
}

TEST(Logline, eight_threads_with_interleaved_init_and_uninit)
{
    drain();
    vytest::TempDir temp("logline-test");
    const std::string dir = temp.path();
    ASSERT_TRUE(logline_init(dir.c_str(), 7, 200));  // keeps the file open throughout
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([t, &dir] {
            for (int i = 0; i < 200; ++i) {
                logline_init(dir.c_str(), 7, 200);
                logline_print(LOGLINE_INFO, "thread", __FILE__, __LINE__, "worker", "t%d record %d end", t, i);
                logline_uninit();
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    ASSERT_TRUE(logline_uninit());
    EXPECT_FALSE(logline_uninit());

    std::ifstream in(dir + "/pyravue.log");
    std::string line;
    int records = 0;
    while (std::getline(in, line)) {
        // Records never interleave within a line.
        ASSERT_EQ(line.size() - 4, line.rfind(" end")) << line;
        ++records;
    }
    EXPECT_EQ(8 * 200, records);
}

TEST(Logline, rolls_over_and_keeps_the_given_number_of_files)
{
    drain();
    vytest::TempDir temp("logline-test");
    const std::string dir = temp.path();
    ASSERT_TRUE(logline_init(dir.c_str(), 2, 1));
    std::string payload(1000, 'x');
    for (int i = 0; i < 3500; ++i) {
        logline_print(LOGLINE_INFO, "m", "f", 1, "g", "%s", payload.c_str());
    }
    ASSERT_TRUE(logline_uninit());
    struct stat info {};
    EXPECT_EQ(0, stat((dir + "/pyravue.log.1").c_str(), &info));
    EXPECT_LE(info.st_size, 1024 * 1024);
    EXPECT_EQ(0, stat((dir + "/pyravue.log.2").c_str(), &info));
    EXPECT_NE(0, stat((dir + "/pyravue.log.3").c_str(), &info));
}
