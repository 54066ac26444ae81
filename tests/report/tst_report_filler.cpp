// The report filler on the real templates: every value lands in the cell
// its navigation names, in both languages, singly and combined; and the
// start-up availability check. (The substitute suite's navigation is not
// driven here: only that suite itself could show where it lands.)

#include "docx_reader.h"
#include "report_test_util.h"

#include "report/engine/docx_package.h"

#include <QtTest>

#include <cmath>
#include <cstdio>

namespace {
QString q(const std::wstring& s) {
    return QString::fromStdWString(s);
}
// C formatting, as the filler uses (QString::asprintf rounds differently).
QString fmt(const char* f, double v) {
    char buf[128];
    std::snprintf(buf, sizeof buf, f, v);
    return QString::fromUtf8(buf);
}

// The cells (line, cell) the filler writes in each template, in reading order.
const std::vector<QPoint> general_cells = {{0, 0},  {1, 0},  {1, 1},  {2, 1}, {3, 1}, {3, 4},
                                           {4, 1},  {4, 4},  {5, 1},  {5, 4}, {6, 1}, {6, 4},
                                           {12, 1}, {13, 1}, {14, 1}, {15, 1}};
const std::vector<QPoint> leak_cells = {
    {0, 0},  {1, 0},  {3, 0},  {3, 1},  {3, 3},  {4, 1},  {4, 3},  {5, 1},  {10, 0}, {12, 1},
    {12, 3}, {13, 1}, {13, 3}, {14, 1}, {14, 3}, {15, 1}, {15, 3}, {16, 1}, {16, 3}, {18, 1},
    {18, 3}, {19, 1}, {19, 3}, {21, 1}, {22, 1}, {23, 1}, {24, 1}, {25, 0}, {25, 1}};
} // namespace

class tst_report_filler : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;
    int counter = 0;

    report_sample sample(bool leak, bool chinese, bool all_pictures = true) {
        const std::wstring dir = tmp.filePath(QString("item%1").arg(++counter)).toStdWString();
        write_sample_pictures(dir, all_pictures, counter);
        return make_report_sample(dir, leak, chinese, counter);
    }

    docx_reader fill_single(const report_sample& s, int lang_id) {
        const QString out = tmp.filePath(QString("single%1.docx").arg(++counter));
        docx_reader r;
        if (fill_report(out, {s}, lang_id) == 0)
            r.open(out);
        return r;
    }

    // The texts of the given cells (line, cell) from line at on.
    static QStringList cells(const std::vector<docx_line>& l, size_t at,
                             const std::vector<QPoint>& where) {
        QStringList out;
        for (const QPoint& p : where) {
            const size_t i = at + size_t(p.x());
            out << (i < l.size() && p.y() < l[i].cells.size() ? l[i].cells[p.y()] : "<none>");
        }
        return out;
    }

    // Every value of a general report, and the first label of its language.
    void check_general(const std::vector<docx_line>& l, size_t at, const report_sample& s,
                       bool chinese) {
        const data_info& d = s.item;
        const report_header_fields& f = s.fields;
        QCOMPARE(cells(l, at, general_cells),
                 QStringList() << q(s.dataset.name) << (chinese ? "名称：" : "Name:")
                               << q(d.data_name)
                               << QString::fromStdString(d.time).section('.', 0, 0)
                               << fmt("%.0fm", d.distance) << fmt("%.1f dB", d.spl)
                               << q(f.working_condition) << q(f.weather) << q(f.test_purpose)
                               << fmt("%.f", f.temperature) + q(f.temperature_unit) << "ORN-S40"
                               << fmt("%.0f", f.humidity) + "%" << q(f.test_result) << q(f.advice)
                               << q(d.data_note) << q(f.inspector));
    }

    // Every value of a gas-leak report, with the labels that share its cells.
    void check_leak(const std::vector<docx_line>& l, size_t at, const report_sample& s,
                    bool chinese) {
        const data_info& d = s.item;
        const report_header_fields& f = s.fields;
        QCOMPARE(l.size() > at + 9 ? l[at + 9].cell_pictures : std::vector<int>(),
                 std::vector<int>({1, 1}));
        QCOMPARE(
            cells(l, at, leak_cells),
            QStringList() << q(s.dataset.name)
                          << (chinese ? "报告编号：" : "Report number：") +
                                 QString::asprintf("%03d", d.report_number)
                          << (chinese ? "单位" : "Work unit") << q(f.work_unit) << q(f.department)
                          << q(f.inspector) << q(f.telephone) << q(f.location) << q(d.data_name)
                          << q(d.device_type) << QString::fromStdString(d.time).section(' ', 0, 0)
                          << q(f.weather) << fmt("%.f", f.temperature) + q(f.temperature_unit)
                          << fmt("%.1f m", d.distance) << fmt("%.0f", f.humidity) + "%"
                          << fmt("%.2f", d.gasleak_rect) << fmt("%.3f kWh", d.gasleak_energy_cost)
                          << fmt("%.2f", d.gasleak_power_ratio) + QString::fromUtf8(" kW/(m³/min)")
                          << fmt("%.3f L/min", d.gasleak_gas_cost)
                          << fmt("%.1f dB", d.spl + 10 * std::log2(d.distance))
                          << fmt("%.2f", d.leak_level) << fmt("%.1f L/min", d.leak_rate)
                          << fmt("%.1f ", d.leak_cost) + q(d.gasleak_currency) + "/yr"
                          << q(f.test_purpose) << q(f.test_result) << q(f.advice) << q(d.data_note)
                          << (chinese ? "检测人：" : "Tester：") + q(f.inspector)
                          << (chinese ? "日期：" : "Date：") + q(f.today));
    }

