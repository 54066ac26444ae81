// halvix-cli report as a user runs it, on a copy of the independent sample
// data set: from a program installed under a path containing "wps" (every
// value must still land in its cell), items by index, its JSON and its exit
// codes.

#include "cli_run.h"
#include "docx_reader.h"

#include <QtTest>

class tst_cli_report : public QObject {
    Q_OBJECT
    QTemporaryDir home;
    QString cli_path;

    struct result {
        int code;
        Json::Value json;
        QString err;
    };
    result cli(const QStringList& args) {
        const cli_result r = run_cli(home.path(), args, 120000, cli_path);
        return {r.code, parse_json(r.out), r.err};
    }

private slots:
    void initTestCase() {
        // The program as installed by a user under such a path.
        QDir().mkpath(home.filePath("opt/inst_WpS_2/bin"));
        cli_path = home.filePath("opt/inst_WpS_2/bin/halvix-cli");
        QVERIFY(QFile::copy(HALVIX_CLI_PATH, cli_path));
        // A copy: the report writes its pictures into the item directories.
        const QString src = HALVIX_SAMPLES_DIR "/basic";
        for (const QString& item : QDir(src).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QDir().mkpath(home.filePath("basic/" + item));
            for (const QString& f : QDir(src + "/" + item).entryList(QDir::Files)) {
                const QString to = home.filePath("basic/" + item + "/" + f);
                QVERIFY(QFile::copy(src + "/" + item + "/" + f, to));
                QFile(to).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
            }
        }
        QCOMPARE(cli({"import", home.filePath("basic")}).code, 0);
    }

    void separate_documents_from_a_wps_path() {
        const result r = cli({"report", "basic", "--separate", "--lang", "en", "--out",
                              home.filePath("out"), "--json"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.json["items"].asInt(), 6);
        QCOMPARE(r.json["documents"].size(), 6u);
        QCOMPARE(r.json["skipped"].size(), 0u);
        const QString target = QString::fromStdString(r.json["target"].asString());
        QVERIFY(QFileInfo(target).isDir());
        QVERIFY(QFileInfo(target).fileName().startsWith("basic_"));
        // The oldest item is the last in the browser's order.
        const QString doc = target + QString::fromUtf8("/主变压器 A相.docx");
        QCOMPARE(QString::fromStdString(r.json["documents"][5].asString()), doc);
        docx_reader reader;
        QVERIFY(reader.open(doc));
        const auto l = reader.lines();
        QCOMPARE(l[0].cells[0], QString("basic"));
        QCOMPARE(l[1].cells, QStringList({"Name:", QString::fromUtf8("主变压器 A相")}));
        QCOMPARE(l[2].cells[1], QString("2024-03-18 09:00:00"));
        QCOMPARE(l[3].cells, QStringList({"Distance:", "1m", "", "SPL:", "91.5 dB"}));
        QCOMPARE(l[6].cells[1], QString("ORN-S40"));
        QCOMPARE(l[9].cell_pictures, std::vector<int>({1, 1})); // spectrum and PRPD
        QCOMPARE(l[14].cells[1], QString::fromUtf8("局部放电 复测"));
    }

    void combined_by_index() {
        const result r = cli({"report", "basic", "--items", "0,2", "--combine", "--lang", "zh",
                              "--out", home.filePath("zh"), "--json"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.json["items"].asInt(), 2);
        const QString doc = QString::fromStdString(r.json["target"].asString());
        QCOMPARE(QDir(home.filePath("zh")).entryList(QDir::Files),
                 QStringList(QFileInfo(doc).fileName()));
        docx_reader reader;
        QVERIFY(reader.open(doc));
        // Newest first: the edited gas-leak item, then a general one in Chinese.
        QCOMPARE(reader.lines()[10].cells[0], QString::fromUtf8("已编辑 '5'"));
        QCOMPARE(reader.lines()[27 + 1].cells[0], QString::fromUtf8("名称："));
    }

    void exit_codes_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::newRow("no data set") << QStringList{"report"} << 2;
        QTest::newRow("unknown language") << QStringList{"report", "basic", "--lang", "fr"} << 2;
        QTest::newRow("both modes")
            << QStringList{"report", "basic", "--combine", "--separate"} << 2;
        QTest::newRow("index out of range") << QStringList{"report", "basic", "--items", "6"} << 2;
        QTest::newRow("not a number") << QStringList{"report", "basic", "--items", "1,x"} << 2;
        QTest::newRow("unknown data set") << QStringList{"report", "nothing"} << 1;
    }
    void exit_codes() {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        const result r = cli(args + QStringList{"--out", home.filePath("never")});
        QCOMPARE(r.code, code);
        QVERIFY(!r.err.isEmpty());
        QVERIFY(!QDir(home.filePath("never")).exists());
    }
};

QTEST_MAIN(tst_cli_report)
#include "tst_cli_report.moc"
