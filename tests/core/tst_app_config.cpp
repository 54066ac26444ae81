// config.json: reading with its defaults and odd files, writing all members
// atomically, and the shared word lists with and without a translation.

#include "core/app_config.h"
#include "core/app_globals.h"
#include "core/app_log.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <json/json.h>

#include <cerrno>
#include <set>

namespace {
QByteArray read_all(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write_text(const QString& path, const QByteArray& text) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}

bool same(const app_config& a, const app_config& b) {
    return a.export_root == b.export_root && a.report_root == b.report_root &&
           a.report_test_purpose == b.report_test_purpose &&
           a.report_location == b.report_location && a.report_temperature == b.report_temperature &&
           a.report_work_condition == b.report_work_condition &&
           a.report_humidity == b.report_humidity && a.report_worker == b.report_worker &&
           a.report_weather == b.report_weather && a.report_test_result == b.report_test_result &&
           a.report_test_advice == b.report_test_advice &&
           a.export_remove_device_data == b.export_remove_device_data && a.lang == b.lang &&
           a.report_work_unit == b.report_work_unit && a.report_department == b.report_department &&
           a.report_telephone_number == b.report_telephone_number &&
           a.combine_report == b.combine_report;
}

// Log lines written since the log was opened, without their time prefix.
QStringList log_messages() {
    QStringList out;
    for (const QByteArray& l : read_all(QString::fromStdWString(log_file_path)).split('\n'))
        if (l.size() > 20)
            out << QString::fromUtf8(l.mid(20)).trimmed();
    return out;
}
} // namespace

