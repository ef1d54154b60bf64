// The blocks appended to pictures: radiometric data and national-grid data.
#pragma once

#include "frame.h"

namespace sensekern {
namespace detail {

constexpr uint64_t kMaxPictureFileBytes = 1ull << 30;
constexpr uint32_t kFooterSize = 24;
constexpr uint32_t kMaxAnaRecords = 4096;
constexpr uint32_t kMaxAnaText = VY_ANA_STR_CAPACITY - 1;
constexpr uint32_t kMaxAnaNote = 4095;


enum class BlockKind { none, radiometric, national_grid };

// The block found at the end of a file: its kind, where the picture ends and
// the block's bytes (validated footer and checksum, not yet parsed).
struct FoundBlock {
    BlockKind kind = BlockKind::none;
    uint64_t picture_length = 0;
    const uint8_t* block = nullptr;
    uint64_t block_length = 0;
};
FoundBlock find_block(const uint8_t* data, uint64_t size);

// The footer that ends a file of `size` bytes (its last kFooterSize bytes):
// the block's kind, place and checksum, kind none when it is not a footer.
struct Footer {
    BlockKind kind = BlockKind::none;
    uint64_t block_offset = 0;
    uint64_t block_length = 0;
    uint32_t crc = 0;
};
Footer parse_footer(const uint8_t* footer, uint64_t size);
bool is_picture(const uint8_t* data, uint64_t size);
void append_footer(std::vector<uint8_t>* block, BlockKind kind);

bool build_radiometric_block(Frame& f, const uint8_t* third, uint32_t third_length, const uint8_t* sound,
                             uint32_t sound_length, const uint8_t* user, uint32_t user_length,
                             std::vector<uint8_t>* out);
bool parse_radiometric_block(const uint8_t* block, uint64_t length, LoadedFrame* out);
bool build_national_grid_block(Frame& f, const uint8_t* user, uint32_t user_length, std::vector<uint8_t>* out);
bool parse_national_grid_block(const uint8_t* block, uint64_t length, LoadedFrame* out);

// Analysis records and lens records, shared with the recordings.
// Canonical keys of the frame's objects by ascending type, in order of
// addition within a type.
std::vector<std::string> ana_keys(Frame& f);
void write_anas(Frame& f, ByteWriter& w);
bool read_anas(ByteReader& in, std::vector<AnaRecord>* out);
void write_lens(ByteWriter& w, const tagLenInfo& lens);
bool read_lens(ByteReader& in, tagLenInfo* lens);
void write_mac(ByteWriter& w, const MacTexts& mac);
bool read_mac(ByteReader& in, MacTexts* mac);
void write_table(ByteWriter& w, const Table& t);
bool read_table(ByteReader& in, Table* t);
void write_model(ByteWriter& w, const Model& m);
bool read_model(ByteReader& in, Model* m);
void write_view(ByteWriter& w, const View& v);
bool read_view(ByteReader& in, View* v);

}  // namespace detail
}  // namespace sensekern
