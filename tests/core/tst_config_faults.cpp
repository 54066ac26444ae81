// Hostile configuration files at start-up (a directory, deep nesting, a huge
// file, install_setting.ini as a directory) and config.json saved on a full
// disk.

#include "core/app_config.h"
#include "core/app_globals.h"
#include "core/app_log.h"
#include "core/environment.h"
#include "full_disk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
bool write_file(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}
QByteArray read_all(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class tst_config_faults : public QObject {
    Q_OBJECT
    QTemporaryDir* home = nullptr;
    QString config_dir() const { return home->path() + "/data/Halvix/config"; }

private Q_SLOTS:
    void init() {
        home = new QTemporaryDir();
        QVERIFY(home->isValid());
        qputenv("HOME", QFile::encodeName(home->path()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(home->path() + "/data"));
        QVERIFY(QDir().mkpath(config_dir()));
        app_cfg = app_config();
    }
    void cleanup() {
        log_close();
        delete home;
        home = nullptr;
    }

    void bad_config_json_gives_the_defaults_data() {
        QTest::addColumn<QByteArray>("text"); // empty: config.json is a directory
        QTest::newRow("directory") << QByteArray();
        QTest::newRow("nested 5000 deep") << QByteArray("{\"lang_id\":1,\"x\":") +
                                                 QByteArray(5000, '[') + QByteArray(5000, ']') +
                                                 "}";
        QTest::newRow("over 1 MiB") << QByteArray("{\"lang_id\":1,\"report_worker\":\"") +
                                           QByteArray(1100 * 1024, 'w') + "\"}";
    }
    void bad_config_json_gives_the_defaults() {
        QFETCH(QByteArray, text);
        const QString path = config_dir() + "/config.json";
        QVERIFY(text.isEmpty() ? QDir().mkpath(path) : write_file(path, text));
        const environment_result env = init_environment();
        QVERIFY(env.config_result != 0);
        QVERIFY(app_cfg.report_worker.empty());
        QCOMPARE(app_cfg.report_temperature, 20.0);
        QVERIFY(
            read_all(QString::fromStdWString(log_file_path))
                .contains(QByteArray("read_config err:") + QByteArray::number(env.config_result)));
    }

    void install_setting_that_is_no_file_gives_no_answer() {
        const QString root = home->path() + "/install";
        QVERIFY(QDir().mkpath(root + "/install_setting.ini"));
        QCOMPARE(read_install_setting_lang(root.toStdWString()), -1);
        QCOMPARE(settle_lang(-1, root.toStdWString()), 0);
    }

    void config_saved_on_a_full_disk_keeps_the_old_file() {
        full_disk disk(config_dir());
        set_app_data_location((home->path() + "/data/Halvix").toStdWString());
        app_cfg.report_worker = L"first";
        QCOMPARE(write_config(), 0);
        const QByteArray before = read_all(config_dir() + "/config.json");
        QVERIFY(before.contains("first"));
        QVERIFY(disk.fill());
        app_cfg.report_worker = std::wstring(20000, L'x');
        const int rc = write_config();
        disk.release();
        QVERIFY2(rc != 0, disk.name());
        QCOMPARE(read_all(config_dir() + "/config.json"), before);
        QCOMPARE(QDir(config_dir()).entryList(QDir::Files), QStringList{"config.json"});
    }
};

QTEST_GUILESS_MAIN(tst_config_faults)
#include "tst_config_faults.moc"
