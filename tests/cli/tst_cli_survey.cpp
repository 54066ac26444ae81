// halvix-cli survey and items --csv as a user runs them, on the independently
// written sample data set: the totals the window shows, the exports, and the
// usage errors.

#include "docx_reader.h"

#include <QtTest>

#include <json/json.h>

#include <cmath>

namespace {

struct run_result {
    int code = -1;
    std::string out;
    QString err;
};

Json::Value parse(const std::string& text) {
    Json::Value v;
    std::unique_ptr<Json::CharReader> r(Json::CharReaderBuilder().newCharReader());
    if (!r->parse(text.data(), text.data() + text.size(), &v, nullptr))
        qWarning("not JSON: %s", text.c_str());
    return v;
}

bool near(const Json::Value& v, double want, double tolerance) {
    return v.isNumeric() && std::abs(v.asDouble() - want) < tolerance;
}

} // namespace

class tst_cli_survey : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> home;
    QTemporaryDir work;

    run_result cli(const QStringList& args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", home->filePath("xdg"));
        env.insert("HOME", home->path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(work.path());
        p.start(qEnvironmentVariable("HALVIX_TEST_BUILD_DIR") + "/cli/halvix-cli", args);
        run_result r;
        if (!p.waitForFinished(120000))
            return r;
        r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
        r.out = p.readAllStandardOutput().toStdString();
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

private Q_SLOTS:
    void init() {
        home = std::make_unique<QTemporaryDir>();
        QCOMPARE(cli({"import", HALVIX_SAMPLES_DIR "/basic"}).code, 0);
    }

    void totals_of_the_independent_samples() {
        // Two of the six items were recorded in gas-leak mode: "Gas line 2"
        // (95.01 dB at 3.6 m, factor 1.2, L/min, CNY) and "已编辑 '5'" (77.7 dB
        // at 4.4 m, factor 1.5, CFM, USD); worked out by hand from the estimate.
        run_result r = cli({"survey", "basic", "--json"});
        QCOMPARE(r.code, 0);
        const Json::Value s = parse(r.out);
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
        QVERIFY(near(b["yearly_cost"], 4281.154, 1e-2));
        const Json::Value& t = s["totals"];
        QVERIFY(near(t["rate_lpm"], 215.761570, 1e-4));
        QVERIFY(near(t["energy_kwh"], 561.714986, 1e-3));
        QVERIFY(near(t["co2_kg"], 224.685994, 1e-3));
        QCOMPARE(t["left_out"].asInt(), 0);
        QCOMPARE(t["costs"].size(), 2u);
        QCOMPARE(t["costs"][0]["currency"].asString(), std::string("CNY"));
        QCOMPARE(t["costs"][1]["currency"].asString(), std::string("USD"));

        // The same totals as text; a selection by the browser's index.
        r = cli({"survey", "basic"});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.find("215.8 L/min") != std::string::npos);
        QVERIFY(r.out.find("184043.6 CNY; 4281.2 USD") != std::string::npos);
        r = cli({"survey", "basic", "--items", "0,1", "--json"}); // the two newest
        QCOMPARE(parse(r.out)["items"].asInt(), 2);
        QCOMPARE(parse(r.out)["leaks"].size(), 1u);
    }

    void exports_in_chinese() {
        const QString csv = work.filePath("s.csv"), docx = work.filePath("s.docx");
        run_result r = cli(
            {"survey", "basic", "--csv", "s.csv", "--docx", "s.docx", "--lang", "zh", "--json"});
        QCOMPARE(r.code, 0);
        const Json::Value s = parse(r.out);
        QCOMPARE(QString::fromStdString(s["written"]["csv"].asString()), csv);
        QCOMPARE(QString::fromStdString(s["written"]["docx"].asString()), docx);
        QFile f(csv);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QString text = QString::fromUtf8(bytes);
        QCOMPARE(text.count("\r\n"), 1 + 2 + 2);              // header, leaks, a total per currency
        QVERIFY(text.section("\r\n", 0, 0).contains("名称")); // headers in the chosen language
        QVERIFY(text.contains("已编辑 '5'"));
        docx_reader d;
        QVERIFY(d.open(docx));
        const auto lines = d.lines();
        QCOMPARE(lines[0].cells[0], QString("气体泄漏调查报告"));
        QCOMPARE(lines[12].cells[0], QString("合计"));
    }

    void plain_item_list_as_csv() {
        const run_result r = cli({"items", "basic", "--csv"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out.substr(0, 3), std::string("\xEF\xBB\xBF"));
        const QString text = QString::fromStdString(r.out.substr(3));
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
        const run_result r = cli(args);
        QCOMPARE(r.code, code);
        QVERIFY(!r.err.isEmpty());
        QVERIFY(!QFile::exists(work.filePath("missing")));
    }
};

QTEST_GUILESS_MAIN(tst_cli_survey)
#include "tst_cli_survey.moc"
