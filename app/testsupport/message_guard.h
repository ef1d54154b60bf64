// Fails the running test on every warning, critical or fatal message (QML
// warnings included), unless the test announced that exact message.
#pragma once

#include <QRegularExpression>
#include <QStringList>

namespace roadtest {

class MessageGuard {
public:
    MessageGuard() = default;
    // Restores the previous handler.
    ~MessageGuard();

    // Installs the handler; the previous handler still prints every message.
    // QtTest installs its own handler when it starts running the test object,
    // so call this from initTestCase(), not from a constructor.
    void install();

    MessageGuard(const MessageGuard&) = delete;
    MessageGuard& operator=(const MessageGuard&) = delete;

    // The next warning matching the pattern is expected: it does not fail the
    // test. Expectations not met by the end of the test fail it (verify()).
    void expect(const QRegularExpression& pattern);

    // Fails the current test with the messages seen on other threads and the
    // expectations still open; answers true when all is clean. Call it at the
    // end of a test function (cleanup() is the usual place).
    bool verify();

    // Bad messages seen so far (all threads), for tests of the guard itself.
    QStringList bad_messages() const;
};

}  // namespace roadtest
