// Every text the program's QML and C++ put through the translator has a
// finished translation in each of the four languages other than the source
// language; the texts are collected from the sources by lupdate, so a new
// qsTr without its translations fails here.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

struct Message {
    QString context;
    QString source;
    QString translation;
    QString type;
};

QList<Message> read_ts(const QString& path)
{
    QList<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return messages;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message current;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) {
            continue;
        }
        const auto name = xml.name();
        if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            current = Message{context, QString(), QString(), QString()};
        } else if (name == QLatin1String("source")) {
            current.source = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            current.type = xml.attributes().value(QLatin1String("type")).toString();
            current.translation = xml.readElementText();
            messages.append(current);
        }
    }
    return messages;
}

}  // namespace

class TranslationsTest : public QObject {
    Q_OBJECT

private slots:
    void translations_complete_data();
    void translations_complete();

private:
    QList<Message> m_used;
};

void TranslationsTest::translations_complete_data()
{
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString app = QStringLiteral(PYRAVUE_APP_SOURCE_DIR);
    const QString extracted = temp.filePath(QStringLiteral("used.ts"));
    QProcess lupdate;
    lupdate.setWorkingDirectory(app);
    lupdate.start(QStringLiteral(PYRAVUE_LUPDATE),
                  {QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                   QStringLiteral("-extensions"), QStringLiteral("qml,cpp,h"), QStringLiteral("-I"), app, app,
                   QStringLiteral("-ts"), extracted});
    QVERIFY(lupdate.waitForFinished(120000));
    QCOMPARE(lupdate.exitCode(), 0);
    m_used = read_ts(extracted);
    QVERIFY2(m_used.size() > 10, "lupdate found almost no texts");

    QTest::addColumn<QString>("language");
    for (const char* language : {"EN", "HK", "RU", "HU"}) {
        QTest::newRow(language) << QString::fromLatin1(language);
    }
}

void TranslationsTest::translations_complete()
{
    QFETCH(QString, language);
    const QString path = QStringLiteral(PYRAVUE_APP_SOURCE_DIR "/resources/translations/Pyravue%1.ts").arg(language);
    QHash<QString, Message> done;
    for (const Message& message : read_ts(path)) {
        done.insert(message.context + QLatin1Char('|') + message.source, message);
    }
    QStringList missing;
    for (const Message& used : qAsConst(m_used)) {
        const Message found = done.value(used.context + QLatin1Char('|') + used.source);
        if (found.source.isNull() || !found.type.isEmpty() || found.translation.isEmpty()) {
            missing.append(used.context + QStringLiteral(": ") + used.source);
        }
    }
    QVERIFY2(missing.isEmpty(), qPrintable(language + QStringLiteral(" lacks:\n") + missing.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(TranslationsTest)
#include "translations_test.moc"
