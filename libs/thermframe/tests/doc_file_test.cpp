#include "doc_fixture.h"
#include "failing_writes.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class anas_file : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        char pattern[] = "/tmp/thermframe_anas_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }

    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
        DocTest::TearDown();
    }

    std::string path(const char* name) const { return dir_ + "/" + name; }

    static std::vector<char> read_all(const std::string& file)
    {
        std::ifstream in(file, std::ios::binary);
        return std::vector<char>(std::istreambuf_iterator<char>(in), {});
    }

    static void write_all(const std::string& file, const std::vector<char>& bytes)
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    static bool exists(const std::string& file) { return access(file.c_str(), F_OK) == 0; }

    int32_t count() const
    {
        int32_t n = -1;
        EXPECT_TRUE(thermframe_get_anas_count(doc_, ANA_ALL, n));
        return n;
    }

    std::string dir_;
};

TEST_F(anas_file, empty_document_writes_nothing)
{
    EXPECT_FALSE(thermframe_save_anas_to_file(doc_, path("none.ana")));
    EXPECT_FALSE(exists(path("none.ana")));
}

TEST_F(anas_file, round_trip_keeps_aliases_and_attributes)
{
    void* rect = nullptr;
    ASSERT_TRUE(thermframe_add_ana(doc_, "P:100,100;-"));
    ASSERT_TRUE(thermframe_add_ana(doc_, "R:20,30;120,90;-", rect));
    ASSERT_TRUE(thermframe_ana_set_alias(rect, "Box"));
    ASSERT_TRUE(thermframe_ana_set_line_clr(rect, 0x00ff00u));
    ASSERT_TRUE(thermframe_ana_set_text_type(rect, static_cast<ShowTextType>(7)));
    ASSERT_TRUE(thermframe_ana_show_max(rect, true));
    const std::string file = path("objects.ana");
    ASSERT_TRUE(thermframe_save_anas_to_file(doc_, file));
    const std::vector<char> bytes = read_all(file);
    ASSERT_EQ(bytes.size(), 20u + 2 * 2172u);

    ASSERT_TRUE(thermframe_delete_all_ana(doc_));
    ASSERT_TRUE(chmod(file.c_str(), 0444) == 0);  // loading only reads
    ASSERT_TRUE(thermframe_load_anas_from_file(doc_, file));
    EXPECT_EQ(count(), 2);
    void* back = nullptr;
    ASSERT_TRUE(thermframe_get_ana_handle_from_alias(doc_, "Box", back));
    std::string text;
    ASSERT_TRUE(thermframe_get_ana_str_from_handle(doc_, back, text));
    EXPECT_EQ(text, "R:20,30;120,90;-");
    uint32_t colour = 0;
    ASSERT_TRUE(thermframe_ana_get_line_clr(back, colour));
    EXPECT_EQ(colour, 0x00ff00u);
    ShowTextType mask;
    ASSERT_TRUE(thermframe_ana_get_text_type(back, mask));
    EXPECT_EQ(static_cast<int>(mask), 7);
    bool show = false;
    ASSERT_TRUE(thermframe_ana_is_show_max(back, show));
    EXPECT_TRUE(show);
    ASSERT_TRUE(thermframe_get_ana_handle_from_alias(doc_, "P1", back));
}

TEST_F(anas_file, load_rescales_and_replaces_by_alias)
{
    ASSERT_TRUE(thermframe_add_ana(doc_, "P:100,100;-"));
    const std::string file = path("small.ana");
    ASSERT_TRUE(thermframe_save_anas_to_file(doc_, file));

    void* big_frame = make_frame(640, 480);
    ASSERT_NE(big_frame, nullptr);
    void* big = nullptr;
    ASSERT_TRUE(thermframe_doc_init(big, big_frame));
    ASSERT_TRUE(thermframe_add_ana(big, "L:1,1;50,50;-"));
    ASSERT_TRUE(thermframe_add_ana(big, "P:7,7;-"));  // holds alias P1 like the record
    ASSERT_TRUE(thermframe_load_anas_from_file(big, file));
    int32_t n = 0;
    ASSERT_TRUE(thermframe_get_anas_count(big, ANA_ALL, n));
    EXPECT_EQ(n, 2);
    std::string text;
    ASSERT_TRUE(thermframe_get_ana(big, ANA_POINT, 0, text));
    EXPECT_EQ(text, "P:166,166;-");
    ASSERT_TRUE(thermframe_get_ana(big, ANA_LINE, 0, text));
    EXPECT_EQ(text, "L:1,1;50,50;-");
    ASSERT_TRUE(thermframe_doc_uninit(big));
}

