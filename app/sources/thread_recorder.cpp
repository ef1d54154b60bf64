#include "sources/thread_recorder.h"

#include "sources/ir_net_device.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lc_source)

ThreadRecorder::ThreadRecorder(IRNetDevice* device) : m_device(device) {}

ThreadRecorder::~ThreadRecorder()
{
    stop();
}

QString ThreadRecorder::low_space_text()
{
    return QCoreApplication::translate("IRNetDevice",
                                       "The free disk space less than 2GB. Please re-select another storage disk!");
}

void ThreadRecorder::notify_frame()
{
    QMutexLocker lock(&m_mutex);
    m_pending = true;
    m_cond.wakeAll();
}

void ThreadRecorder::stop()
{
    {
        QMutexLocker lock(&m_mutex);
        m_stop.store(true);
        m_cond.wakeAll();
    }
    wait();
}

bool ThreadRecorder::wait_frame()
{
    QMutexLocker lock(&m_mutex);
    while (!m_pending && !m_stop.load()) {
        m_cond.wait(&m_mutex);
    }
    m_pending = false;
    return !m_stop.load();
}

bool ThreadRecorder::wait_ms(int ms)
{
    QMutexLocker lock(&m_mutex);
    if (!m_stop.load()) {
        m_cond.wait(&m_mutex, ulong(ms));
    }
    return !m_stop.load();
}

int64_t ThreadRecorder::elapsed_ms()
{
    return m_clock.isValid() ? m_clock.elapsed() : 0;
}

bool ThreadRecorder::open_run(int fps)
{
    m_clock.start();
    const QString sn = m_device->get_ir_name();
    m_settings = RecordSettings::read(sn);
    m_fps = fps;
    qCInfo(lc_source) << "capture save path:" << m_settings.path << "file size:" << m_settings.size_limit_bytes
                      << "unlimited:" << m_settings.unlimited << "duration:" << m_settings.duration_minutes
                      << "stop mode:" << m_settings.stop_when_full << "type:" << m_settings.file_type
                      << "fps:" << fps;
    m_file_name = RecordFile::make_file_name(m_settings.path, sn, m_settings.file_type, QDateTime::currentDateTime());
    qCInfo(lc_source) << "capture file name:" << m_file_name;
    if (!m_file.begin(m_device->get_ir_data(), m_device->get_ir_paint(), m_settings.file_type, fps) ||
        !m_file.start_record(m_file_name, fps)) {
        qCWarning(lc_source) << "recording not started:" << m_file_name;
        emit m_device->sig_start_capture();
        emit m_device->sig_capture_status(QString(), 2);
        return false;
    }
    return true;
}

bool ThreadRecorder::check_free_space()
{
    const float free_gb = record_free_space_gb(m_settings.path);
    if (free_gb < 0.0f || free_gb >= kRecordMinFreeGb) {
        return true;
    }
    if (m_settings.stop_when_full) {
        qCInfo(lc_source) << "recording stops: the disk is full";
        return false;
    }
    emit m_device->sig_delete_old_video(m_settings.path, m_file_name);
    return true;
}

bool ThreadRecorder::switch_if_full(int& frames_in_file)
{
    if (!m_file.is_file_full(frames_in_file, m_settings.size_limit_bytes)) {
        return true;
    }
    m_file.stop_record();
    m_file_name = RecordFile::make_file_name(m_settings.path, m_device->get_ir_name(), m_settings.file_type,
                                             QDateTime::currentDateTime());
    if (!m_file.start_record(m_file_name, m_fps)) {
        qCWarning(lc_source) << "recording file not switched:" << m_file_name;
        emit m_device->sig_capture_status(QString(), 3);
        return false;
    }
    frames_in_file = 0;
    return true;
}

void ThreadRecorder::emit_time(int64_t seconds)
{
    emit m_device->sig_capture_status(QString::asprintf("%02d:%02d:%02d", int(seconds / 3600), int(seconds / 60 % 60),
                                                        int(seconds % 60)),
                                      0);
}

void ThreadRecorder::finish()
{
    m_file.stop_record();
    m_file.end();
    emit m_device->sig_stop_capture();
}
