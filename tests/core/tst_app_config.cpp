// config.json: reading with its defaults and odd files, writing all members
// atomically (also on a full disk), and the shared word lists with and
// without a translation.

#include "core/app_config.h"
#include "core/app_globals.h"
#include "core/app_log.h"
#include "full_disk.h"

#include <QtTest>

#include <json/json.h>

#include <cerrno>

namespace {
QByteArray read_all(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

Json::Value parse(const std::string& text) {
    Json::Value v;
    std::unique_ptr<Json::CharReader> r(Json::CharReaderBuilder().newCharReader());
    r->parse(text.data(), text.data() + text.size(), &v, nullptr);
    return v;
}

// What a read starts from in the odd-file cases.
app_config preset() {
    app_config c;
    c.report_weather = L"rain";
    c.lang = 1;
    return c;
}
} // namespace

class tst_app_config : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString json_path;

    void write_file(const QByteArray& text) {
        QFile f(json_path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(text), text.size());
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(dir.isValid());
        set_app_data_location(dir.path().toStdWString());
        QVERIFY(QDir().mkpath(QString::fromStdWString(app_config_path)));
        QVERIFY(QDir().mkpath(dir.path() + "/log"));
        json_path = QString::fromStdWString(config_file_path());
        QCOMPARE(json_path, dir.path() + "/config/config.json");
    }
    void init() {
        app_cfg = app_config();
        QFile::remove(json_path);
        QFile::remove(QString::fromStdWString(log_file_path));
        QCOMPARE(log_open(log_file_path), 0);
    }
    void cleanup() { log_close(); }

    void stored_file_reads_and_writes_back_unchanged() {
        // Every member away from its default, in the form the program writes:
        // one compact line, names sorted, UTF-8 kept as is.
        const QByteArray text =
            "{\"co2_kg_per_kwh\":0.625,\"combine_report\":false,\"export_remove_device_data\":true,"
            "\"export_root\":\"/home/user/数据/save\",\"lang_id\":1,\"report_department\":\"dept\","
            "\"report_humidity\":88.5,\"report_location\":\"Substation 3\","
            "\"report_root\":\"/tmp/reports \\\"quoted\\\" \\\\ "
            "back\",\"report_telephone_number\":\"+86 1\","
            "\"report_temperature\":-12.75,\"report_test_advice\":\"advice\","
            "\"report_test_purpose\":1,\"report_test_result\":\"line1\\nline2\","
            "\"report_weather\":\"sunny\",\"report_work_condition\":\"运行中\","
            "\"report_work_unit\":\"unit\",\"report_worker\":\"Li Lei\"}"
            "\n";
        write_file(text);
        QCOMPARE(read_config(), 0);
        QCOMPARE(app_cfg.report_root, std::wstring(L"/tmp/reports \"quoted\" \\ back"));
        QCOMPARE(app_cfg.report_temperature, -12.75);
        QCOMPARE(app_cfg.report_work_condition, std::wstring(L"运行中"));
        QCOMPARE(app_cfg.lang, 1);
        QCOMPARE(app_cfg.co2_kg_per_kwh, 0.625);
        const app_config read = app_cfg;
        app_cfg.report_worker = L"other";
        QCOMPARE(write_config(), 0);
        app_cfg = read; // replaces the file, leaving no temporary beside it
        QCOMPARE(write_config(), 0);
        QCOMPARE(QDir(QString::fromStdWString(app_config_path))
                     .entryList(QDir::Files | QDir::Hidden | QDir::System),
                 QStringList{"config.json"});
        QCOMPARE(QString::fromUtf8(read_all(json_path)), QString::fromUtf8(text));
    }