class tst_app_config : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString json_path;

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

    void round_trip_keeps_every_member() {
        app_config c;
        c.export_root = L"/home/user/数据/save";
        c.report_root = L"/tmp/reports \"quoted\" \\ back";
        c.report_test_purpose = 1;
        c.report_location = L"Substation 3";
        c.report_temperature = -12.75;
        c.report_work_condition = L"运行中";
        c.report_humidity = 88.5;
        c.report_worker = L"Li Lei";
        c.report_weather = L"sunny";
        c.report_test_result = L"line1\nline2";
        c.report_test_advice = L"advice";
        c.export_remove_device_data = true;
        c.lang = 1;
        c.report_work_unit = L"unit";
        c.report_department = L"dept";
        c.report_telephone_number = L"+86 10 1234";
        c.combine_report = false;
        app_cfg = c;
        QCOMPARE(write_config(), 0);

        const QByteArray text = read_all(json_path);
        QVERIFY(text.endsWith("}\n"));
        QCOMPARE(text.count('\n'), 1);
        // Non-ASCII text is stored as UTF-8, not as escapes.
        QVERIFY(text.contains("数据"));

        app_cfg = app_config();
        QCOMPARE(read_config(), 0);
        QVERIFY(same(app_cfg, c));
    }

    void writes_all_seventeen_members() {
        QCOMPARE(write_config(), 0);
        Json::Value root;
        Json::CharReaderBuilder b;
        std::string errors;
        const QByteArray text = read_all(json_path);
        std::unique_ptr<Json::CharReader> reader(b.newCharReader());
        QVERIFY(reader->parse(text.constData(), text.constData() + text.size(), &root, &errors));
        const std::vector<std::string> names = root.getMemberNames();
        const std::set<std::string> expected = {"export_root",
                                                "report_root",
                                                "report_test_purpose",
                                                "report_location",
                                                "report_temperature",
                                                "report_work_condition",
                                                "report_humidity",
                                                "report_worker",
                                                "report_weather",
                                                "report_test_result",
                                                "report_test_advice",
                                                "export_remove_device_data",
                                                "lang_id",
                                                "report_work_unit",
                                                "report_department",
                                                "report_telephone_number",
                                                "combine_report"};
        QCOMPARE(std::set<std::string>(names.begin(), names.end()), expected);
        QVERIFY(root["export_root"].isString() && root["export_root"].asString().empty());
        QVERIFY(root["report_test_purpose"].isInt());
        QVERIFY(root["report_temperature"].isDouble());
        QCOMPARE(root["report_temperature"].asDouble(), 20.0);
        QVERIFY(root["combine_report"].isBool() && root["combine_report"].asBool());
        QCOMPARE(root["lang_id"].asInt(), -1);
        // Compact: no blanks between members.
        QVERIFY(text.startsWith("{\"combine_report\":true,\"export_remove_device_data\":false,"));
    }

    void empty_file_gives_defaults() {
        write_text(json_path, "");
        app_cfg.report_worker = L"kept";
        QCOMPARE(read_config(), 0);
        QCOMPARE(app_cfg.report_worker, std::wstring(L"kept"));
        QCOMPARE(app_cfg.lang, -1);
        QCOMPARE(log_messages(), QStringList{"read_config size:0"});
    }

    void missing_file_reports_errno() {
        QCOMPARE(read_config(), ENOENT);
        QVERIFY(same(app_cfg, app_config()));
    }

    void only_language_member() {
        write_text(json_path, "{\"lang_id\":1}");
        QCOMPARE(read_config(), 0);
        app_config expected;
        expected.lang = 1;
        QVERIFY(same(app_cfg, expected));
    }

    void missing_members_keep_their_values() {
        write_text(json_path, "{\"report_worker\":\"Han\",\"report_humidity\":61.5}");
        app_cfg.lang = 1; // absent "lang_id" always reads as unset
        QCOMPARE(read_config(), 0);
        QCOMPARE(app_cfg.combine_report, true);
        QCOMPARE(app_cfg.report_temperature, 20.0);
        QCOMPARE(app_cfg.report_humidity, 61.5);
        QCOMPARE(app_cfg.report_worker, std::wstring(L"Han"));
        QCOMPARE(app_cfg.lang, -1);
    }

    void wrong_types_keep_defaults() {
        write_text(json_path, "{\"export_root\":5,\"report_root\":[\"a\"],"
                              "\"report_test_purpose\":\"1\",\"report_temperature\":\"hot\","
                              "\"report_humidity\":true,\"export_remove_device_data\":1,"
                              "\"lang_id\":\"1\",\"combine_report\":null,"
                              "\"report_worker\":{\"name\":\"x\"},\"report_location\":\"ok\"}");
        QCOMPARE(read_config(), 0);
        app_config expected;
        expected.report_location = L"ok";
        QVERIFY(same(app_cfg, expected));
        // An integral number is accepted where a real is expected.
        write_text(json_path, "{\"report_temperature\":25,\"report_test_purpose\":1}");
        QCOMPARE(read_config(), 0);
        QCOMPARE(app_cfg.report_temperature, 25.0);
        QCOMPARE(app_cfg.report_test_purpose, 1);
    }

    void invalid_json_changes_nothing_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("broken") << QByteArray("{\"lang_id\":1,");
        QTest::newRow("garbage") << QByteArray("\x01\x02not json");
        QTest::newRow("array") << QByteArray("[1,2,3]");
        QTest::newRow("number") << QByteArray("7");
    }
    void invalid_json_changes_nothing() {
        QFETCH(QByteArray, text);
        write_text(json_path, text);
        app_cfg.report_weather = L"rain";
        app_cfg.lang = 1;
        QCOMPARE(read_config(), 2);
        QCOMPARE(app_cfg.report_weather, std::wstring(L"rain"));
        QCOMPARE(app_cfg.lang, 1);
    }

    void comments_are_allowed() {
        write_text(json_path,
                   "// settings\n{\"lang_id\":0, /* inline */ \"report_worker\":\"A\"}\n");
        QCOMPARE(read_config(), 0);
        QCOMPARE(app_cfg.lang, 0);
        QCOMPARE(app_cfg.report_worker, std::wstring(L"A"));
        // A byte order mark left by a Windows editor is no reason to fail.
        write_text(json_path, "\xEF\xBB\xBF{\"lang_id\":1}");
        QCOMPARE(read_config(), 0);
        QCOMPARE(app_cfg.lang, 1);
    }

    void read_logs_every_member() {
        write_text(json_path, "{\"report_root\":\"/r\",\"report_test_purpose\":1,"
                              "\"report_worker\":\"李\",\"lang_id\":0}");
        QCOMPARE(read_config(), 0);
        const QStringList expected = {"read_config",
                                      "export_root:",
                                      "report_root:/r",
                                      "report_test_target:1",
                                      "report_location:",
                                      "report_temperature:20.00",
                                      "report_work_condition:",
                                      "report_humidity:50.00",
                                      "report_worker:李",
                                      "report_weather:",
                                      "report_test_result:",
                                      "report_test_advice:",
                                      "export_remove_device_data:0",
                                      "lang:0",
                                      "report_work_unit:",
                                      "report_department:",
                                      "report_telephone_number:",
                                      "combine_report:1",
                                      "read_config end"};
        QCOMPARE(log_messages(), expected);
    }

    void replace_is_atomic_and_leaves_no_temporary() {
        write_text(json_path, "{\"lang_id\":1}");
        app_cfg.report_worker = L"first";
        QCOMPARE(write_config(), 0);
        app_cfg.report_worker = L"second";
        QCOMPARE(write_config(), 0);
        QCOMPARE(QDir(QString::fromStdWString(app_config_path))
                     .entryList(QDir::Files | QDir::Hidden | QDir::System),
                 QStringList{"config.json"});
        app_cfg = app_config();
        QCOMPARE(read_config(), 0);
        QCOMPARE(app_cfg.report_worker, std::wstring(L"second"));
    }

    void failed_write_keeps_record_and_logs() {
        const std::wstring saved = app_config_path;
        app_config_path = saved + L"/missing";
        app_cfg.report_worker = L"new value";
        QCOMPARE(write_config(), ENOENT);
        QCOMPARE(app_cfg.report_worker, std::wstring(L"new value"));
        const QString path = QString::fromStdWString(app_config_path) + "/config.json";
        app_config_path = saved;
        QCOMPARE(log_messages(), QStringList{"write_config errno:2 " + path});
    }

    void word_lists_follow_the_translator() {
        QCOMPARE(test_purpose_list().size(), size_t(2));
        QCOMPARE(test_purpose_text(0), std::wstring(L"Routine inspection"));
        QCOMPARE(test_purpose_text(1), std::wstring(L"Spot check"));
        QCOMPARE(test_purpose_text(2), std::wstring());
        QCOMPARE(test_purpose_text(-1), std::wstring());
        QCOMPARE(temperature_unit_word(), std::wstring(L"\u00B0C"));

        QTranslator zh;
        QVERIFY(zh.load(":/TOrnViewer/tornviewer_zh.qm"));
        QCoreApplication::installTranslator(&zh);
        retranslate_word_lists();
        QCOMPARE(test_purpose_text(1), std::wstring(L"抽检"));
        QVERIFY(test_purpose_text(0) != std::wstring(L"Routine inspection"));
        QVERIFY(temperature_unit_word() != std::wstring(L"\u00B0C"));
        QCoreApplication::removeTranslator(&zh);

        QTranslator en;
        QVERIFY(en.load(":/TOrnViewer/tornviewer_en.qm"));
        QCoreApplication::installTranslator(&en);
        retranslate_word_lists();
        QCOMPARE(test_purpose_text(1), std::wstring(L"Spot check"));
        QCOMPARE(temperature_unit_word(), std::wstring(L"\u00B0C"));
        QCoreApplication::removeTranslator(&en);
    }
};

QTEST_GUILESS_MAIN(tst_app_config)
#include "tst_app_config.moc"
