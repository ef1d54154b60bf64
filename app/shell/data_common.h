// Fixed facts of this edition of the program: which areas the QML shows, the
// software's name and the texts of the about box. The translated texts are
// looked up at every read and follow a language change. The edition is 2
// unless PYRAVUE_EDITION names another one at start-up (0, the research
// edition, also shows the live cameras); the word "rules" among its
// comma-separated parts also enables the detection rules ("0,rules",
// "rules").
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class DataCommon : public QObject {
    Q_OBJECT
    Q_PROPERTY(int nSettingSoftwareVersion READ software_version NOTIFY sigTest)
    Q_PROPERTY(int nSettingPlayerVersion READ player_version NOTIFY sigTest)
    Q_PROPERTY(int nSettingImageVersion READ image_version NOTIFY sigTest)
    Q_PROPERTY(int nSettingResearchVersion READ research_version NOTIFY sigTest)
    Q_PROPERTY(bool bIsEnableDetectRule READ is_enable_detect_rule NOTIFY sigTest)
    Q_PROPERTY(bool bIsEnableReportEdit READ is_enable_report_edit NOTIFY sigTest)
    Q_PROPERTY(QString strSettingSofwareName READ software_name NOTIFY sig_language_changed)
    Q_PROPERTY(QString strSettingSofwareTitle READ software_title NOTIFY sig_language_changed)
    Q_PROPERTY(QString strSettingSofwareCompany READ software_company NOTIFY sig_language_changed)
    Q_PROPERTY(QString strSettingSofwareAbout READ software_about NOTIFY sigTest)
    Q_PROPERTY(QString strSettingSofwareIco READ software_icon NOTIFY sigTest)

public:
    // The singleton, created on the first call; it forwards the translator's
    // sig_language_changed. GUI thread only.
    static DataCommon* instance();
    static void destroy();

    int software_version() const { return m_software_version; }
    int player_version() const { return 2; }
    int image_version() const { return 1; }
    int research_version() const { return 0; }
    bool is_enable_detect_rule() const { return m_detect_rule; }
    bool is_enable_report_edit() const { return true; }
    QString software_name() const;
    QString software_title() const;
    QString software_company() const;
    QString software_about() const;
    QString software_icon() const;

    // This edition always has a company, so the settings window always
    // offers the logo option.
    Q_INVOKABLE bool is_null_company() const { return false; }

    // The edition a PYRAVUE_EDITION text names: 0, 1 or 2; 2 for an empty
    // or unknown text.
    static int edition_from(const QByteArray& text);
    // Whether a PYRAVUE_EDITION text enables the detection rules.
    static bool detect_rule_from(const QByteArray& text);

signals:
    void sig_language_changed();
    void sig_change_warning_color(int n_type, const QString& clr);
    // Change signal of the fixed properties; never emitted.
    void sigTest();

private:
    DataCommon();

    int m_software_version = 2;
    bool m_detect_rule = false;
};