    void odd_files_data() {
        QTest::addColumn<QByteArray>("text"); // null: no file at all
        QTest::addColumn<int>("result");
        QTest::addColumn<QByteArray>("changed"); // members that differ from preset() after
        QTest::newRow("no file") << QByteArray() << ENOENT << QByteArray("{}");
        QTest::newRow("empty file") << QByteArray("") << 0 << QByteArray("{}");
        // Missing members keep their values; a missing "lang_id" reads as unset.
        QTest::newRow("some members")
            << QByteArray("{\"report_worker\":\"Han\",\"report_humidity\":61.5}") << 0
            << QByteArray("{\"report_worker\":\"Han\",\"report_humidity\":61.5,\"lang_id\":-1}");
        QTest::newRow("wrong types")
            << QByteArray(
                   "{\"export_root\":5,\"report_root\":[\"a\"],\"report_test_purpose\":\"1\","
                   "\"report_temperature\":\"hot\",\"report_humidity\":true,\"lang_id\":\"1\","
                   "\"export_remove_device_data\":1,\"combine_report\":null,"
                   "\"report_worker\":{\"name\":\"x\"},\"report_location\":\"ok\","
                   "\"co2_kg_per_kwh\":\"0.5\"}")
            << 0 << QByteArray("{\"report_location\":\"ok\",\"lang_id\":-1}");
        // An emission factor below zero is no factor: the current one stays.
        QTest::newRow("emission factor") << QByteArray("{\"co2_kg_per_kwh\":0,\"lang_id\":0}") << 0
                                         << QByteArray("{\"co2_kg_per_kwh\":0.0,\"lang_id\":0}");
        QTest::newRow("negative emission factor")
            << QByteArray("{\"co2_kg_per_kwh\":-0.3,\"lang_id\":0}") << 0
            << QByteArray("{\"lang_id\":0}");
        QTest::newRow("an integral number for a real")
            << QByteArray("{\"report_temperature\":25,\"report_test_purpose\":1}") << 0
            << QByteArray("{\"report_temperature\":25.0,\"report_test_purpose\":1,\"lang_id\":-1}");
        // The search ranges are written back only when set; a list reads as one text.
        QTest::newRow("search ranges")
            << QByteArray("{\"device_search_ranges\":\"127.0.0.0/24\"}") << 0
            << QByteArray("{\"device_search_ranges\":\"127.0.0.0/24\",\"lang_id\":-1}");
        QTest::newRow("search ranges as a list")
            << QByteArray("{\"device_search_ranges\":[\"10.0.0.0/24\",5,\"10.0.1.7\"]}") << 0
            << QByteArray("{\"device_search_ranges\":\"10.0.0.0/24, 10.0.1.7\",\"lang_id\":-1}");
        for (const char* bad : {"{\"lang_id\":0,", "\x01\x02not json", "[1,2,3]", "7"})
            QTest::newRow(bad) << QByteArray(bad) << 2 << QByteArray("{}");
        QTest::newRow("comments")
            << QByteArray("// settings\n{\"lang_id\":0, /* inline */ \"report_worker\":\"A\"}\n")
            << 0 << QByteArray("{\"lang_id\":0,\"report_worker\":\"A\"}");
        // A byte order mark left by a Windows editor is no reason to fail.
        QTest::newRow("byte order mark")
            << QByteArray("\xEF\xBB\xBF{\"lang_id\":0}") << 0 << QByteArray("{\"lang_id\":0}");
    }
    void odd_files() {
        QFETCH(QByteArray, text);
        QFETCH(int, result);
        QFETCH(QByteArray, changed);
        if (!text.isNull())
            write_file(text);
        app_cfg = preset();
        QCOMPARE(read_config(), result);
        Json::Value want = parse(config_to_json(preset()));
        const Json::Value changes = parse(changed.toStdString());
        for (const std::string& name : changes.getMemberNames())
            want[name] = changes[name];
        QCOMPARE(QString::fromStdString(parse(config_to_json(app_cfg)).toStyledString()),
                 QString::fromStdString(want.toStyledString()));
    }

    void failed_write_keeps_record_and_logs() {
        const std::wstring saved = app_config_path;
        app_config_path = saved + L"/missing";
        app_cfg.report_worker = L"new value";
        QCOMPARE(write_config(), ENOENT);
        QCOMPARE(app_cfg.report_worker, std::wstring(L"new value"));
        const QString path = QString::fromStdWString(app_config_path) + "/config.json";
        app_config_path = saved;
        QVERIFY(read_all(QString::fromStdWString(log_file_path))
                    .endsWith("] write_config errno:2 " + path.toUtf8() + "\r\n"));
    }

    void config_saved_on_a_full_disk_keeps_the_old_file() {
        full_disk disk(QString::fromStdWString(app_config_path));
        QCOMPARE(write_config(), 0);
        const QByteArray before = read_all(json_path);
        QVERIFY(disk.fill());
        app_cfg.report_worker = std::wstring(20000, L'x');
        const int rc = write_config();
        disk.release();
        QVERIFY2(rc != 0, disk.name());
        QCOMPARE(read_all(json_path), before);
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files), QStringList{"config.json"});
    }

    void word_lists_follow_the_translator() {
        QCOMPARE(test_purpose_list().size(), size_t(2));
        QCOMPARE(test_purpose_text(2), std::wstring());
        QCOMPARE(test_purpose_text(-1), std::wstring());
        for (const char* lang : {"zh", "en"}) {
            QTranslator t;
            QVERIFY(t.load(QString(":/TOrnViewer/tornviewer_%1.qm").arg(lang)));
            QCoreApplication::installTranslator(&t);
            retranslate_word_lists();
            QCOMPARE(test_purpose_text(1), std::wstring(lang[0] == 'z' ? L"抽检" : L"Spot check"));
            QCOMPARE(test_purpose_text(0) == L"Routine inspection", lang[0] == 'e');
            QCOMPARE(temperature_unit_word() == L"\u00B0C", lang[0] == 'e');
            QCoreApplication::removeTranslator(&t);
        }
    }
};

QTEST_GUILESS_MAIN(tst_app_config)
#include "tst_app_config.moc"
