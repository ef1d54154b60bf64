#include "message_guard.h"

#include <QCoreApplication>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>
#include <QtTest>

namespace roadtest {

namespace {

struct GuardState {
    QMutex mutex;
    QtMessageHandler previous = nullptr;
    QList<QRegularExpression> expected;
    QStringList bad;          // every unexpected bad message
    QStringList pending;      // unexpected ones from other threads, not yet failed
    bool active = false;
};

GuardState& state()
{
    static GuardState s;
    return s;
}

const char* type_name(QtMsgType type)
{
    switch (type) {
    case QtWarningMsg: return "warning";
    case QtCriticalMsg: return "critical";
    case QtFatalMsg: return "fatal";
    default: return "message";
    }
}

// What the machine says, not the program: a test machine without a sound
// server answers every sound effect this way.
bool is_environment_message(const QString& text)
{
    return text.startsWith(QLatin1String("PulseAudioService: pa_context_connect() failed"));
}

void guard_handler(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    GuardState& s = state();
    QtMessageHandler previous = nullptr;
    bool fail_now = false;
    QString line;
    {
        QMutexLocker lock(&s.mutex);
        previous = s.previous;
        if (s.active && (type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg) &&
            !is_environment_message(text)) {
            bool was_expected = false;
            for (int i = 0; i < s.expected.size(); ++i) {
                if (s.expected.at(i).match(text).hasMatch()) {
                    s.expected.removeAt(i);
                    was_expected = true;
                    break;
                }
            }
            if (!was_expected) {
                line = QStringLiteral("unexpected %1: %2").arg(QLatin1String(type_name(type)), text);
                s.bad.append(line);
                const QCoreApplication* app = QCoreApplication::instance();
                fail_now = app != nullptr && QThread::currentThread() == app->thread();
                if (!fail_now) {
                    s.pending.append(line);
                }
            }
        }
    }
    if (previous != nullptr) {
        previous(type, context, text);
    }
    if (fail_now) {
        // Records the failure for the running test function; the test goes on
        // to its end, so every later message is reported as well.
        QTest::qFail(qPrintable(line), context.file != nullptr ? context.file : __FILE__,
                     context.file != nullptr ? context.line : __LINE__);
    }
}

}  // namespace

void MessageGuard::install()
{
    GuardState& s = state();
    QMutexLocker lock(&s.mutex);
    if (s.active) {
        return;
    }
    s.expected.clear();
    s.bad.clear();
    s.pending.clear();
    s.active = true;
    s.previous = qInstallMessageHandler(guard_handler);
}

MessageGuard::~MessageGuard()
{
    GuardState& s = state();
    QMutexLocker lock(&s.mutex);
    if (!s.active) {
        return;
    }
    s.active = false;
    qInstallMessageHandler(s.previous);
    s.previous = nullptr;
}

void MessageGuard::expect(const QRegularExpression& pattern)
{
    GuardState& s = state();
    QMutexLocker lock(&s.mutex);
    s.expected.append(pattern);
}

bool MessageGuard::verify()
{
    GuardState& s = state();
    QStringList failures;
    {
        QMutexLocker lock(&s.mutex);
        failures = s.pending;
        s.pending.clear();
        for (const QRegularExpression& pattern : qAsConst(s.expected)) {
            failures.append(QStringLiteral("expected message not seen: ") + pattern.pattern());
        }
        s.expected.clear();
    }
    for (const QString& failure : qAsConst(failures)) {
        QTest::qFail(qPrintable(failure), __FILE__, __LINE__);
    }
    return failures.isEmpty();
}

QStringList MessageGuard::bad_messages() const
{
    GuardState& s = state();
    QMutexLocker lock(&s.mutex);
    return s.bad;
}

}  // namespace roadtest
