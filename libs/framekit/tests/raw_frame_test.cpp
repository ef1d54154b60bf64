// Raw AD frames of the indexed frame and the frame buffer of save and load.
#include "frame_fixture.h"

#include <algorithm>

using fk_test::Frame;

namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 10;
constexpr uint32_t kN = kWidth * kHeight;

struct Indexed {
    explicit Indexed(int mode) : frame(0, mode)
    {
        EXPECT_TRUE(frame.ok());
        EXPECT_TRUE(vy_ad_set_resolution(frame.h(), kWidth, kHeight));
    }
    bool set(const std::vector<uint8_t>& raw) const
    {
        return vy_ad_set_data_checked(frame.h(), raw.data(), static_cast<uint32_t>(raw.size()));
    }
    std::vector<uint8_t> index() const
    {
        std::vector<uint8_t> out(kN);
        EXPECT_TRUE(vy_ad_get_clr_index(frame.h(), out.data()));
        return out;
    }
    Frame frame;
};

std::vector<uint8_t> filler(uint32_t bytes)
{
    return std::vector<uint8_t>(bytes, 0x11);
}

std::vector<uint8_t> saved(void* handle)
{
    uint32_t length = 0;
    EXPECT_TRUE(vy_ad_save_data_to_buffer(handle, nullptr, &length));
    std::vector<uint8_t> buffer(length);
    EXPECT_TRUE(vy_ad_save_data_to_buffer(handle, buffer.data(), &length));
    buffer.resize(length);
    return buffer;
}

// The plane with its two-pixel frame replaced as the border fix does.
std::vector<uint16_t> border_fixed(std::vector<uint16_t> p)
{
    auto at = [&](int x, int y) -> uint16_t& { return p[static_cast<std::size_t>(y) * kWidth + x]; };
    for (int x = 0; x < kWidth; ++x) {
        at(x, 0) = at(x, 1) = at(x, 2);
    }
    for (int y = 0; y < kHeight - 2; ++y) {
        at(0, y) = at(1, y) = at(2, y);
        at(kWidth - 1, y) = at(kWidth - 2, y) = at(kWidth - 3, y);
    }
    for (int x = 0; x < kWidth; ++x) {
        at(x, kHeight - 2) = at(x, kHeight - 1) = at(x, kHeight - 3);
    }
    return p;
}

}  // namespace

TEST(RawFrame, normal_mode_type_and_length_limits)
{
    Indexed f(0);
    std::vector<uint8_t> index(kN, 5);
    struct Case {
        uint16_t type;
        uint32_t length;
        bool accepted;
    };
    for (const Case& c : std::vector<Case>{{3, 100, true},
                                           {4, 100, false},
                                           {1, 0, false},
                                           {1, 3 * kN, false},
                                           {1, 3 * kN - 1, true}}) {
        EXPECT_EQ(c.accepted, f.set(fk_test::raw_frame(index, c.type, filler(c.length), c.length)))
            << "type " << c.type << " length " << c.length;
    }
    // A length beyond the bytes handed over is refused, not read.
    std::vector<uint8_t> raw = fk_test::raw_frame(index, 1, filler(50), 60);
    EXPECT_FALSE(f.set(raw));
    EXPECT_FALSE(f.set(std::vector<uint8_t>(kN + 9, 0)));
}

