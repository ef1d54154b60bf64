// Exports that append temperature data to pictures and load it back.
#include "picture_block.h"

#include <unistd.h>

using namespace sensekern::detail;

namespace {

bool append_block(void* handle, const std::string& path, bool national_grid, const uint8_t* third,
                  uint32_t third_length, const uint8_t* sound, uint32_t sound_length, const uint8_t* user,
                  uint32_t user_length, const char* function)
{
    return with_frame(handle, function, [&](Frame& f) {
        std::vector<uint8_t> picture;
        if (!read_file(path, kMaxPictureFileBytes, &picture, function)) {
            return false;
        }
        if (!is_picture(picture.data(), picture.size())) {
            SK_LOG(function, "%s is not a JPEG or PNG picture", path.c_str());
            return false;
        }
        // An earlier block is replaced; a damaged one is not found and stays
        // in the picture bytes, where readers ignore it.
        FoundBlock earlier = find_block(picture.data(), picture.size());
        if (earlier.kind != BlockKind::none) {
            picture.resize(static_cast<std::size_t>(earlier.picture_length));
        }
        std::vector<uint8_t> block;
        bool built = national_grid
                         ? build_national_grid_block(f, user, user_length, &block)
                         : build_radiometric_block(f, third, third_length, sound, sound_length, user, user_length,
                                                   &block);
        return built && write_file_atomic(path, picture, block, function);
    });
}

bool parse_found(const FoundBlock& found, bool national_grid, LoadedFrame* loaded)
{
    if (national_grid) {
        return found.kind == BlockKind::national_grid &&
               parse_national_grid_block(found.block, found.block_length, loaded);
    }
    return found.kind == BlockKind::radiometric && parse_radiometric_block(found.block, found.block_length, loaded);
}

bool commit_found(void* handle, const FoundBlock& found, bool national_grid, const char* function)
{
    LoadedFrame loaded;
    if (!parse_found(found, national_grid, &loaded)) {
        SK_LOG(function, "no valid temperature data is appended to the picture");
        return false;
    }
    return with_frame(handle, function, [&](Frame& f) { return f.commit(std::move(loaded), true, function); });
}

bool load_buffer(void* handle, const uint8_t* data, uint64_t length, bool national_grid, const char* function)
{
    return data != nullptr && commit_found(handle, find_block(data, length), national_grid, function);
}

// The block appended to the picture at path, read from the end of the file:
// the footer first and then only the bytes it announces, so a large picture
// without temperature data costs one small read. *found points into *bytes.
bool read_file_block(const std::string& path, vybase::StockVector<uint8_t>* bytes, FoundBlock* found, const char* function)
{
    uint64_t size = 0;
    int fd = open_input(path, &size, function);
    if (fd < 0) {
        return false;
    }
    *found = FoundBlock();
    found->picture_length = size;
    uint8_t tail[kFooterSize];
    bool ok = size <= kMaxPictureFileBytes;
    if (!ok) {
        SK_LOG(function, "%s is larger than %llu bytes", path.c_str(),
               static_cast<unsigned long long>(kMaxPictureFileBytes));
    } else if (size >= kFooterSize && read_all_at(fd, size - kFooterSize, tail, kFooterSize)) {
        Footer footer = parse_footer(tail, size);
        if (footer.kind != BlockKind::none) {
            bytes->resize(static_cast<std::size_t>(footer.block_length));
            ok = read_all_at(fd, footer.block_offset, bytes->data(), bytes->size());
            if (ok && crc32_of(bytes->data(), bytes->size()) == footer.crc) {
                found->kind = footer.kind;
                found->picture_length = footer.block_offset;
                found->block = bytes->data();
                found->block_length = bytes->size();
            }
        }
    }
    ::close(fd);
    return ok;
}

bool load_file(void* handle, const char* path, bool national_grid, const char* function)
{
    vybase::StockVector<uint8_t> bytes;
    FoundBlock found;
    return path != nullptr && frame_of(handle) != nullptr && read_file_block(path, &bytes, &found, function) &&
           commit_found(handle, found, national_grid, function);
}

}  // namespace

