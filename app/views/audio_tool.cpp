#include "views/audio_tool.h"

#include <QAudioDeviceInfo>
#include <QAudioInput>
#include <QAudioOutput>
#include <QIODevice>
#include <QLoggingCategory>

#include <algorithm>

Q_LOGGING_CATEGORY(lc_audio, "pyravue.view.audio")

namespace {

// Signed and unsigned 8-bit samples differ in their top bit only.
void flip_sign(char* bytes, qint64 count)
{
    for (qint64 i = 0; i < count; ++i) {
        bytes[i] = static_cast<char>(static_cast<unsigned char>(bytes[i]) ^ 0x80u);
    }
}

// The note's format as the device takes it: signed when it can, else
// unsigned (the caller converts); false when it takes neither.
bool device_format(const QAudioDeviceInfo& device, QAudioFormat& format, bool& is_unsigned)
{
    format = AudioTool::note_format();
    is_unsigned = false;
    if (device.isFormatSupported(format)) return true;
    format.setSampleType(QAudioFormat::UnSignedInt);
    is_unsigned = true;
    return device.isFormatSupported(format);
}

}  // namespace

AudioTool::AudioTool(QObject* parent) : QObject(parent)
{
    m_play_timer.setInterval(kPlayIntervalMs);
    connect(&m_play_timer, &QTimer::timeout, this, &AudioTool::slot_write_output_info);
}

AudioTool::~AudioTool()
{
    m_play_timer.stop();
    close_input();
    close_output();
}

QAudioFormat AudioTool::note_format()
{
    QAudioFormat format;
    format.setSampleRate(kSampleRate);
    format.setChannelCount(1);
    format.setSampleSize(8);
    format.setCodec(QStringLiteral("audio/pcm"));
    format.setByteOrder(QAudioFormat::LittleEndian);
    format.setSampleType(QAudioFormat::SignedInt);
    return format;
}

void AudioTool::use_devices(QIODevice* input, QIODevice* output)
{
    m_test_input = input;
    m_test_output = output;
}

unsigned char* AudioTool::sound_bytes()
{
    return m_voice.isEmpty() ? nullptr : reinterpret_cast<unsigned char*>(m_voice.data());
}

bool AudioTool::set_sound_bytes(const unsigned char* bytes, uint32_t length)
{
    stop_play();
    // A recording in progress gives way to the lent note.
    close_input();
    m_recording.clear();
    if (bytes == nullptr || length == 0 || length > static_cast<uint32_t>(INT32_MAX)) {
        m_voice.clear();
    } else {
        m_voice = QByteArray(reinterpret_cast<const char*>(bytes), static_cast<int>(length));
    }
    return true;
}

bool AudioTool::clear_sound()
{
    m_voice.clear();
    return true;
}

// --- Devices ------------------------------------------------------------------------------------

QIODevice* AudioTool::open_input()
{
    if (m_test_input != nullptr) {
        m_input_unsigned = false;
        if (!m_test_input->isOpen() && !m_test_input->open(QIODevice::ReadOnly)) return nullptr;
        return m_test_input;
    }
    const QAudioDeviceInfo device = QAudioDeviceInfo::defaultInputDevice();
    QAudioFormat format;
    if (device.isNull() || !device_format(device, format, m_input_unsigned)) {
        qCWarning(lc_audio) << "no audio input for the voice note";
        return nullptr;
    }
    if (m_audio_input == nullptr) {
        m_audio_input = new QAudioInput(device, format, this);
        m_audio_input->setVolume(1.0);
    }
    QIODevice* stream = m_audio_input->start();
    if (stream == nullptr || m_audio_input->error() != QAudio::NoError) {
        qCWarning(lc_audio) << "audio input refused to start:" << m_audio_input->error();
        m_audio_input->stop();
        return nullptr;
    }
    return stream;
}