TEST_F(anas_file, damaged_files_are_refused)
{
    ASSERT_TRUE(thermframe_add_ana(doc_, "P:100,100;-"));
    ASSERT_TRUE(thermframe_add_ana(doc_, "L:10,10;60,60;-"));
    const std::string file = path("good.ana");
    ASSERT_TRUE(thermframe_save_anas_to_file(doc_, file));
    const std::vector<char> good = read_all(file);
    ASSERT_TRUE(thermframe_delete_all_ana(doc_));

    struct Damage {
        const char* what;
        size_t offset;  // byte to change, or the size to cut to when value < 0
        int value;
        bool loads;
        int32_t objects;
        size_t also_offset = 0;  // a second byte to change when not 0
        int also_value = 0;
    };
    const size_t first = 20;
    const size_t second = 20 + 2172;
    const Damage damages[] = {
        {"wrong magic", 0, 0x00, false, 0},
        {"wrong tag", 8, 0x07, false, 0},
        {"version 2", 10, 0x02, false, 0},
        {"zero width", 12, -2, false, 0},
        {"zero height", 14, -2, false, 0},
        {"short header", 19, -1, false, 0},
        {"second record cut", 20 + 2172 + 100, -1, true, 1},
        {"count beyond the records", 16, 0xff, true, 2},
        {"unknown type letter", 20, 'X', true, 1},
        // Bytes that become enumerations refuse their record only.
        {"label mask 8", first + 0x468, 8, true, 1},
        {"label mask 255", second + 0x468, 255, true, 1},
        {"own palette 42", first + 0x46d, 42, true, 1, first + 0x46b, 1},
        {"palette 42 without own palette is ignored", first + 0x46d, 42, true, 2},
        {"own palette 17", second + 0x46d, 17, true, 2, second + 0x46b, 1},
    };
    for (const Damage& d : damages) {
        std::vector<char> bytes = good;
        if (d.value == -1) {
            bytes.resize(d.offset);
        } else if (d.value == -2) {
            bytes[d.offset] = 0;
            bytes[d.offset + 1] = 0;
        } else {
            bytes[d.offset] = static_cast<char>(d.value);
        }
        if (d.also_offset != 0) {
            bytes[d.also_offset] = static_cast<char>(d.also_value);
        }
        const std::string damaged = path("damaged.ana");
        write_all(damaged, bytes);
        EXPECT_EQ(thermframe_load_anas_from_file(doc_, damaged), d.loads) << d.what;
        EXPECT_EQ(count(), d.objects) << d.what;
        ASSERT_TRUE(thermframe_delete_all_ana(doc_));
    }
    EXPECT_FALSE(thermframe_load_anas_from_file(doc_, path("missing.ana")));
    // A named pipe without a writer is refused at once, not waited on.
    ASSERT_EQ(mkfifo(path("pipe.ana").c_str(), 0600), 0);
    EXPECT_FALSE(thermframe_load_anas_from_file(doc_, path("pipe.ana")));
}