bool sensekern_probe_file(void* handle, const char* path, SensekernFileKind* kind)
{
    vybase::StockVector<uint8_t> bytes;
    FoundBlock found;
    if (path == nullptr || kind == nullptr || frame_of(handle) == nullptr ||
        !read_file_block(path, &bytes, &found, "sensekern_probe_file")) {
        return false;
    }
    LoadedFrame probe;
    *kind = SENSEKERN_FILE_PLAIN;
    if (parse_found(found, false, &probe)) {
        *kind = SENSEKERN_FILE_RADIOMETRIC;
    } else if (parse_found(found, true, &probe)) {
        *kind = SENSEKERN_FILE_NATIONAL_GRID;
    }
    return true;
}

bool sensekern_load_picture_file(void* handle, const char* path)
{
    return load_file(handle, path, false, "sensekern_load_picture_file");
}

bool sensekern_load_picture_buffer(void* handle, const uint8_t* data, uint64_t length)
{
    return load_buffer(handle, data, length, false, "sensekern_load_picture_buffer");
}

bool sensekern_load_national_grid_file(void* handle, const char* path)
{
    return load_file(handle, path, true, "sensekern_load_national_grid_file");
}

bool sensekern_load_national_grid_buffer(void* handle, const uint8_t* data, uint64_t length)
{
    return load_buffer(handle, data, length, true, "sensekern_load_national_grid_buffer");
}

bool sensekern_get_picture_length(void* handle, const char* path, uint64_t* length)
{
    vybase::StockVector<uint8_t> bytes;
    FoundBlock found;
    if (path == nullptr || length == nullptr || frame_of(handle) == nullptr ||
        !read_file_block(path, &bytes, &found, "sensekern_get_picture_length")) {
        return false;
    }
    *length = found.picture_length;
    return true;
}

bool sensekern_get_attached_data(void* handle, SensekernAttached which, uint8_t* buffer, uint32_t* length)
{
    if (length == nullptr || which < SENSEKERN_THIRD || which > SENSEKERN_USER) {
        return false;
    }
    return with_frame(handle, "sensekern_get_attached_data",
                      [&](Frame& f) { return copy_out(f.attached(which), buffer, length); });
}

bool sensekern_append_temperature_to_file(void* handle, const char* path, const unsigned char* third,
                                          uint32_t third_length, const unsigned char* sound, uint32_t sound_length,
                                          const unsigned char* user, uint32_t user_length)
{
    return path != nullptr && append_block(handle, path, false, third, third_length, sound, sound_length, user,
                                           user_length, "sensekern_append_temperature_to_file");
}

bool sensekern_append_temperature_to_file_w(void* handle, const wchar_t* path, const unsigned char* third,
                                            uint32_t third_length, const unsigned char* sound,
                                            uint32_t sound_length, const unsigned char* user,
                                            uint32_t user_length)
{
    return path != nullptr && append_block(handle, utf8_of_wide(path), false, third, third_length, sound,
                                           sound_length, user, user_length, "sensekern_append_temperature_to_file_w");
}

bool sensekern_append_temperature_to_national_grid_file(void* handle, const char* path, const unsigned char* user,
                                                        uint32_t user_length)
{
    return path != nullptr && append_block(handle, path, true, nullptr, 0, nullptr, 0, user, user_length,
                                           "sensekern_append_temperature_to_national_grid_file");
}

bool sensekern_append_temperature_to_national_grid_file_w(void* handle, const wchar_t* path,
                                                          const unsigned char* user, uint32_t user_length)
{
    return path != nullptr && append_block(handle, utf8_of_wide(path), true, nullptr, 0, nullptr, 0, user,
                                           user_length, "sensekern_append_temperature_to_national_grid_file_w");
}