TEST(RawFrame, fire_fighting_type_and_length_limits)
{
    Indexed f(1);
    std::vector<uint16_t> plane = fk_test::gradient_plane(kWidth, kHeight);
    std::vector<uint8_t> packed = fk_test::compress(plane);
    std::vector<uint8_t> index(kN, 0);
    EXPECT_TRUE(f.set(fk_test::raw_frame(index, 1, packed, static_cast<uint32_t>(packed.size()))));
    EXPECT_TRUE(f.set(fk_test::raw_frame(index, 0, fk_test::bytes_of(plane), 0)));
    EXPECT_FALSE(f.set(fk_test::raw_frame(index, 2, packed, static_cast<uint32_t>(packed.size()))));
    EXPECT_FALSE(f.set(fk_test::raw_frame(index, 3, packed, static_cast<uint32_t>(packed.size()))));
    // Lengths outside N..3N are refused before the decoder runs.
    std::vector<uint8_t> padded(packed);
    padded.resize(3 * kN, 0);
    EXPECT_FALSE(f.set(fk_test::raw_frame(index, 1, padded, kN - 1)));
    EXPECT_FALSE(f.set(fk_test::raw_frame(index, 1, padded, 3 * kN + 1)));
    // A type-0 frame shorter than 2N bytes is refused.
    EXPECT_FALSE(f.set(fk_test::raw_frame(index, 0, filler(2 * kN - 1), 0)));

    std::vector<uint16_t> back(kN);
    ASSERT_TRUE(vy_ad_get_data(f.frame.h(), back.data()));
    EXPECT_EQ(border_fixed(plane), back);

    // Fire-fighting frames colour from their AD values.
    std::vector<uint32_t> pixels(kN, 0);
    ASSERT_TRUE(vy_ad_get_bits(f.frame.h(), pixels.data()));
    EXPECT_EQ(0xFF000000u, pixels[kN / 2] & 0xFF000000u);
    ASSERT_TRUE(vy_ad_get_bits_by_clr_index(f.frame.h(), nullptr, pixels.data()));
    EXPECT_FALSE(vy_ad_get_bits_by_clr_index_pro(f.frame.h(), nullptr, kWidth + 1, kHeight, pixels.data()));
    ASSERT_TRUE(vy_ad_get_bits_by_clr_index_pro(f.frame.h(), nullptr, kWidth, kHeight, pixels.data()));
}

TEST(RawFrame, normal_mode_index_border_and_decoded_data)
{
    Indexed f(0);
    std::vector<uint16_t> plane = fk_test::gradient_plane(kWidth, kHeight);
    std::vector<uint8_t> raw = fk_test::compressed_raw_frame(plane);
    std::vector<uint8_t> sent(raw.begin(), raw.begin() + kN);
    // Without a length the frame's own header tells how much to read.
    ASSERT_TRUE(vy_ad_set_data(f.frame.h(), raw.data()));
    ASSERT_TRUE(f.set(raw));

    std::vector<uint8_t> index = f.index();
    auto at = [&](const std::vector<uint8_t>& p, int x, int y) { return p[static_cast<std::size_t>(y) * kWidth + x]; };
    for (int y = 1; y < kHeight - 1; ++y) {
        for (int x = 1; x < kWidth - 1; ++x) {
            EXPECT_EQ(at(sent, x, y), at(index, x, y));
        }
    }
    for (int x = 0; x < kWidth; ++x) {
        EXPECT_EQ(at(index, x, 1), at(index, x, 0));
        EXPECT_EQ(at(index, x, kHeight - 2), at(index, x, kHeight - 1));
    }
    for (int y = 0; y < kHeight; ++y) {
        EXPECT_EQ(at(index, 1, y), at(index, 0, y));
        EXPECT_EQ(at(index, kWidth - 2, y), at(index, kWidth - 1, y));
    }
    // Corners follow from row 0 being copied before the column fix.
    EXPECT_EQ(at(sent, 1, 1), at(index, 0, 0));

    std::vector<uint16_t> back(kN);
    ASSERT_TRUE(vy_ad_get_data(f.frame.h(), back.data()));
    EXPECT_EQ(plane, back);
    uint16_t ad = 0;
    ASSERT_TRUE(vy_ad_get_ad_from_position(f.frame.h(), 7, 4, &ad));
    EXPECT_EQ(plane[4 * kWidth + 7], ad);

    std::vector<uint8_t> window(4 * 3);
    ASSERT_TRUE(vy_ad_get_clr_index_with_pos(f.frame.h(), window.data(), 2, 3, 5, 5));
    EXPECT_EQ(at(index, 2, 3), window[0]);
    EXPECT_EQ(at(index, 5, 5), window[11]);
    EXPECT_FALSE(vy_ad_get_clr_index_with_pos(f.frame.h(), window.data(), 2, 3, 2, 5));
    EXPECT_FALSE(vy_ad_get_clr_index_with_pos(f.frame.h(), window.data(), 2, 3, kWidth, 5));

    std::vector<uint32_t> pixels(kN, 0);
    ASSERT_TRUE(vy_ad_get_bits(f.frame.h(), pixels.data()));
    EXPECT_EQ(0xFF000000u, pixels[kN / 2] & 0xFF000000u);
    ASSERT_TRUE(vy_ad_get_bits_by_clr_index(f.frame.h(), index.data(), pixels.data()));
    ASSERT_TRUE(vy_ad_get_thumbnail_bits(f.frame.h(), 4, 2, pixels.data()));

    // Type 0 holds the plane itself.
    ASSERT_TRUE(f.set(fk_test::raw_frame(sent, 0, fk_test::bytes_of(plane), 2 * kN)));
    std::fill(back.begin(), back.end(), 0);
    ASSERT_TRUE(vy_ad_get_data(f.frame.h(), back.data()));
    EXPECT_EQ(plane, back);

    // A type the normal mode stores but cannot decode is reported as such.
    ASSERT_TRUE(f.set(fk_test::raw_frame(std::vector<uint8_t>(kN, 1), 3, filler(10), 10)));
    EXPECT_FALSE(vy_ad_get_data(f.frame.h(), back.data()));
}