// Labels are laid out once after the last record, so loading many objects
// takes time in proportion to their number.
TEST_F(anas_file, many_objects_load_with_their_labels)
{
    const int kObjects = 1500;
    std::string list;
    for (int i = 0; i < kObjects; ++i) {
        const int x = i % 380, y = i / 380 * 50 + 20;
        list += "P:" + std::to_string(x) + "," + std::to_string(y) + ";-";
    }
    ASSERT_TRUE(thermframe_add_anas(doc_, list));
    const std::string file = path("many.ana");
    ASSERT_TRUE(thermframe_save_anas_to_file(doc_, file));
    ASSERT_TRUE(thermframe_delete_all_ana(doc_));
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(thermframe_load_anas_from_file(doc_, file));
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    std::printf("loaded %d objects in %lld ms\n", kObjects, static_cast<long long>(took.count()));
    EXPECT_EQ(count(), kObjects);
    int32_t ax = 0, ay = 0, side = -1, dx = 0, dy = 0;
    ASSERT_TRUE(thermframe_get_text_loc(doc_, "P:359,170;-", false, ax, ay, side, dx, dy));
    EXPECT_EQ(ax, 359);
    EXPECT_EQ(ay, 170);
    EXPECT_NE(side, -1);
}

TEST_F(anas_file, failed_save_keeps_the_old_file)
{
    ASSERT_TRUE(thermframe_add_ana(doc_, "P:100,100;-"));
    EXPECT_FALSE(thermframe_save_anas_to_file(doc_, path("no/such/folder/x.ana")));
    EXPECT_FALSE(exists(path("no")));

    const std::string file = path("kept.ana");
    write_all(file, std::vector<char>{'o', 'l', 'd'});
    ASSERT_TRUE(thermframe_save_anas_to_file(doc_, file));
    EXPECT_EQ(read_all(file).size(), 20u + 2172u);
    // Only the finished file is left in the folder.
    std::vector<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(dir_)) {
        names.push_back(item.path().filename().string());
    }
    EXPECT_EQ(names, std::vector<std::string>{"kept.ana"});

    // A full disk: the write fails only when the buffer is flushed at the end.
    const std::vector<char> saved = read_all(file);
    {
        vytest::FailingWrites failing;
        ASSERT_TRUE(failing.ok());
        EXPECT_FALSE(thermframe_save_anas_to_file(doc_, file));
    }
    EXPECT_EQ(read_all(file), saved);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

TEST_F(anas_file, isotherm_list)
{
    void* first = nullptr;
    void* second = nullptr;
    ASSERT_TRUE(thermframe_isotherm_add(doc_, first, 30.0f, 40.0f, 0x0000ffu, true));
    ASSERT_TRUE(thermframe_isotherm_add(doc_, second, 50.0f, 60.0f, 0x00ff00u, false));
    int32_t n = 0;
    ASSERT_TRUE(thermframe_isotherm_get_count(doc_, n));
    EXPECT_EQ(n, 2);

    int not_an_isotherm = 0;
    EXPECT_FALSE(thermframe_isotherm_update(doc_, &not_an_isotherm, 1, 2, 3, false));
    EXPECT_FALSE(thermframe_isotherm_update(doc_, nullptr, 1, 2, 3, false));
    ASSERT_TRUE(thermframe_isotherm_update(doc_, second, 55.0f, 65.0f, 0x00ff00u, true));
    void* handle = nullptr;
    float low = 0, high = 0;
    uint32_t colour = 0;
    bool flag = false;
    ASSERT_TRUE(thermframe_isotherm_get_handle(doc_, 1, handle, low, high, colour, flag));
    EXPECT_EQ(handle, second);
    EXPECT_FLOAT_EQ(low, 55.0f);
    EXPECT_TRUE(flag);
    EXPECT_FALSE(thermframe_isotherm_get_handle(doc_, -1, handle, low, high, colour, flag));
    EXPECT_FALSE(thermframe_isotherm_get_handle(doc_, 2, handle, low, high, colour, flag));

    ASSERT_TRUE(thermframe_isotherm_update_all(doc_));
    void* gone = first;
    ASSERT_TRUE(thermframe_isotherm_delete_at(doc_, gone));
    EXPECT_EQ(gone, first);  // the caller's variable is left as it was
    EXPECT_FALSE(thermframe_isotherm_delete_at(doc_, gone));
    ASSERT_TRUE(thermframe_isotherm_delete_all(doc_));
    ASSERT_TRUE(thermframe_isotherm_get_count(doc_, n));
    EXPECT_EQ(n, 0);
}

}  // namespace
