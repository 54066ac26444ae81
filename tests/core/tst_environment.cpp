// Start-up environment: data and log folders, the start lines, the language
// decision (configuration, install_setting.ini, also hostile ones) and the
// one-time migration from the old per-user location.

#include "core/app_config.h"
#include "core/app_globals.h"
#include "core/app_log.h"
#include "core/environment.h"

#include <QtTest>

#include <cerrno>

namespace {
QByteArray read_all(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool write_text(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(text) == text.size();
}

QStringList log_messages() {
    QStringList out;
    for (const QByteArray& l : read_all(QString::fromStdWString(log_file_path)).split('\n'))
        if (l.size() > 20)
            out << QString::fromUtf8(l.mid(20)).trimmed();
    return out;
}
} // namespace

class tst_environment : public QObject {
    Q_OBJECT
    QTemporaryDir* home = nullptr;

    QString data_dir() const { return home->path() + "/data/Halvix"; }
    QString old_dir() const { return home->path() + "/Documents/Halvix"; }

private Q_SLOTS:
    // Each case runs in a fresh home, with the desktop folders inside it.
    void init() {
        home = new QTemporaryDir();
        QVERIFY(home->isValid());
        qputenv("HOME", QFile::encodeName(home->path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(home->path() + "/data"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home->path() + "/config"));
        app_cfg = app_config();
    }
    void cleanup() {
        log_close();
        delete home;
        home = nullptr;
    }

    void install_setting_text_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("lang");
        QTest::newRow("cn and line break") << QByteArray("lang=cn\r\n") << 1;
        QTest::newRow("cn at end") << QByteArray("lang=cn") << 1;
        QTest::newRow("after other lines") << QByteArray("a=1\r\nlang=cn\r\nb=2\r\n") << 1;
        QTest::newRow("empty value") << QByteArray("lang=\r\n") << 0;
        QTest::newRow("lone line feed ends the value") << QByteArray("lang=cn\n") << 1;
        QTest::newRow("trailing blank") << QByteArray("lang=cn \r\n") << 0;
        QTest::newRow("first lang wins") << QByteArray("lang=en\r\nlang=cn\r\n") << 0;
        QTest::newRow("no lang") << QByteArray("language:cn\r\n") << -1;
        QTest::newRow("empty") << QByteArray() << -1;
        QTest::newRow("long value then cn line")
            << QByteArray("lang=" + QByteArray(300, 'x') + "\r\nlang=cn\r\n") << 0;
    }
    void install_setting_text() {
        QFETCH(QByteArray, text);
        QFETCH(int, lang);
        QCOMPARE(install_setting_lang(text.toStdString()), lang);
        QVERIFY(write_text(home->path() + "/install_setting.ini", text));
        QCOMPARE(read_install_setting_lang(home->path().toStdWString()), lang);
    }

    void settled_language() {
        const std::wstring root = home->path().toStdWString();
        QCOMPARE(read_install_setting_lang(root), -1); // no file
        // A directory in the file's place gives no answer either.
        QVERIFY(QDir().mkpath(home->path() + "/install_setting.ini"));
        QCOMPARE(read_install_setting_lang(root), -1);
        QCOMPARE(settle_lang(-1, root), 0); // configured values: configured_language
        QVERIFY(QDir().rmdir(home->path() + "/install_setting.ini"));
        QVERIFY(write_text(home->path() + "/install_setting.ini", "lang=cn\r\n"));
        QCOMPARE(settle_lang(-1, root), 1);
        QCOMPARE(settle_lang(-5, root), 1);
        QCOMPARE(settle_lang(0, root), 0); // a configured language wins
        QVERIFY(write_text(home->path() + "/install_setting.ini", "lang=CN\r\n"));
        QCOMPARE(settle_lang(-1, root), 0);
        QCOMPARE(settle_lang(-1, std::wstring()), 0);
    }

    void first_start_prepares_folders_and_logs() {
        const environment_result r = init_environment();
        QCOMPARE(r.data_dir_error, 0);
        QCOMPARE(r.config_result, ENOENT);
        QCOMPARE(QString::fromStdWString(app_data_path), data_dir() + "/");
        QVERIFY(QFileInfo(data_dir() + "/config").isDir());
        QVERIFY(QFileInfo(data_dir() + "/log/Halvix.txt").isFile());
        QCOMPARE(QString::fromStdWString(app_root), QCoreApplication::applicationDirPath());
        QCOMPARE(app_version, std::string(HALVIX_VERSION));
        QCOMPARE(app_cfg.lang, 0);

        const QStringList lines = log_messages();
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines.mid(0, 3),
                 QStringList({"###start### Halvix", "oemcp:65001", "read_config err:2"}));
        QVERIFY(QRegularExpression("^long_id:[0-9a-f]+$").match(lines[3]).hasMatch());
        QCOMPARE(lines[4], lines[3] + " 0");
    }

