// halvix-cli report and survey as a user runs them, on a copy of the
// independent sample data set, from a program installed under a path
// containing "wps" (every value must still land in its cell): items by
// index, documents in both languages, the survey's totals as the window
// shows them, the exports, items --csv, their JSON and their exit codes.

#include "cli_run.h"
#include "docx_reader.h"

#include <cmath>

namespace {
bool near(const Json::Value& v, double want, double tolerance) {
    return v.isNumeric() && std::abs(v.asDouble() - want) < tolerance;
}
} // namespace

class tst_cli_report : public QObject {
    Q_OBJECT
    QTemporaryDir home;
    QString cli_path;

    cli_result cli(const QStringList& args) { return run_cli(home.path(), args, 120000, cli_path); }

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
        const cli_result r = cli({"report", "basic", "--separate", "--lang", "en", "--out",
                                  home.filePath("out"), "--json"});
        QCOMPARE(r.code, 0);
        const Json::Value json = parse_json(r.out);
        QCOMPARE(std::make_tuple(json["items"].asInt(), json["documents"].size(),
                                 json["skipped"].size()),
                 std::make_tuple(6, 6u, 0u));
        const QString target = QString::fromStdString(json["target"].asString());
        QVERIFY(QFileInfo(target).fileName().startsWith("basic_"));
        // The oldest item is the last in the browser's order.
        const QString doc = target + QString::fromUtf8("/主变压器 A相.docx");
        QCOMPARE(QString::fromStdString(json["documents"][5].asString()), doc);
        docx_reader reader;
        QVERIFY(reader.open(doc));
        const auto l = reader.lines();
        QCOMPARE(l[0].cells[0], QString("basic"));
        QCOMPARE(l[1].cells, QStringList({"Name:", QString::fromUtf8("主变压器 A相")}));
        QCOMPARE(l[3].cells, QStringList({"Distance:", "1m", "", "SPL:", "91.5 dB"}));
        QCOMPARE(l[9].cell_pictures, std::vector<int>({1, 1})); // spectrum and PRPD
    }

    void combined_by_index() {
        const cli_result r = cli({"report", "basic", "--items", "0,2", "--combine", "--lang", "zh",
                                  "--out", home.filePath("zh"), "--json"});
        QCOMPARE(r.code, 0);
        const Json::Value json = parse_json(r.out);
        QCOMPARE(json["items"].asInt(), 2);
        const QString doc = QString::fromStdString(json["target"].asString());
        QCOMPARE(QDir(home.filePath("zh")).entryList(QDir::Files),
                 QStringList(QFileInfo(doc).fileName()));
        docx_reader reader;
        QVERIFY(reader.open(doc));
        // Newest first: the edited gas-leak item, then a general one in Chinese.
        QCOMPARE(reader.lines()[10].cells[0], QString::fromUtf8("已编辑 '5'"));
        QCOMPARE(reader.lines()[27 + 1].cells[0], QString::fromUtf8("名称："));
    }

    void totals_of_the_independent_samples() {
        // Two of the six items were recorded in gas-leak mode: "Gas line 2"
        // (95.01 dB at 3.6 m, factor 1.2, L/min, CNY) and "已编辑 '5'" (77.7 dB
        // at 4.4 m, factor 1.5, CFM, USD); worked out by hand from the estimate.
        cli_result r = cli({"survey", "basic", "--json"});
        QCOMPARE(r.code, 0);
        const Json::Value s = parse_json(r.out);
        // The sums themselves are worked through in the survey's own test.
        QCOMPARE(std::make_tuple(s["items"].asInt(), s["other_items"].asInt(), s["leaks"].size(),
                                 s["leaks"][0]["name"].asString(),
                                 s["leaks"][1]["rate_unit"].asString()),
                 std::make_tuple(6, 4, 2u, std::string("Gas line 2"), std::string("CFM")));
        QVERIFY(near(s["leaks"][0]["yearly_cost"], 184043.623, 1e-2));
        QVERIFY(near(s["leaks"][1]["leak_rate"], 2.682306, 1e-5));
        QVERIFY(near(s["totals"]["rate_lpm"], 215.761570, 1e-4));

        // The same totals as text; a selection by the browser's index.
        r = cli({"survey", "basic"});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains("215.8 L/min"));
        QVERIFY(r.out.contains("184043.6 CNY; 4281.2 USD"));
        r = cli({"survey", "basic", "--items", "0,1", "--json"}); // the two newest
        QCOMPARE(parse_json(r.out)["items"].asInt(), 2);
        QCOMPARE(parse_json(r.out)["leaks"].size(), 1u);
    }

    void exports_in_chinese() {
        const cli_result r = cli(
            {"survey", "basic", "--csv", "s.csv", "--docx", "s.docx", "--lang", "zh", "--json"});
        QCOMPARE(r.code, 0);
        const Json::Value s = parse_json(r.out);
        QCOMPARE(QString::fromStdString(s["written"]["csv"].asString()), home.filePath("s.csv"));
        QCOMPARE(QString::fromStdString(s["written"]["docx"].asString()), home.filePath("s.docx"));
        QFile f(home.filePath("s.csv"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        QCOMPARE(text.count("\r\n"), 1 + 2 + 2);              // header, leaks, a total per currency
        QVERIFY(text.section("\r\n", 0, 0).contains("名称")); // headers in the chosen language
        docx_reader d;
        QVERIFY(d.open(home.filePath("s.docx")));
        QCOMPARE(d.lines()[0].cells[0], QString("气体泄漏调查报告"));
    }

    void plain_item_list_as_csv() {
        const cli_result r = cli({"items", "basic", "--csv"});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.startsWith("\xEF\xBB\xBF"));
        const QString text = QString::fromUtf8(r.out.mid(3));
        const QStringList rows = text.split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 1 + 6);
        QVERIFY(rows[0].startsWith("Time,Name,SPL (dB)"));
        QVERIFY(text.contains("O'Neil's valve"));
    }

    // Refused before anything is written.
    void usage_errors_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        const QStringList out{"--out", "never"};
        QTest::newRow("report: no data set") << QStringList{"report"} + out << 2;
        QTest::newRow("report: language")
            << QStringList{"report", "basic", "--lang", "fr"} + out << 2;
        QTest::newRow("report: both modes")
            << QStringList{"report", "basic", "--combine", "--separate"} + out << 2;
        QTest::newRow("report: item out of range")
            << QStringList{"report", "basic", "--items", "6"} + out << 2;
        QTest::newRow("report: not a number")
            << QStringList{"report", "basic", "--items", "1,x"} + out << 2;
        QTest::newRow("report: unknown data set") << QStringList{"report", "nothing"} + out << 1;
        QTest::newRow("survey: no data set") << QStringList{"survey"} << 2;
        QTest::newRow("survey: unknown data set") << QStringList{"survey", "nope"} << 1;
        QTest::newRow("survey: language") << QStringList{"survey", "basic", "--lang", "fr"} << 2;
        QTest::newRow("survey: item out of range")
            << QStringList{"survey", "basic", "--items", "6"} << 2;
        QTest::newRow("survey: option without value")
            << QStringList{"survey", "basic", "--csv"} << 2;
        QTest::newRow("survey: unwritable csv")
            << QStringList{"survey", "basic", "--csv", "missing/dir/s.csv"} << 1;
        QTest::newRow("items: two formats")
            << QStringList{"items", "basic", "--json", "--csv"} << 2;
    }
    void usage_errors() {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        const cli_result r = cli(args);
        QCOMPARE(r.code, code);
        QVERIFY(!r.err.isEmpty() && !QFile::exists(home.filePath("never")) &&
                !QFile::exists(home.filePath("missing")));
    }
};

QTEST_MAIN(tst_cli_report)
#include "tst_cli_report.moc"