QIODevice* AudioTool::open_output()
{
    if (m_test_output != nullptr) {
        m_output_unsigned = false;
        if (!m_test_output->isOpen() && !m_test_output->open(QIODevice::WriteOnly)) return nullptr;
        return m_test_output;
    }
    const QAudioDeviceInfo device = QAudioDeviceInfo::defaultOutputDevice();
    QAudioFormat format;
    if (device.isNull() || !device_format(device, format, m_output_unsigned)) {
        qCWarning(lc_audio) << "no audio output for the voice note";
        return nullptr;
    }
    if (m_audio_output == nullptr) {
        m_audio_output = new QAudioOutput(device, format, this);
        m_audio_output->setVolume(1.0);
    }
    QIODevice* stream = m_audio_output->start();
    if (stream == nullptr || m_audio_output->error() != QAudio::NoError) {
        qCWarning(lc_audio) << "audio output refused to start:" << m_audio_output->error();
        m_audio_output->stop();
        return nullptr;
    }
    return stream;
}

void AudioTool::close_input()
{
    if (m_input_stream != nullptr) {
        disconnect(m_input_stream, &QIODevice::readyRead, this, &AudioTool::slot_read_input_info);
    }
    m_input_stream = nullptr;
    if (m_audio_input != nullptr) m_audio_input->stop();
}

void AudioTool::close_output()
{
    m_output_stream = nullptr;
    if (m_audio_output != nullptr && m_audio_output->state() != QAudio::StoppedState) m_audio_output->stop();
}

qint64 AudioTool::output_chunk() const
{
    // One timer period of sound when the device does not say.
    const int period = m_audio_output != nullptr && m_test_output == nullptr ? m_audio_output->periodSize() : 0;
    return period > 0 ? period : kSampleRate * kPlayIntervalMs / 1000;
}

// --- Recording ----------------------------------------------------------------------------------

bool AudioTool::start_record()
{
    stop_play();
    close_input();
    m_recording.clear();
    QIODevice* stream = open_input();
    if (stream == nullptr) {
        qCWarning(lc_audio) << "voice note recording did not start; the note is kept";
        return false;
    }
    m_input_stream = stream;
    connect(stream, &QIODevice::readyRead, this, &AudioTool::slot_read_input_info);
    return true;
}

bool AudioTool::stop_record()
{
    close_input();
    if (!m_recording.isEmpty()) {
        m_voice = m_recording;
        m_recording.clear();
    }
    return true;
}

void AudioTool::slot_read_input_info()
{
    if (m_input_stream == nullptr) return;
    char buffer[kReadChunk];
    for (;;) {
        const qint64 ready = std::min<qint64>(m_input_stream->bytesAvailable(), kReadChunk);
        if (ready <= 0) return;
        const qint64 got = m_input_stream->read(buffer, ready);
        if (got <= 0) return;
        if (m_input_unsigned) flip_sign(buffer, got);
        m_recording.append(buffer, static_cast<int>(got));
    }
}

// --- Playing ------------------------------------------------------------------------------------

bool AudioTool::start_play()
{
    stop_play();
    QIODevice* stream = open_output();
    if (stream == nullptr) return false;
    m_output_stream = stream;
    m_play_position = 0;
    m_play_timer.start();
    return true;
}

bool AudioTool::stop_play()
{
    m_play_timer.stop();
    close_output();
    return true;
}

void AudioTool::slot_write_output_info()
{
    if (m_play_position >= m_voice.size() || m_output_stream == nullptr) {
        m_play_timer.stop();
        return;
    }
    if (m_audio_output != nullptr && m_test_output == nullptr && m_audio_output->state() == QAudio::StoppedState) {
        return;
    }
    qint64 chunk = std::min<qint64>(output_chunk(), m_voice.size() - m_play_position);
    if (m_audio_output != nullptr && m_test_output == nullptr) {
        chunk = std::min<qint64>(chunk, m_audio_output->bytesFree());
    }
    if (chunk <= 0) return;
    QByteArray piece = m_voice.mid(m_play_position, static_cast<int>(chunk));
    if (m_output_unsigned) flip_sign(piece.data(), piece.size());
    const qint64 written = m_output_stream->write(piece);
    // A refused write (-1) or a full device (0) keeps the position: the next
    // tick offers the same bytes again.
    if (written > 0) m_play_position += static_cast<int>(written);
}