    void configured_language_data() {
        QTest::addColumn<QByteArray>("config"); // null: config.json is a directory
        QTest::addColumn<int>("lang");
        QTest::addColumn<bool>("error_line");
        QTest::newRow("chinese") << QByteArray("{\"lang_id\":1}") << 1 << false;
        QTest::newRow("two") << QByteArray("{\"lang_id\":2}") << 0 << false;
        QTest::newRow("seven") << QByteArray("{\"lang_id\":7}") << 0 << false;
        QTest::newRow("empty file") << QByteArray("") << 0 << false;
        QTest::newRow("invalid") << QByteArray("{lang_id") << 0 << true;
        // Hostile files: the defaults and a log line, never a crash.
        QTest::newRow("directory") << QByteArray() << 0 << true;
        QTest::newRow("nested 5000 deep") << QByteArray("{\"lang_id\":1,\"x\":") +
                                                 QByteArray(5000, '[') + QByteArray(5000, ']') + "}"
                                          << 0 << true;
        QTest::newRow("over 1 MiB") << QByteArray("{\"lang_id\":1,\"report_worker\":\"") +
                                           QByteArray(1100 * 1024, 'w') + "\"}"
                                    << 0 << true;
    }
    void configured_language() {
        QFETCH(QByteArray, config);
        QFETCH(int, lang);
        QFETCH(bool, error_line);
        const QString path = data_dir() + "/config/config.json";
        QVERIFY(config.isNull() ? QDir().mkpath(path) : write_text(path, config));
        const environment_result r = init_environment();
        QCOMPARE(r.config_result != 0, error_line);
        QCOMPARE(app_cfg.lang, lang);
        QVERIFY(app_cfg.report_worker.empty());
        const QStringList lines = log_messages();
        QCOMPARE(lines.filter(QRegularExpression("^read_config err:")),
                 error_line ? QStringList{"read_config err:" + QString::number(r.config_result)}
                            : QStringList());
        QVERIFY(QRegularExpression("^long_id:[0-9a-f]+ " + QString::number(lang) + "$")
                    .match(lines.last())
                    .hasMatch());
    }

    // A backslash is an ordinary character of a file name: the program
    // directory of ".../bin/run\\copy" is ".../bin". The start-up case above
    // runs again from a copy of this test of that name.
    void program_directory_with_a_backslash() {
        if (qEnvironmentVariableIsSet("HALVIX_ENV_TEST_CHILD"))
            QSKIP("already the copy");
        const QString dir = home->path() + "/bin";
        QVERIFY(QDir().mkpath(dir));
        const QString exe = dir + "/run\\copy";
        QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), exe));
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HALVIX_ENV_TEST_CHILD", "1");
        child.setProcessEnvironment(env);
        child.start(exe, {"first_start_prepares_folders_and_logs"});
        QVERIFY(child.waitForFinished(60000));
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
                 child.readAllStandardOutput().constData());
    }

    void migration_copies_once() {
        QVERIFY(write_text(old_dir() + "/config/config.json", "{\"lang_id\":1}"));
        QVERIFY(write_text(old_dir() + "/config/config.db", "database bytes"));
        QVERIFY(!QFileInfo::exists(data_dir()));

        init_environment();
        QCOMPARE(app_cfg.lang, 1);
        QCOMPARE(read_all(data_dir() + "/config/config.db"), QByteArray("database bytes"));
        QVERIFY(QFileInfo::exists(old_dir() + "/config/config.json")); // old files stay
        QVERIFY(QFileInfo::exists(old_dir() + "/config/config.db"));
        QCOMPARE(log_messages().filter("move config file").size(), 1);
        log_close();

        // Later starts leave the new location alone.
        QVERIFY(write_text(old_dir() + "/config/config.json", "{\"lang_id\":0}"));
        QVERIFY(write_text(old_dir() + "/config/config.db", "changed"));
        app_cfg = app_config();
        init_environment();
        QCOMPARE(app_cfg.lang, 1);
        QCOMPARE(read_all(data_dir() + "/config/config.db"), QByteArray("database bytes"));
        QCOMPARE(log_messages().filter("move config file").size(), 1);
    }

    void migration_with_only_a_database() {
        QVERIFY(write_text(old_dir() + "/config/config.db", "db"));
        const environment_result r = init_environment();
        QCOMPARE(r.config_result, ENOENT);
        QCOMPARE(read_all(data_dir() + "/config/config.db"), QByteArray("db"));
        QVERIFY(!QFileInfo::exists(data_dir() + "/config/config.json"));
    }

    void data_folder_that_cannot_be_made() {
        // A file where the data root should be.
        QVERIFY(write_text(home->path() + "/blocked", "file"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(home->path() + "/blocked/data"));
        const environment_result r = init_environment();
        QCOMPARE(r.data_dir_error, ENOTDIR);
        QCOMPARE(QString::fromStdWString(r.data_dir), home->path() + "/blocked/data/Halvix");
        QVERIFY(!log_enabled());
    }

    void configuration_folder_that_cannot_be_made() {
        QVERIFY(write_text(data_dir() + "/config", "a file, not a folder"));
        const environment_result r = init_environment();
        QCOMPARE(r.data_dir_error, 0);
        QVERIFY(log_enabled());
        const QStringList lines = log_messages();
        QCOMPARE(lines.filter(QRegularExpression("^mkdir app_config_path:\\d+$")).size(), 1);
        QCOMPARE(lines.filter(QRegularExpression("^read_config err:\\d+$")).size(), 1);
        QCOMPARE(app_cfg.lang, 0);
    }
};

QTEST_GUILESS_MAIN(tst_environment)
#include "tst_environment.moc"
