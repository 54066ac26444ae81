// halvix-cli survey and items --csv as a user runs them, on the independently
// written sample data set: the totals the window shows, the exports, and the
// usage errors.

#include "cli_run.h"
#include "docx_reader.h"

#include <QtTest>

#include <cmath>

namespace {
bool near(const Json::Value& v, double want, double tolerance) {
    return v.isNumeric() && std::abs(v.asDouble() - want) < tolerance;
}
} // namespace

class tst_cli_survey : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> home;

    cli_result cli(const QStringList& args) { return run_cli(home->path(), args); }

private Q_SLOTS:
    void init() {
        home = std::make_unique<QTemporaryDir>();
        QCOMPARE(cli({"import", HALVIX_SAMPLES_DIR "/basic"}).code, 0);
    }

    void totals_of_the_independent_samples() {
        // Two of the six items were recorded in gas-leak mode: "Gas line 2"
        // (95.01 dB at 3.6 m, factor 1.2, L/min, CNY) and "已编辑 '5'" (77.7 dB
        // at 4.4 m, factor 1.5, CFM, USD); worked out by hand from the estimate.
        cli_result r = cli({"survey", "basic", "--json"});
        QCOMPARE(r.code, 0);
        const Json::Value s = parse_json(r.out);
        QCOMPARE(s["items"].asInt(), 6);
        QCOMPARE(s["other_items"].asInt(), 4);
        QCOMPARE(s["leaks"].size(), 2u);
        const Json::Value& a = s["leaks"][0];
        QCOMPARE(a["name"].asString(), std::string("Gas line 2"));
        QCOMPARE(a["rank"].asInt(), 1);
        QVERIFY(near(a["yearly_cost"], 184043.623, 1e-2));
        QVERIFY(near(a["energy_kwh"], 428.635, 1e-2));
        const Json::Value& b = s["leaks"][1];
        QCOMPARE(b["name"].asString(), std::string("已编辑 '5'"));
        QCOMPARE(b["rate_unit"].asString(), std::string("CFM"));
        QVERIFY(near(b["leak_rate"], 2.682306, 1e-5));
        QVERIFY(near(b["rate_lpm"], 75.958895, 1e-5));
        const Json::Value& t = s["totals"];
        QVERIFY(near(t["rate_lpm"], 215.761570, 1e-4));
        QVERIFY(near(t["co2_kg"], 224.685994, 1e-3));
        QCOMPARE(t["left_out"].asInt(), 0);
        QCOMPARE(t["costs"].size(), 2u);
        QCOMPARE(t["costs"][1]["currency"].asString(), std::string("USD"));

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
        QCOMPARE(QString::fromStdString(s["written"]["csv"].asString()), home->filePath("s.csv"));
        QCOMPARE(QString::fromStdString(s["written"]["docx"].asString()), home->filePath("s.docx"));
        QFile f(home->filePath("s.csv"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        QCOMPARE(text.count("\r\n"), 1 + 2 + 2);              // header, leaks, a total per currency
        QVERIFY(text.section("\r\n", 0, 0).contains("名称")); // headers in the chosen language
        docx_reader d;
        QVERIFY(d.open(home->filePath("s.docx")));
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

    void usage_errors_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::newRow("no data set") << QStringList{"survey"} << 2;
        QTest::newRow("unknown data set") << QStringList{"survey", "nope"} << 1;
        QTest::newRow("language") << QStringList{"survey", "basic", "--lang", "fr"} << 2;
        QTest::newRow("item out of range") << QStringList{"survey", "basic", "--items", "6"} << 2;
        QTest::newRow("option without value") << QStringList{"survey", "basic", "--csv"} << 2;
        QTest::newRow("unwritable csv")
            << QStringList{"survey", "basic", "--csv", "missing/dir/s.csv"} << 1;
        QTest::newRow("two formats") << QStringList{"items", "basic", "--json", "--csv"} << 2;
    }
    void usage_errors() {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        const cli_result r = cli(args);
        QCOMPARE(r.code, code);
        QVERIFY(!r.err.isEmpty());
        QVERIFY(!QFile::exists(home->filePath("missing")));
    }
};

QTEST_GUILESS_MAIN(tst_cli_survey)
#include "tst_cli_survey.moc"