TEST(RawFrame, rejected_frame_changes_nothing)
{
    Indexed f(0);
    std::vector<uint16_t> plane = fk_test::gradient_plane(kWidth, kHeight);
    ASSERT_TRUE(f.set(fk_test::compressed_raw_frame(plane)));
    std::vector<uint8_t> index_before = f.index();

    std::vector<uint8_t> other_index(kN, 0xEE);
    EXPECT_FALSE(f.set(fk_test::raw_frame(other_index, 9, filler(20), 20)));
    EXPECT_FALSE(f.set(fk_test::raw_frame(other_index, 0, filler(20), 3 * kN)));
    EXPECT_EQ(index_before, f.index());
    std::vector<uint16_t> back(kN);
    ASSERT_TRUE(vy_ad_get_data(f.frame.h(), back.data()));
    EXPECT_EQ(plane, back);
}

TEST(RawFrame, save_load_round_trip_in_every_mode)
{
    std::vector<uint16_t> plane = fk_test::gradient_plane(kWidth, kHeight, 20000);
    struct Source {
        int kind;
        int mode;
        bool super;
    };
    for (const Source& s : std::vector<Source>{{1, 0, false}, {0, 0, false}, {0, 1, false}, {1, 0, true}, {0, 0, true}}) {
        SCOPED_TRACE(testing::Message() << "kind " << s.kind << " mode " << s.mode << " super " << s.super);
        Frame source(s.kind, s.mode);
        ASSERT_TRUE(source.ok());
        ASSERT_TRUE(vy_ad_set_resolution(source.h(), kWidth, kHeight));
        std::vector<uint8_t> data = s.kind == 1 ? fk_test::bytes_of(plane) : fk_test::compressed_raw_frame(plane);
        vy_ad_set_data_checked(source.h(), data.data(), static_cast<uint32_t>(data.size()));
        ASSERT_TRUE(vy_ad_enable_super_resolution(source.h(), s.super));

        // With super resolution on, the frame still hands out AD values.
        std::vector<uint16_t> back(kN);
        ASSERT_TRUE(vy_ad_get_data(source.h(), back.data()));
        EXPECT_EQ(s.mode == 1 ? border_fixed(plane) : plane, back);

        std::vector<uint8_t> buffer = saved(source.h());
        ASSERT_GE(buffer.size(), 5u);
        EXPECT_LE(buffer[0], 1);
        uint32_t too_small = static_cast<uint32_t>(buffer.size() - 1);
        std::vector<uint8_t> small(too_small, 0xCD);
        EXPECT_FALSE(vy_ad_save_data_to_buffer(source.h(), small.data(), &too_small));
        EXPECT_EQ(buffer.size(), too_small);
        EXPECT_EQ(std::vector<uint8_t>(small.size(), 0xCD), small);

        for (int kind : {1, 0}) {
            Frame target(kind);
            ASSERT_TRUE(vy_ad_set_resolution(target.h(), kWidth, kHeight));
            ASSERT_TRUE(vy_ad_enable_super_resolution(target.h(), s.super));
            EXPECT_FALSE(vy_ad_load_data_from_buffer_checked(target.h(), buffer.data(),
                                                             static_cast<uint32_t>(buffer.size() - 1)));
            vy_ad_load_data_from_buffer_checked(target.h(), buffer.data(), static_cast<uint32_t>(buffer.size()));
            std::vector<uint16_t> loaded(kN);
            ASSERT_TRUE(vy_ad_get_data(target.h(), loaded.data()));
            // Both agree up to the two-pixel border that loading repairs.
            for (int y = 2; y < kHeight - 2; ++y) {
                for (int x = 2; x < kWidth - 2; ++x) {
                    ASSERT_EQ(plane[y * kWidth + x], loaded[y * kWidth + x]) << x << "," << y;
                }
            }
        }
    }
}

