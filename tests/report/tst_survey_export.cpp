// The leak survey's exports: CSV fields as RFC 4180 quotes them, the whole
// CSV read back by Python's csv module with awkward names, and the Word
// document's cells, pictures and totals read back in both languages.

#include "docx_reader.h"
#include "report_test_util.h"
#include "tests/analysis/survey_fixture.h"

#include "report/csv_writer.h"
#include "report/survey_export.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTranslator>
#include <QtTest>

#include <json/json.h>

#include <atomic>
#include <cmath>

using namespace survey_fixture;

namespace {

// Six leaks with names a spreadsheet and a word processor trip over, three
// currencies (one empty), one leak beyond any finite value, one item that is
// no gas leak; pictures for all but one.
std::vector<data_info> awkward_items(const QString& root) {
    std::vector<leak_spec> specs(7);
    const wchar_t* names[] = {L"Valve, \"north\"", L"line one\nline two", L"储气罐 东侧 🙂",
                              L"  padded  ",       L"=SUM(A1)",           L"huge",
                              L"not a leak"};
    const char* currencies[] = {"CNY", "USD", "CNY", "", "USD", "CNY", "CNY"};
    for (int i = 0; i < 7; ++i) {
        leak_spec& s = specs[size_t(i)];
        s.dir = "item" + std::to_string(i);
        s.name = names[i];
        s.spl = 55 + 4 * i;
        s.currency = currencies[i];
        s.unit = i == 1 ? 1 : 0;
        s.time = "2024-05-06 08:0" + std::to_string(i) + ":00";
        s.picture = i == 3 ? QColor() : QColor::fromHsv(i * 40, 200, 200);
    }
    specs[5].spl = 1e5;
    specs[6].sign_mode = 0;
    specs[2].power_ratio = 0;
    std::vector<data_info> rows;
    for (const leak_spec& s : specs)
        rows.push_back(write_leak_item(root, s));
    return rows;
}

// Rows of a CSV file as Python's csv module reads them; empty when python3
// is not there.
bool python_rows(const QString& path, Json::Value& rows) {
    const QString python = QStandardPaths::findExecutable("python3");
    if (python.isEmpty())
        return false;
    QProcess p;
    p.start(python, {"-c",
                     "import csv, json, sys\n"
                     "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
                     "    print(json.dumps(list(csv.reader(f, strict=True))))\n",
                     path});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return false;
    const std::string out = p.readAllStandardOutput().toStdString();
    std::unique_ptr<Json::CharReader> r(Json::CharReaderBuilder().newCharReader());
    return r->parse(out.data(), out.data() + out.size(), &rows, nullptr);
}

QString qs(const std::wstring& s) {
    return QString::fromStdWString(s);
}

} // namespace

class tst_survey_export : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;

