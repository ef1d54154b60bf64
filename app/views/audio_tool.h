// The voice note of a still picture: 8000 Hz, mono, 8-bit signed PCM with
// no header, recorded from the default audio input and played on the
// default audio output. The tool keeps its own copy of the note.
//
// Recording and playing go through QIODevices: the sound devices' streams
// when the machine has them, or devices handed in with use_devices (tests
// use buffers). Everything runs on the thread that owns the tool.
//
// A recording replaces the note only once it has delivered sound: a start
// that fails, or a recording stopped before any sound came, keeps the note
// the picture had.
#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <cstdint>

class QAudioInput;
class QAudioOutput;
class QIODevice;

class AudioTool : public QObject {
    Q_OBJECT

public:
    static constexpr int kSampleRate = 8000;
    static constexpr int kReadChunk = 4096;
    static constexpr int kPlayIntervalMs = 20;

    explicit AudioTool(QObject* parent = nullptr);
    ~AudioTool() override;

    // The note's format: linear PCM, 8000 Hz, mono, 8-bit signed.
    static QAudioFormat note_format();

    // Stops playing and recording, then takes a copy of the bytes (null or
    // length 0: an empty note).
    bool set_sound_bytes(const unsigned char* bytes, uint32_t length);
    bool clear_sound();
    // The note's bytes (null when empty), valid until the note changes.
    unsigned char* sound_bytes();
    uint32_t sound_length() const { return static_cast<uint32_t>(m_voice.size()); }
    // Whole seconds of the note, truncated.
    int sound_seconds() const { return static_cast<int>(m_voice.size() / kSampleRate); }
    const QByteArray& voice() const { return m_voice; }
    // Sound of the recording in progress, not yet the note.
    const QByteArray& recording() const { return m_recording; }

    // Stops playing and starts recording a new note; false (nothing recorded,
    // the note unchanged) when there is no input.
    bool start_record();
    // Ends the recording; what it recorded, when anything, becomes the note.
    bool stop_record();
    // Plays the note from its start; false when there is no output.
    bool start_play();
    bool stop_play();
    bool is_recording() const { return m_input_stream != nullptr; }
    bool is_playing() const { return m_play_timer.isActive(); }
    int play_position() const { return m_play_position; }

    // Replaces the sound devices by these (not owned; null keeps the sound
    // device of that side). Samples on them are signed.
    void use_devices(QIODevice* input, QIODevice* output);
    // True when recording or playing exchanges unsigned samples with the
    // device because it does not take signed ones.
    bool input_unsigned() const { return m_input_unsigned; }
    bool output_unsigned() const { return m_output_unsigned; }

public slots:
    void slot_read_input_info();
    void slot_write_output_info();

private:
    // Opens the input or output stream; null when there is none.
    QIODevice* open_input();
    QIODevice* open_output();
    void close_input();
    void close_output();
    qint64 output_chunk() const;

    QByteArray m_voice;
    QByteArray m_recording;
    int m_play_position = 0;
    QTimer m_play_timer;
    QAudioOutput* m_audio_output = nullptr;
    QAudioInput* m_audio_input = nullptr;
    QPointer<QIODevice> m_output_stream;
    QPointer<QIODevice> m_input_stream;
    QPointer<QIODevice> m_test_input;
    QPointer<QIODevice> m_test_output;
    bool m_input_unsigned = false;
    bool m_output_unsigned = false;
};
