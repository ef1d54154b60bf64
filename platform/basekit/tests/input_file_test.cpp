#include "basekit.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class InputFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/basekit-input-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override
    {
        for (const char* name : {"plain", "pipe", "link"}) {
            ::unlink((dir_ + "/" + name).c_str());
        }
        ::rmdir(dir_.c_str());
    }
    std::string path(const char* name) const { return dir_ + "/" + name; }

    std::string dir_;
};

TEST_F(InputFile, regular_file_opens_blocking_with_its_size)
{
    FILE* out = std::fopen(path("plain").c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fputs("twelve bytes", out);
    std::fclose(out);
    ASSERT_EQ(::symlink(path("plain").c_str(), path("link").c_str()), 0);
    for (const char* name : {"plain", "link"}) {
        int fd = -1;
        uint64_t size = 0;
        ASSERT_EQ(VY_OK, vy_open_input_file(path(name).c_str(), &fd, &size)) << name;
        EXPECT_EQ(size, 12u);
        EXPECT_EQ(::fcntl(fd, F_GETFL) & O_NONBLOCK, 0);
        EXPECT_NE(::fcntl(fd, F_GETFD) & FD_CLOEXEC, 0);
        char text[16] = {};
        EXPECT_EQ(::read(fd, text, sizeof(text)), 12);
        ::close(fd);
    }
}

// A named pipe without a writer would block a plain open for ever.
TEST_F(InputFile, pipes_folders_and_missing_files_are_refused_at_once)
{
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    for (const std::string& name : {path("pipe"), dir_, path("missing"), std::string()}) {
        int fd = -7;
        EXPECT_NE(VY_OK, vy_open_input_file(name.c_str(), &fd, nullptr)) << name;
        EXPECT_EQ(fd, -7);
    }
    int fd = -1;
    EXPECT_EQ(VY_ERR_ARGUMENT, vy_open_input_file(nullptr, &fd, nullptr));
    EXPECT_EQ(VY_ERR_ARGUMENT, vy_open_input_file(path("pipe").c_str(), nullptr, nullptr));
}

}  // namespace