private slots:
    void initTestCase() { word_com_initialize(); }

    void availability_check() {
        test_log log;
        QCOMPARE(reporter_checker(), 0);
        QVERIFY(is_msword);
        QVERIFY(log.text().contains("reporter_checker["));
        QVERIFY(log.text().contains("msword:1"));

        // A missing or corrupt template makes the engine unusable for reports.
        QFile bad(tmp.filePath("corrupt.docx"));
        bad.open(QIODevice::WriteOnly);
        bad.write("PK\x03\x04 this is no archive");
        bad.close();
        const std::wstring good = report_template_general_en;
        log.mark();
        QCOMPARE(reporter_checker({good, tmp.filePath("absent.docx").toStdWString()}), -3);
        QVERIFY(log.text().contains("reporter_checker template fail"));
        QCOMPARE(reporter_checker({bad.fileName().toStdWString()}), -3);
        // A readable archive without a main document part.
        docengine::docx_package hollow;
        hollow.set_part_bytes("[Content_Types].xml", "<Types/>");
        hollow.set_part_bytes("word/document.xml", "<w:document/>");
        const QString hollow_path = tmp.filePath("hollow.docx");
        QCOMPARE(hollow.save(hollow_path.toStdString()), 0);
        QCOMPARE(reporter_checker({hollow_path.toStdWString()}), -3);

        // No automation server registered at all.
        docengine::unregister_class(L"Word.Application");
        log.mark();
        QCOMPARE(reporter_checker(), -1);
        QVERIFY(log.text().contains("Word.Application ID fail"));
        QVERIFY(log.text().contains("msword:"));

        // A substitute suite, recognised by "WPS" in its path in any case.
        struct substitute : docengine::dispatch_object {
            substitute() {
                add_property(L"Path", [](variant& r) {
                    r = variant(std::wstring(L"/opt/Suite/WPS Office/bin"));
                    return docengine::s_ok;
                });
                add_method(L"Quit",
                           [](const std::vector<variant>&, variant&) { return docengine::s_ok; });
            }
        };
        docengine::register_class(L"Word.Application",
                                  [] { return dispatch_ptr(std::make_shared<substitute>()); });
        QCOMPARE(reporter_checker({}), 0);
        QVERIFY(!is_msword);
        docengine::register_word_application();
        QCOMPARE(reporter_checker(), 0);
        QVERIFY(is_msword);
    }

    void template_cells_data() {
        QTest::addColumn<bool>("leak");
        QTest::addColumn<bool>("chinese");
        QTest::newRow("general, en") << false << false;
        QTest::newRow("general, zh") << false << true;
        QTest::newRow("gas leak, en") << true << false;
        QTest::newRow("gas leak, zh") << true << true;
    }
    void template_cells() {
        QFETCH(bool, leak);
        QFETCH(bool, chinese);
        // Not combined: each item is its own document, and the combined one
        // stays empty.
        QCOMPARE(word_start_combined_document(tmp.filePath("empty.docx").toStdWString(), false), 0);
        const report_sample s = sample(leak, chinese);
        docx_reader r = fill_single(s, chinese ? 1 : 0);
        QVERIFY(!word_state.combine);
        word_finish_combined_document();
        docx_reader empty;
        QVERIFY(empty.open(tmp.filePath("empty.docx")));
        QCOMPARE(int(empty.lines().size()), 1);

        QCOMPARE(r.problem(), QString());
        auto l = r.lines();
        QCOMPARE(int(l.size()), leak ? 27 : 17);
        if (leak) {
            check_leak(l, 0, s, chinese);
            QCOMPARE(extents(r.pictures()), QVector<QSize>(2, QSize(160 * 12700, 120 * 12700)));
            // Page numbers in the footer.
            QVERIFY(QString::fromStdString(r.parts["word/footer1.xml"]).contains(" PAGE "));
            return;
        }
        check_general(l, 0, s, chinese);
        QCOMPARE(l[7].cell_pictures, std::vector<int>({1, 1}));
        QCOMPARE(l[9].cell_pictures, std::vector<int>({1, 1}));
        auto pics = r.pictures();
        QCOMPARE(extents(pics),
                 QVector<QSize>({QSize(160 * 12700, 120 * 12700), QSize(160 * 12700, 120 * 12700),
                                 QSize(160 * 12700, 80 * 12700), QSize(160 * 12700, 80 * 12700)}));
        QVERIFY(pics[0].rel_id != pics[1].rel_id); // camera and raw picture differ
    }

    void general_template_optional_parts() {
        report_sample s = sample(false, false, false); // no raw picture, no PRPD
        s.fields.advice.clear();
        s.item.app_type = 3;
        s.item.device_type = L"Model X";
        docx_reader r = fill_single(s, 0);
        auto l = r.lines();
        QCOMPARE(l[7].cell_pictures, std::vector<int>({1, 1})); // camera picture twice
        QCOMPARE(l[9].cell_pictures, std::vector<int>({1, 0}));
        QCOMPARE(l[13].cells[1], QString());
        QCOMPARE(l[14].cells[1], q(s.item.data_note));
        QCOMPARE(l[6].cells[1], QString("Model X"));
        auto pics = r.pictures();
        QCOMPARE(pics[0].rel_id, pics[1].rel_id); // one media part for both
        QCOMPARE(report_device_model(s.item), std::wstring(L"Model X"));
        s.item.app_type = 1;
        QCOMPARE(report_device_model(s.item), std::wstring(L"SABLE"));
    }

    void leak_units_and_title_sizes() {
        // Never 0, which no word processor accepts.
        for (auto c : {std::pair{10, 22}, {40, 8}, {9, 22}, {99, 4}, {199, 2}, {0, 22}})
            QCOMPARE(report_title_font_size(std::wstring(size_t(c.first), L'x')), c.second);

        report_sample s = sample(true, false);
        s.item.gasleak_unit_mode = 1;
        s.item.distance = 0; // no finite 1 m level: the measured level is shown
        s.dataset.name = std::wstring(40, L'N');
        docx_reader r = fill_single(s, 0);
        auto l = r.lines();
        QCOMPARE(l[16].cells[3], fmt("%.3f CFM", s.item.gasleak_gas_cost));
        QCOMPARE(l[19].cells[1], fmt("%.1f CFM", s.item.leak_rate));
        QCOMPARE(l[18].cells[1], fmt("%.1f dB", s.item.spl));
        QCOMPARE(
            r.body().first_child().select_node("w:r/w:rPr/w:sz").node().attribute("w:val").as_int(),
            16);
    }

    // Three items, and two template copies that cannot be opened: before the
    // first item and between the last two. Those leave nothing behind, not
    // even a repeat of the item before.
    void combined_document_of_three_items_and_two_failures() {
        const QString out = tmp.filePath("combined.docx");
        const QString general = tmp.filePath("t_general.docx");
        const QString leak = tmp.filePath("t_leak.docx");
        QCOMPARE(write_template_copy(report_template_general_en, general.toStdWString()), 0);
        QCOMPARE(write_template_copy(report_template_leak_en, leak.toStdWString()), 0);

        QCOMPARE(word_start_combined_document(out.toStdWString(), true), 0);
        test_log log;
        const report_sample items[] = {sample(false, false), sample(true, false),
                                       sample(false, false)};
        const std::pair<QString, int> runs[] = {{tmp.filePath("missing.docx"), 0},
                                                {general, 0},
                                                {leak, 1},
                                                {tmp.filePath("gone.docx"), 2},
                                                {general, 2}};
        for (size_t i = 0; i < 5; ++i) {
            const report_sample& s = items[runs[i].second];
            word_item_document doc;
            QCOMPARE(word_open_template_copy(runs[i].first.toStdWString(), doc), 0);
            QVERIFY(doc.app == word_state.app); // one application for the whole run
            fill_report_document(doc, s.item, s.dataset, s.fields, true);
            word_finish_item(doc, i > 0);
            QVERIFY(!doc.selection);
        }
        word_finish_combined_document();
        QVERIFY(!word_state.app && !word_state.combine);
        QVERIFY(log.text().contains("NULL IDispatch passed to AutoWrap"));

        docx_reader r;
        QVERIFY(r.open(out));
        QCOMPARE(r.problem(), QString());
        auto l = r.lines();
        // Item lengths: general 17 lines, gas leak 27 lines, general 17, then the caret paragraph.
        QCOMPARE(int(l.size()), 17 + 27 + 17 + 1);
        check_general(l, 0, items[0], false);
        check_leak(l, 17, items[1], false);
        check_general(l, 44, items[2], false);
        // Each item begins a page (a page break, or the end of the section
        // before it), never the first; no empty line is left to spill over.
        for (size_t i = 0; i < l.size(); ++i) {
            const bool starts_page = l[i].page_break || (i > 0 && l[i - 1].section_end);
            QCOMPARE(starts_page, i == 17 || i == 44);
        }
        // Every item keeps its own template's page header: the general
        // report's heading never reaches the gas-leak pages, and it is back
        // on the general pages after them.
        const QStringList h = r.line_headers();
        QCOMPARE(h.size(), int(l.size()));
        QCOMPARE(QStringList({h[0], h[16], h[17], h[43], h[44], h[60]}),
                 QStringList({"Acoustic Imaging Test Report", "Acoustic Imaging Test Report", "",
                              "", "Acoustic Imaging Test Report", "Acoustic Imaging Test Report"}));
        QCOMPARE(int(r.pictures().size()), 4 + 2 + 4);
        // Styles and page setup of the templates came along.
        QVERIFY(QString::fromStdString(r.parts["word/styles.xml"]).contains("HxLabel"));
        QVERIFY(r.body().select_node("w:sectPr/w:pgMar"));
    }
};

QTEST_MAIN(tst_report_filler)
#include "tst_report_filler.moc"
