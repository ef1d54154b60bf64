#include "h264_session.h"

#include "clipenc_log.h"
#include "sps_timing.h"

#include <wels/codec_api.h>

#include <algorithm>

namespace clipenc {
namespace detail {
namespace {

// The encoder itself refuses pictures smaller than 16 pixels only when
// the first frame comes, which would be too late to report.
constexpr int kMinSide = 16;
constexpr int kMaxSide = 4096;
constexpr int kMaxFps = 240;
constexpr int kMaxBitRate = 100000000;
constexpr int kMaxKeySeconds = 3600;
constexpr int kMinQp = 12;
constexpr uint8_t kStartCode[] = {0, 0, 0, 1};

bool in_range(int32_t value, int32_t low, int32_t high)
{
    return value >= low && value <= high;
}

// Start positions of the NAL units after each start code (three or four bytes).
std::vector<std::pair<std::size_t, std::size_t>> split_units(const uint8_t* data, std::size_t size)
{
    std::vector<std::pair<std::size_t, std::size_t>> units;
    std::size_t i = 0;
    std::size_t begin = std::string::npos;
    while (i + 3 <= size) {
        if (data[i] == 0 && data[i + 1] == 0 && data[i + 2] == 1) {
            if (begin != std::string::npos) {
                std::size_t end = i;
                while (end > begin && data[end - 1] == 0) {
                    --end;
                }
                units.emplace_back(begin, end - begin);
            }
            i += 3;
            begin = i;
        } else {
            ++i;
        }
    }
    if (begin != std::string::npos && begin < size) {
        units.emplace_back(begin, size - begin);
    }
    return units;
}

}  // namespace

bool settings_from(const VyVideoEncodeParam& param, EncoderSettings* settings, std::string* error)
{
    if (!in_range(param.width, kMinSide, kMaxSide) || !in_range(param.height, kMinSide, kMaxSide)) {
        *error = "picture size " + std::to_string(param.width) + " x " + std::to_string(param.height) +
                 " is outside 16 to 4096";
        return false;
    }
    if (param.input_format != 0) {
        *error = "input format " + std::to_string(param.input_format) + " is unknown (0 is RGB32)";
        return false;
    }
    if (!in_range(param.fps, 1, kMaxFps)) {
        *error = "frame rate " + std::to_string(param.fps) + " is outside 1 to 240";
        return false;
    }
    if (!in_range(param.bit_rate, 1, kMaxBitRate)) {
        *error = "bit rate " + std::to_string(param.bit_rate) + " is outside 1 to 100000000";
        return false;
    }
    if (!in_range(param.key_seconds, 0, kMaxKeySeconds)) {
        *error = "key frame interval " + std::to_string(param.key_seconds) + " s is outside 0 to 3600";
        return false;
    }
    settings->layout = I420Layout(param.width, param.height);
    settings->fps = param.fps;
    settings->bit_rate = param.bit_rate;
    settings->key_seconds = param.key_seconds;
    return true;
}

H264Session::~H264Session()
{
    if (encoder_ != nullptr) {
        encoder_->Uninitialize();
        WelsDestroySVCEncoder(encoder_);
    }
}

bool H264Session::open(const EncoderSettings& settings, VyVideoLogCallback on_log, std::string* error)
{
    if (WelsCreateSVCEncoder(&encoder_) != 0 || encoder_ == nullptr) {
        encoder_ = nullptr;
        *error = "the H.264 encoder could not be created";
        return false;
    }
    // Only errors, and into our log instead of standard error.
    on_log_ = on_log;
    int level = WELS_LOG_ERROR;
    WelsTraceCallback trace = &H264Session::on_trace;
    void* context = this;
    encoder_->SetOption(ENCODER_OPTION_TRACE_LEVEL, &level);
    encoder_->SetOption(ENCODER_OPTION_TRACE_CALLBACK_CONTEXT, &context);
    encoder_->SetOption(ENCODER_OPTION_TRACE_CALLBACK, &trace);
    // One bit per pixel is far above what a picture needs; a larger budget
    // (a small picture at a low rate) lets the rate control lower the
    // quantiser until a frame no longer fits the encoder's output buffer.
    const long long pixel_rate = static_cast<long long>(settings.layout.width) * settings.layout.height * settings.fps;
    const int bit_rate = static_cast<int>(std::min<long long>(settings.bit_rate, pixel_rate));
    SEncParamExt param;
    encoder_->GetDefaultParams(&param);
    param.iUsageType = CAMERA_VIDEO_REAL_TIME;
    param.iPicWidth = settings.layout.width;
    param.iPicHeight = settings.layout.height;
    param.iTargetBitrate = bit_rate;
    param.iMinQp = kMinQp;
    param.iMaxBitrate = UNSPECIFIED_BIT_RATE;
    param.iRCMode = RC_BITRATE_MODE;
    param.fMaxFrameRate = static_cast<float>(settings.fps);
    // Every frame handed in must come out, or the stream would play faster
    // than its declared rate.
    param.bEnableFrameSkip = false;
    param.uiIntraPeriod = static_cast<unsigned>(settings.key_seconds * settings.fps);
    param.eSpsPpsIdStrategy = CONSTANT_ID;
    param.iSpatialLayerNum = 1;
    param.iTemporalLayerNum = 1;
    param.iMultipleThreadIdc = 1;
    param.iEntropyCodingModeFlag = 0;
    SSpatialLayerConfig& layer = param.sSpatialLayers[0];
    layer.iVideoWidth = settings.layout.width;
    layer.iVideoHeight = settings.layout.height;
    layer.fFrameRate = static_cast<float>(settings.fps);
    layer.iSpatialBitrate = bit_rate;
    layer.iMaxSpatialBitrate = UNSPECIFIED_BIT_RATE;
    layer.sSliceArgument.uiSliceMode = SM_SINGLE_SLICE;
    // The colour description is written with the timing information.
    layer.bVideoSignalTypePresent = false;
    if (encoder_->InitializeExt(&param) != cmResultSuccess) {
        *error = "the H.264 encoder refused " + std::to_string(settings.layout.width) + " x " +
                 std::to_string(settings.layout.height) + " at " + std::to_string(settings.fps) + " fps";
        WelsDestroySVCEncoder(encoder_);
        encoder_ = nullptr;
        return false;
    }
    int format = videoFormatI420;
    encoder_->SetOption(ENCODER_OPTION_DATAFORMAT, &format);
    settings_ = settings;
    return true;
}

bool H264Session::encode(const uint8_t* planes, uint32_t index, bool key, std::vector<uint8_t>* unit,
                         bool* is_key, std::string* error)
{
    const I420Layout& layout = settings_.layout;
    SSourcePicture picture{};
    picture.iColorFormat = videoFormatI420;
    picture.iPicWidth = layout.width;
    picture.iPicHeight = layout.height;
    picture.iStride[0] = layout.width;
    picture.iStride[1] = picture.iStride[2] = layout.chroma_width;
    picture.pData[0] = const_cast<uint8_t*>(planes);
    picture.pData[1] = picture.pData[0] + layout.luma_size();
    picture.pData[2] = picture.pData[1] + layout.chroma_size();
    picture.uiTimeStamp = static_cast<long long>(index) * 1000 / settings_.fps;
    if (key && encoder_->ForceIntraFrame(true) != cmResultSuccess) {
        *error = "the encoder refused a key frame request";
        return false;
    }
    SFrameBSInfo info{};
    if (encoder_->EncodeFrame(&picture, &info) != cmResultSuccess) {
        *error = "encoding frame " + std::to_string(index) + " failed";
        return false;
    }
    if (info.eFrameType == videoFrameTypeSkip || info.eFrameType == videoFrameTypeInvalid) {
        *error = "the encoder produced nothing for frame " + std::to_string(index);
        return false;
    }
    unit->clear();
    for (int i = 0; i < info.iLayerNum; ++i) {
        const SLayerBSInfo& layer = info.sLayerInfo[i];
        std::size_t size = 0;
        for (int n = 0; n < layer.iNalCount; ++n) {
            size += static_cast<std::size_t>(layer.pNalLengthInByte[n]);
        }
        append_units(layer.pBsBuf, size, unit);
    }
    *is_key = info.eFrameType == videoFrameTypeIDR;
    return true;
}

void H264Session::on_trace(void* context, int level, const char* text)
{
    if (level <= WELS_LOG_ERROR) {
        CE_ERROR(static_cast<H264Session*>(context)->on_log_, "encoder: %s", text);
    }
}

void H264Session::append_units(const uint8_t* data, std::size_t size, std::vector<uint8_t>* unit)
{
    std::vector<uint8_t> rewritten;
    for (const auto& part : split_units(data, size)) {
        const uint8_t* nal = data + part.first;
        unit->insert(unit->end(), std::begin(kStartCode), std::end(kStartCode));
        if (add_sps_timing(nal, part.second, settings_.fps, &rewritten)) {
            unit->insert(unit->end(), rewritten.begin(), rewritten.end());
        } else {
            unit->insert(unit->end(), nal, nal + part.second);
        }
    }
}

}  // namespace detail
}  // namespace clipenc
