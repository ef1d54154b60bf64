#include "anas_file.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace thermframe::detail;

namespace {

TEST(anas_file_codec, header_round_trip_and_refusals)
{
    uint8_t bytes[kAnasHeaderSize];
    AnasFileHeader header;
    header.width = 384;
    header.height = 288;
    header.count = 3;
    encode_header(header, bytes);
    const uint8_t magic[8] = {0xac, 0xae, 0x89, 0x17, 0xad, 0xdf, 0xb4, 0x5b};
    EXPECT_EQ(std::memcmp(bytes, magic, 8), 0);
    EXPECT_EQ(bytes[8], 0x06);
    EXPECT_EQ(bytes[9], 0x23);

    AnasFileHeader read;
    ASSERT_EQ(decode_header(bytes, read), HeaderCheck::ok);
    EXPECT_EQ(read.width, 384);
    EXPECT_EQ(read.height, 288);
    EXPECT_EQ(read.count, 3u);

    struct Damage {
        size_t offset;
        uint8_t value;
        HeaderCheck expected;
    };
    const Damage damages[] = {
        {0, 0x00, HeaderCheck::bad_magic},   {8, 0x07, HeaderCheck::bad_magic},
        {10, 0x02, HeaderCheck::bad_version}, {12, 0x00, HeaderCheck::ok},
    };
    for (const Damage& d : damages) {
        uint8_t copy[kAnasHeaderSize];
        std::memcpy(copy, bytes, sizeof(copy));
        copy[d.offset] = d.value;
        AnasFileHeader out;
        EXPECT_EQ(decode_header(copy, out), d.expected) << "offset " << d.offset;
    }
    // A zero side would give an infinite scale.
    for (size_t offset : {12u, 14u}) {
        uint8_t copy[kAnasHeaderSize];
        std::memcpy(copy, bytes, sizeof(copy));
        copy[offset] = 0;
        copy[offset + 1] = 0;
        AnasFileHeader out;
        EXPECT_EQ(decode_header(copy, out), HeaderCheck::bad_size);
    }
}

TEST(anas_file_codec, record_round_trip)
{
    AnasRecord r;
    r.text = "R:10,20;30,40;-";
    r.alias = "R1";
    r.line_color = 0x00ff00;
    r.show_text_type = 7;
    r.show_max = true;
    r.self_palette = true;
    r.auto_imaging = false;
    r.palette = 3;
    r.range_low = 1000;
    r.range_high = 9000;
    r.show_cursor = true;
    r.self_para = true;
    r.emissivity = 0.9f;
    r.distance = 2.5f;
    uint8_t bytes[kAnasRecordSize];
    ASSERT_TRUE(encode_record(r, bytes));
    EXPECT_EQ(bytes[0x46d], 3);
    EXPECT_EQ(bytes[0x46e] | (bytes[0x46f] << 8), 1000);
    AnasRecord back;
    decode_record(bytes, back);
    EXPECT_EQ(back.text, r.text);
    EXPECT_EQ(back.alias, r.alias);
    EXPECT_EQ(back.line_color, r.line_color);
    EXPECT_EQ(back.show_text_type, 7);
    EXPECT_TRUE(back.show_max);
    EXPECT_FALSE(back.show_min);
    EXPECT_TRUE(back.self_palette);
    EXPECT_EQ(back.palette, 3);
    EXPECT_EQ(back.range_low, 1000);
    EXPECT_EQ(back.range_high, 9000);
    EXPECT_TRUE(back.show_cursor);
    EXPECT_TRUE(back.self_para);
    EXPECT_FLOAT_EQ(back.emissivity, 0.9f);
    EXPECT_FLOAT_EQ(back.distance, 2.5f);

    // Palette fields without the own-palette byte are ignored by the reader.
    bytes[0x46b] = 0;
    decode_record(bytes, back);
    EXPECT_EQ(back.palette, 0);
    EXPECT_EQ(back.range_high, 0);
}

TEST(anas_file_codec, unterminated_fields_stop_at_their_end)
{
    uint8_t bytes[kAnasRecordSize];
    std::memset(bytes, 'A', sizeof(bytes));
    AnasRecord back;
    decode_record(bytes, back);
    EXPECT_EQ(back.text.size(), 1024u);
    EXPECT_EQ(back.alias.size(), 100u);

    AnasRecord too_long;
    too_long.text.assign(1024, 'P');
    EXPECT_FALSE(encode_record(too_long, bytes));
    too_long.text = "P:1,1;-";
    too_long.alias.assign(100, 'x');
    EXPECT_FALSE(encode_record(too_long, bytes));
}

TEST(anas_file_codec, rescale)
{
    std::string out;
    ASSERT_TRUE(rescale_ana_text("P:100,100;-P1", 640.0 / 384, 480.0 / 288, out));
    EXPECT_EQ(out, "P:166,166;-");
    ASSERT_TRUE(rescale_ana_text("L:0,0;383,287;-", 0.5, 0.5, out));
    EXPECT_EQ(out, "L:0,0;191,143;-");
    EXPECT_FALSE(rescale_ana_text("P:1,1;-", 0.00001, 1.0, out));
    EXPECT_FALSE(rescale_ana_text("P:60000,1;-", 2.0, 1.0, out));
    EXPECT_FALSE(rescale_ana_text("X:1,1;-", 1.0, 1.0, out));
    EXPECT_FALSE(rescale_ana_text("", 1.0, 1.0, out));
}

}  // namespace