TEST(RawFrame, frame_buffer_validation)
{
    Frame f;
    ASSERT_TRUE(vy_ad_set_resolution(f.h(), kWidth, kHeight));
    std::vector<uint16_t> plane = fk_test::gradient_plane(kWidth, kHeight);
    std::vector<uint8_t> bytes = fk_test::bytes_of(plane);
    vy_ad_set_data_checked(f.h(), bytes.data(), static_cast<uint32_t>(bytes.size()));

    auto record = [](uint8_t type, uint32_t length, const std::vector<uint8_t>& data) {
        std::vector<uint8_t> r = {type, static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8),
                                  static_cast<uint8_t>(length >> 16), static_cast<uint8_t>(length >> 24)};
        r.insert(r.end(), data.begin(), data.end());
        return r;
    };
    std::vector<uint8_t> packed = fk_test::compress(fk_test::gradient_plane(kWidth, kHeight, 3000));
    for (const std::vector<uint8_t>& bad : std::vector<std::vector<uint8_t>>{
             {},
             {1, 0, 0},
             record(2, 2 * kN, bytes),
             record(3, 2 * kN, bytes),
             record(0, 2 * kN - 2, bytes),
             record(1, kN - 1, packed),
             record(1, 3 * kN + 1, packed),
             record(1, static_cast<uint32_t>(packed.size()), std::vector<uint8_t>(packed.size(), 0))}) {
        EXPECT_FALSE(vy_ad_load_data_from_buffer_checked(f.h(), bad.data(), static_cast<uint32_t>(bad.size())));
    }
    EXPECT_FALSE(vy_ad_load_data_from_buffer(f.h(), nullptr));
    std::vector<uint16_t> back(kN);
    ASSERT_TRUE(vy_ad_get_data(f.h(), back.data()));
    EXPECT_EQ(plane, back);

    // A plane that does not shrink is stored raw under type 0.
    std::vector<uint16_t> noisy(kN);
    for (uint32_t i = 0; i < kN; ++i) {
        noisy[i] = static_cast<uint16_t>(i * 40503u);
    }
    bytes = fk_test::bytes_of(noisy);
    vy_ad_set_data_checked(f.h(), bytes.data(), static_cast<uint32_t>(bytes.size()));
    std::vector<uint8_t> buffer = saved(f.h());
    ASSERT_EQ(5 + 2 * kN, buffer.size());
    EXPECT_EQ(0, buffer[0]);
    ASSERT_TRUE(vy_ad_load_data_from_buffer(f.h(), buffer.data()));
}

TEST(RawFrame, noise_removal_on_save)
{
    const int width = 48;
    const int height = 16;
    std::vector<uint16_t> striped(width * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            striped[y * width + x] = static_cast<uint16_t>(9000 + (x % 5 == 0 ? 7 : 0) + y);
        }
    }
    auto saved_plane = [&](const std::vector<uint16_t>& plane, bool noise) {
        Frame f;
        EXPECT_TRUE(vy_ad_set_resolution(f.h(), width, height));
        EXPECT_TRUE(vy_ad_enable_erase_nose(f.h(), noise ? 1 : 0));
        std::vector<uint8_t> bytes = fk_test::bytes_of(plane);
        vy_ad_set_data_checked(f.h(), bytes.data(), static_cast<uint32_t>(bytes.size()));
        std::vector<uint8_t> buffer = saved(f.h());
        // The frame itself keeps its plane; the filter works on what is saved.
        std::vector<uint16_t> kept(plane.size());
        EXPECT_TRUE(vy_ad_get_data(f.h(), kept.data()));
        EXPECT_EQ(plane, kept);
        Frame target;
        EXPECT_TRUE(vy_ad_set_resolution(target.h(), width, height));
        vy_ad_load_data_from_buffer_checked(target.h(), buffer.data(), static_cast<uint32_t>(buffer.size()));
        std::vector<uint16_t> loaded(plane.size());
        EXPECT_TRUE(vy_ad_get_data(target.h(), loaded.data()));
        return loaded;
    };
    std::vector<uint16_t> constant(width * height, 4000);
    EXPECT_EQ(constant, saved_plane(constant, true));
    std::vector<uint16_t> plain = saved_plane(striped, false);
    std::vector<uint16_t> filtered = saved_plane(striped, true);
    EXPECT_NE(plain, filtered);
    // The stripes are flattened: a striped column moves towards its neighbours.
    int y = 8;
    int stripe = y * width + 20;
    EXPECT_LT(filtered[stripe] - filtered[stripe + 1], plain[stripe] - plain[stripe + 1]);
}
