// The voice note over buffers standing in for the sound devices: lengths,
// recording what the input delivers, playing in pieces, refused writes,
// copies of the note, a recording that fails keeping the note; and the sound devices themselves where the machine
// has them.
#include "message_guard.h"
#include "views/audio_tool.h"

#include <QAudioDeviceInfo>
#include <QBuffer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray tone(int bytes)
{
    QByteArray note(bytes, '\0');
    for (int i = 0; i < bytes; ++i) note[i] = static_cast<char>((i * 7) % 256 - 128);
    return note;
}

// An output that refuses the first write outright (-1) and then takes at
// most 100 bytes per write.
class StingyOutput : public QIODevice {
public:
    QByteArray taken;
    int refusals = 1;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override
    {
        if (refusals > 0) {
            --refusals;
            return -1;
        }
        const qint64 n = std::min<qint64>(length, 100);
        taken.append(data, static_cast<int>(n));
        return n;
    }
};

}  // namespace

class AudioToolTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Looking for sound devices the first time may warn that no sound
        // server runs; that is the machine's state, not the program's.
        QAudioDeviceInfo::availableDevices(QAudio::AudioOutput);
        QAudioDeviceInfo::availableDevices(QAudio::AudioInput);
        m_guard.install();
    }
    void cleanup() { m_guard.verify(); }

    void audio_lengths_and_copies()
    {
        AudioTool tool;
        QByteArray note = tone(12000);
        QVERIFY(tool.set_sound_bytes(reinterpret_cast<const unsigned char*>(note.constData()), 12000));
        QCOMPARE(tool.sound_seconds(), 1);
        // The tool keeps its own copy: the lender's memory may change or go.
        note.fill('\x11');
        note.clear();
        QCOMPARE(tool.voice(), tone(12000));
        tool.set_sound_bytes(reinterpret_cast<const unsigned char*>(tone(7999).constData()), 7999);
        QCOMPARE(tool.sound_seconds(), 0);
        QVERIFY(tool.set_sound_bytes(nullptr, 500));
        QCOMPARE(tool.sound_length(), 0u);
        QVERIFY(tool.sound_bytes() == nullptr);
    }

    void audio_record_from_an_input()
    {
        QBuffer input;
        input.setData(tone(10000));
        AudioTool tool;
        tool.use_devices(&input, nullptr);
        QVERIFY(tool.start_record());
        QVERIFY(tool.is_recording());
        emit input.readyRead();
        QCOMPARE(tool.recording(), tone(10000));
        QVERIFY(tool.stop_record());
        QCOMPARE(tool.voice(), tone(10000));
        QVERIFY(!tool.is_recording());
        // Nothing more arrives once stopped.
        emit input.readyRead();
        QCOMPARE(tool.sound_length(), 10000u);
    }

    void audio_play_in_pieces_and_stop()
    {
        QBuffer output;
        AudioTool tool;
        tool.use_devices(nullptr, &output);
        const QByteArray note = tone(AudioTool::kSampleRate / 2);
        tool.set_sound_bytes(reinterpret_cast<const unsigned char*>(note.constData()), note.size());
        QVERIFY(tool.start_play());
        QVERIFY(tool.is_playing());
        QTRY_VERIFY_WITH_TIMEOUT(!tool.is_playing(), 20000);
        QCOMPARE(output.data(), note);
        QCOMPARE(tool.play_position(), note.size());

        // An empty note stops the timer on its first tick.
        QBuffer empty_output;
        AudioTool empty;
        empty.use_devices(nullptr, &empty_output);
        QVERIFY(empty.start_play());
        empty.slot_write_output_info();
        QVERIFY(!empty.is_playing());
        QCOMPARE(empty_output.size(), 0);
    }

    void audio_refused_write_keeps_the_position()
    {
        StingyOutput output;
        QVERIFY(output.open(QIODevice::WriteOnly));
        AudioTool tool;
        tool.use_devices(nullptr, &output);
        const QByteArray note = tone(250);
        tool.set_sound_bytes(reinterpret_cast<const unsigned char*>(note.constData()), note.size());
        QVERIFY(tool.start_play());
        tool.slot_write_output_info();
        QCOMPARE(tool.play_position(), 0);
        for (int tick = 0; tick < 5; ++tick) tool.slot_write_output_info();
        QCOMPARE(output.taken, note);
        QVERIFY(!tool.is_playing());
    }

    void audio_recording_stops_playing_and_discards()
    {
        QBuffer input, output;
        input.setData(tone(800));
        AudioTool tool;
        tool.use_devices(&input, &output);
        const QByteArray note = tone(16000);
        tool.set_sound_bytes(reinterpret_cast<const unsigned char*>(note.constData()), note.size());
        QVERIFY(tool.start_play());
        QVERIFY(tool.start_record());
        QVERIFY(!tool.is_playing());
        // The old note lasts until the new one is recorded.
        QCOMPARE(tool.voice(), note);
        emit input.readyRead();
        QVERIFY(tool.stop_record());
        QCOMPARE(tool.voice(), tone(800));
        // Lending a note stops a recording and drops what it had.
        QBuffer second_input;
        second_input.setData(tone(300));
        tool.use_devices(&second_input, &output);
        QVERIFY(tool.start_record());
        emit second_input.readyRead();
        tool.set_sound_bytes(reinterpret_cast<const unsigned char*>(note.constData()), note.size());
        QVERIFY(!tool.is_recording());
        QVERIFY(tool.stop_record());
        QCOMPARE(tool.voice(), note);
    }

    // A recording that cannot start, or that stops before any sound came,
    // keeps the note: the picture loses nothing by Record, Stop, Save.
    void audio_failed_recording_keeps_the_note()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile missing_input(dir.filePath("no such input/device"));
        QBuffer silent_input;
        AudioTool tool;
        const QByteArray note = tone(12000);
        tool.set_sound_bytes(reinterpret_cast<const unsigned char*>(note.constData()), note.size());

        tool.use_devices(&missing_input, nullptr);
        m_guard.expect(QRegularExpression("recording did not start"));
        QVERIFY(!tool.start_record());
        QVERIFY(!tool.is_recording());
        QVERIFY(tool.stop_record());
        QCOMPARE(tool.voice(), note);

        tool.use_devices(&silent_input, nullptr);
        QVERIFY(tool.start_record());
        emit silent_input.readyRead();
        QVERIFY(tool.stop_record());
        QCOMPARE(tool.voice(), note);
        QCOMPARE(tool.sound_seconds(), 1);
    }

    void audio_sound_devices_when_present()
    {
        const QAudioDeviceInfo out = QAudioDeviceInfo::defaultOutputDevice();
        if (out.isNull()) QSKIP("no audio output device on this machine");
        AudioTool tool;
        const QByteArray note = tone(AudioTool::kSampleRate / 10);
        tool.set_sound_bytes(reinterpret_cast<const unsigned char*>(note.constData()), note.size());
        if (!tool.start_play()) QSKIP("the audio output refused the note's format");
        QTRY_VERIFY_WITH_TIMEOUT(!tool.is_playing(), 20000);
        QCOMPARE(tool.play_position(), note.size());
    }

private:
    roadtest::MessageGuard m_guard;
};

QTEST_MAIN(AudioToolTest)
#include "audio_tool_test.moc"
