// Test helpers: synthetic RGB32 frames, splitting an Annex-B stream into NAL
// units, decoding it back with openh264's decoder and comparing pictures.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include <wels/codec_api.h>

namespace clipenc_test {

// A smooth colour field drifting with the frame number and a white block
// moving across it, in RGB32 (blue, green, red, unused).
inline std::vector<uint8_t> moving_pattern(int width, int height, int frame)
{
    const double pi = 3.14159265358979;
    std::vector<uint8_t> pixels(static_cast<std::size_t>(width) * height * 4);
    const int block_x = (frame * 3) % (width - 20 > 0 ? width - 20 : 1);
    const int block_y = (frame * 2) % (height - 15 > 0 ? height - 15 : 1);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &pixels[(static_cast<std::size_t>(y) * width + x) * 4];
            bool block = x >= block_x && x < block_x + 20 && y >= block_y && y < block_y + 15;
            double r = 0.5 * (1 + std::sin(2 * pi * (x + 3 * frame) / width));
            double g = 0.5 * (1 + std::sin(2 * pi * (y + 2 * frame) / height));
            double b = 0.5 * (1 + std::cos(2 * pi * (x + y + frame) / (width + height)));
            p[0] = block ? 255 : static_cast<uint8_t>(b * 255);
            p[1] = block ? 255 : static_cast<uint8_t>(g * 255);
            p[2] = block ? 255 : static_cast<uint8_t>(r * 255);
            p[3] = 0xFF;
        }
    }
    return pixels;
}

// The first count frames of the moving pattern.
inline std::vector<std::vector<uint8_t>> moving_patterns(int width, int height, int count)
{
    std::vector<std::vector<uint8_t>> frames;
    for (int i = 0; i < count; ++i) {
        frames.push_back(moving_pattern(width, height, i));
    }
    return frames;
}

// Pseudo-random pixels from a fixed seed: hard to compress.
inline std::vector<uint8_t> noise_frame(int width, int height, uint32_t seed)
{
    std::vector<uint8_t> pixels(static_cast<std::size_t>(width) * height * 4);
    uint32_t state = seed * 2654435761u + 1;
    for (uint8_t& byte : pixels) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<uint8_t>(state >> 24);
    }
    return pixels;
}

struct NalUnit {
    int type;
    std::string bytes;  // without the start code
};

inline std::vector<NalUnit> nal_units(const std::string& stream)
{
    std::vector<NalUnit> units;
    std::size_t begin = std::string::npos;
    std::size_t i = 0;
    auto finish = [&](std::size_t end) {
        while (end > begin && stream[end - 1] == 0) {
            --end;
        }
        units.push_back({stream[begin] & 0x1F, stream.substr(begin, end - begin)});
    };
    while (i + 3 <= stream.size()) {
        if (stream[i] == 0 && stream[i + 1] == 0 && stream[i + 2] == 1) {
            if (begin != std::string::npos) {
                finish(i);
            }
            i += 3;
            begin = i;
        } else {
            ++i;
        }
    }
    if (begin != std::string::npos && begin < stream.size()) {
        finish(stream.size());
    }
    return units;
}

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> y, u, v;  // packed planes
};

// Decodes a whole stream with a fresh decoder; false when the decoder
// reports an error on any unit.
inline bool decode_stream(const std::string& stream, std::vector<Picture>* pictures)
{
    ISVCDecoder* decoder = nullptr;
    if (WelsCreateDecoder(&decoder) != 0) {
        return false;
    }
    SDecodingParam param{};
    param.sVideoProperty.eVideoBsType = VIDEO_BITSTREAM_AVC;
    decoder->Initialize(&param);
    bool ok = true;
    for (const NalUnit& unit : nal_units(stream)) {
        std::string annex_b = std::string("\0\0\0\1", 4) + unit.bytes;
        uint8_t* planes[3] = {};
        SBufferInfo info{};
        DECODING_STATE state = decoder->DecodeFrameNoDelay(reinterpret_cast<const unsigned char*>(annex_b.data()),
                                                           static_cast<int>(annex_b.size()), planes, &info);
        if (state != dsErrorFree) {
            ok = false;
            break;
        }
        if (info.iBufferStatus != 1) {
            continue;
        }
        Picture picture;
        picture.width = info.UsrData.sSystemBuffer.iWidth;
        picture.height = info.UsrData.sSystemBuffer.iHeight;
        const int strides[3] = {info.UsrData.sSystemBuffer.iStride[0], info.UsrData.sSystemBuffer.iStride[1],
                                info.UsrData.sSystemBuffer.iStride[1]};
        std::vector<uint8_t>* targets[3] = {&picture.y, &picture.u, &picture.v};
        for (int plane = 0; plane < 3; ++plane) {
            int w = plane == 0 ? picture.width : (picture.width + 1) / 2;
            int h = plane == 0 ? picture.height : (picture.height + 1) / 2;
            for (int row = 0; row < h; ++row) {
                const uint8_t* line = planes[plane] + static_cast<std::size_t>(row) * strides[plane];
                targets[plane]->insert(targets[plane]->end(), line, line + w);
            }
        }
        pictures->push_back(std::move(picture));
    }
    decoder->Uninitialize();
    WelsDestroyDecoder(decoder);
    return ok;
}

// PSNR in dB of a decoded picture against the RGB32 frame it was made from,
// over the red, green and blue channels (BT.601 studio-range inverse).
inline double rgb_psnr(const Picture& picture, const std::vector<uint8_t>& rgb32)
{
    auto clamp = [](double value) { return value < 0 ? 0.0 : value > 255 ? 255.0 : value; };
    double squared = 0;
    const int cw = (picture.width + 1) / 2;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            double luma = 1.164 * (picture.y[static_cast<std::size_t>(y) * picture.width + x] - 16);
            double u = picture.u[static_cast<std::size_t>(y / 2) * cw + x / 2] - 128;
            double v = picture.v[static_cast<std::size_t>(y / 2) * cw + x / 2] - 128;
            const double rgb[3] = {clamp(luma + 2.017 * u), clamp(luma - 0.392 * u - 0.813 * v),
                                   clamp(luma + 1.596 * v)};  // blue, green, red
            const uint8_t* source = &rgb32[(static_cast<std::size_t>(y) * picture.width + x) * 4];
            for (int c = 0; c < 3; ++c) {
                double d = rgb[c] - source[c];
                squared += d * d;
            }
        }
    }
    double mse = squared / (3.0 * picture.width * picture.height);
    return mse == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}

}  // namespace clipenc_test