private Q_SLOTS:
    void csv_fields_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("written");
        // Name, field, as written: quoted when a reader would split or trim it.
        const char* const rows[][3] = {{"plain", "valve 3", "valve 3"},
                                       {"empty", "", ""},
                                       {"comma", "a,b", "\"a,b\""},
                                       {"quotes doubled", "say \"hi\"", "\"say \"\"hi\"\"\""},
                                       {"line feed", "a\nb", "\"a\nb\""},
                                       {"carriage return", "a\rb", "\"a\rb\""},
                                       {"blanks kept", " a ", "\" a \""}};
        for (const auto& r : rows)
            QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]);
    }
    void csv_fields() {
        QFETCH(QString, field);
        QFETCH(QString, written);
        QCOMPARE(QString::fromStdString(csv_field(field.toStdString())), written);
    }

    void csv_read_back_by_a_real_parser() {
        const leak_survey s = build_leak_survey(awkward_items(tmp.filePath("csv")), 0.4);
        const QString path = tmp.filePath("survey.csv");
        QCOMPARE(write_survey_csv(s, path.toStdWString()), 0);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF")); // spreadsheets then read UTF-8
        QVERIFY(bytes.endsWith("\r\n"));

        Json::Value rows;
        if (!python_rows(path, rows))
            QSKIP("python3 with its csv module is not available here");
        // Header, six leaks, totals for CNY, USD and no currency.
        QCOMPARE(int(rows.size()), 1 + 6 + 3);
        for (const Json::Value& r : rows)
            QCOMPARE(int(r.size()), 15);
        QCOMPARE(QString::fromStdString(rows[0][8].asString()), QString("Leak rate (L/min)"));
        QCOMPARE(QString::fromStdString(rows[0][13].asString()),
                 QString("CO2 (kg/yr at 0.400 kg/kWh)"));
        for (size_t i = 0; i < s.leaks.size(); ++i) {
            const survey_leak& l = s.leaks[i];
            const Json::Value& r = rows[Json::ArrayIndex(i + 1)];
            QCOMPARE(r[0].asString(), std::to_string(i + 1));
            // A name that a spreadsheet would run as a formula ("=SUM(A1)")
            // is kept as text by a leading apostrophe.
            const QString name = qs(l.item.data_name);
            QCOMPARE(QString::fromStdString(r[1].asString()),
                     QString("=+-@").contains(name.front()) ? "'" + name : name);
            QCOMPARE(QString::fromStdString(r[11].asString()), qs(l.item.gasleak_currency));
            if (l.counted) {
                QVERIFY(std::abs(std::stod(r[8].asString()) - l.rate_lpm) < 0.006);
                QVERIFY(std::abs(std::stod(r[10].asString()) - l.item.leak_cost) < 0.006);
            } else {
                // Values that are not finite stay empty, and the row says why.
                QCOMPARE(r[10].asString(), std::string());
                QVERIFY(r[14].asString().find("left out") != std::string::npos);
            }
            QCOMPARE(r[12].asString().empty(), !l.has_energy || !std::isfinite(l.energy_kwh));
        }
        const Json::Value& first = rows[7];
        QCOMPARE(first[0].asString(), std::string("Total"));
        QVERIFY(std::abs(std::stod(first[8].asString()) - s.totals.rate_lpm) < 0.006);
        QVERIFY(first[14].asString().find("5 leaks counted; 1 left out") != std::string::npos);
        for (int i = 0; i < 3; ++i) {
            const survey_cost_total& c = s.totals.costs[size_t(i)];
            QCOMPARE(rows[7 + i][0].asString(), std::string("Total"));
            QCOMPARE(QString::fromStdString(rows[7 + i][11].asString()), qs(c.currency));
            QVERIFY(std::abs(std::stod(rows[7 + i][10].asString()) - c.cost) < 0.006);
        }
    }

    void word_document_read_back_data() {
        QTest::addColumn<int>("lang");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("total");
        QTest::newRow("English") << 0 << "Gas Leak Survey"
                                 << "Total";
        QTest::newRow("Chinese") << 1 << "气体泄漏调查报告"
                                 << "合计";
    }
    void word_document_read_back() {
        QFETCH(int, lang);
        QFETCH(QString, title);
        QFETCH(QString, total);
        const leak_survey s =
            build_leak_survey(awkward_items(tmp.filePath("doc%1").arg(lang)), 0.4);
        const QString path = tmp.filePath("survey%1.docx").arg(lang);
        survey_report_options o;
        o.lang_id = lang;
        o.dataset_name = L"Plant 1 / 北区";
        o.date = L"2024-05-07";
        std::vector<double> steps;
        const survey_report_outcome out = write_survey_report(
            s, path.toStdWString(), o, [&steps](double v) { steps.push_back(v); });
        QCOMPARE(out.result, 0);
        QCOMPARE(out.leaks, 6);
        QCOMPARE(out.pictures, 5);
        QVERIFY(std::is_sorted(steps.begin(), steps.end()));
        QCOMPARE(steps.back(), 1.0);

        docx_reader r;
        QVERIFY(r.open(path));
        QCOMPARE(r.problem(), QString());
        const std::vector<docx_line> lines = r.lines();
        QCOMPARE(int(lines.size()), 13 + 5);
        QCOMPARE(lines[0].cells[0], title);
        QVERIFY(lines[1].cells[0].endsWith(QString::fromStdWString(o.dataset_name)));
        QVERIFY(lines[3].cells[0].contains(QRegularExpression("7\\D+6\\D+1")));
        QVERIFY(lines[5].cells[1].startsWith("0.400 kg/kWh"));
        QCOMPARE(lines[6].cells[1], QString("1.00")); // correction factor of every leak

        // The ranked table: one row per leak in rank order, its picture a thumbnail.
        for (int i = 0; i < 6; ++i) {
            const survey_leak& l = s.leaks[size_t(i)];
            const docx_line& row = lines[size_t(10 + i)];
            QVERIFY(row.row);
            QCOMPARE(row.cells.size(), 12);
            QCOMPARE(row.cells[0], QString::number(i + 1));
            QCOMPARE(row.cells[2], qs(l.item.data_name));
            QCOMPARE(row.cells[9], qs(survey_cost_text(l.item.leak_cost, l.item.gasleak_currency)));
            QCOMPARE(row.cell_pictures[1], l.item.data_name == L"  padded  " ? 0 : 1);
        }
        for (const docx_picture& p : r.pictures()) {
            QCOMPARE(p.cx, 48LL * 12700);
            QCOMPARE(p.cy, 36LL * 12700);
        }
        const docx_line& totals = lines[16];
        QCOMPARE(totals.cells[0], total);
        QVERIFY(totals.cells[2].endsWith(": 5") || totals.cells[2].endsWith("：5"));
        QCOMPARE(totals.cells[7], qs(survey_number(s.totals.rate_lpm, 1)) + " L/min");
        QCOMPARE(totals.cells[9].split('\n').size(), 3); // one line per currency
        QCOMPARE(totals.cells[9].split('\n')[0],
                 qs(survey_cost_text(s.totals.costs[0].cost, s.totals.costs[0].currency)));
    }

    void survey_without_leaks() {
        leak_spec other;
        other.dir = "other";
        other.sign_mode = 0;
        const leak_survey s =
            build_leak_survey({write_leak_item(tmp.filePath("none"), other)}, 0.4);
        const QString path = tmp.filePath("none.docx");
        const survey_report_outcome out = write_survey_report(s, path.toStdWString(), {});
        QCOMPARE(out.result, 0);
        docx_reader r;
        QVERIFY(r.open(path));
        const auto lines = r.lines();
        QCOMPARE(int(lines.size()), 13);
        QCOMPARE(lines[10].cells[2], QString("No gas-leak items"));
        QCOMPARE(lines[11].cells[7], QString("0.0 L/min"));

        // The CSV: header and one totals row of zeros.
        QCOMPARE(write_survey_csv(s, tmp.filePath("none.csv").toStdWString()), 0);
        QFile f(tmp.filePath("none.csv"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll().count("\r\n"), 2);
    }

    void failed_writes_leave_nothing_behind() {
        const leak_survey s = build_leak_survey(awkward_items(tmp.filePath("fail")), 0.4);
        const QString missing = tmp.filePath("no/such/dir/x");
        QCOMPARE(write_survey_csv(s, (missing + ".csv").toStdWString()), ENOENT);
        QVERIFY(write_survey_report(s, (missing + ".docx").toStdWString(), {}).result != 0);
        QVERIFY(!QFile::exists(missing + ".csv") && !QFile::exists(missing + ".docx"));

        // An existing document stays as it was when a new one is aborted.
        const QString kept = tmp.filePath("kept.docx");
        QVERIFY(write_file(kept, "old"));
        std::atomic<uint8_t> abort{1};
        const survey_report_outcome out =
            write_survey_report(s, kept.toStdWString(), {}, nullptr, &abort);
        QVERIFY(out.aborted);
        QFile f(kept);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("old"));
    }
};

QTEST_MAIN(tst_survey_export)
#include "tst_survey_export.moc"
