// The leak survey dialog: sorting by its columns (the numbers, not the
// texts they are shown as), a double-click naming the leak of the row the
// user sees, the CO2 factor, and the CSV export's outcome.

#include "tests/analysis/survey_fixture.h"
#include "ui_test_util.h"

#include "core/app_config.h"
#include "ui/survey/leak_survey_model.h"
#include "ui/survey/leak_survey_widget.h"

#include <QtTest>
#include <QtWidgets>

using namespace ui_test;
using namespace survey_fixture;

class tst_survey_widget : public private_data_test {
    Q_OBJECT

    // Four leaks: "cfm" has the smallest figure on screen (in CFM) but the
    // largest leak rate (its cost, in CFM prices, is low); "broken" has no
    // finite values; one item is no leak.
    leak_survey_widget* open() {
        const QString root = tmp_->filePath("set");
        std::vector<leak_spec> specs(5);
        const wchar_t* names[] = {L"b middle", L"a small", L"cfm", L"broken", L"other"};
        const double spls[] = {62, 55, 75, 1e5, 60};
        for (int i = 0; i < 5; ++i) {
            specs[size_t(i)].dir = "i" + std::to_string(i);
            specs[size_t(i)].name = names[i];
            specs[size_t(i)].spl = spls[i];
            specs[size_t(i)].time = "2024-05-06 08:0" + std::to_string(i) + ":00";
        }
        specs[2].unit = 1;
        specs[4].sign_mode = 0;
        std::vector<data_info> rows;
        for (const leak_spec& s : specs)
            rows.push_back(write_leak_item(root, s));
        import_data_info set;
        set.name = L"Plant 1";
        auto* w = new leak_survey_widget(set, build_leak_survey(rows, 0.4));
        w->show();
        return w;
    }

    static QStringList names_in_view(leak_survey_widget* w) {
        QStringList out;
        QAbstractItemModel* m = w->table()->model();
        for (int r = 0; r < m->rowCount(); ++r)
            out << m->index(r, leak_survey_model::col_name).data().toString();
        return out;
    }

private Q_SLOTS:
    void sorting_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("order");
        QTest::addColumn<QString>("names");
        QTest::newRow("as opened: rank") << -1 << 0 << "b middle,a small,cfm,broken";
        // Values that are not finite sort lowest, never as the largest.
        QTest::newRow("yearly cost, highest first")
            << int(leak_survey_model::col_cost) << int(Qt::DescendingOrder)
            << "b middle,a small,cfm,broken";
        // Shown as 0.xx CFM, but the largest rate once converted.
        QTest::newRow("leak rate, smallest first")
            << int(leak_survey_model::col_rate) << int(Qt::AscendingOrder)
            << "broken,a small,b middle,cfm";
        QTest::newRow("name") << int(leak_survey_model::col_name) << int(Qt::AscendingOrder)
                              << "a small,b middle,broken,cfm";
        QTest::newRow("time, newest first")
            << int(leak_survey_model::col_time) << int(Qt::DescendingOrder)
            << "broken,cfm,a small,b middle";
    }
    void sorting() {
        QFETCH(int, column);
        QFETCH(int, order);
        QFETCH(QString, names);
        leak_survey_widget* w = open();
        if (column >= 0)
            w->table()->sortByColumn(column, Qt::SortOrder(order));
        QCOMPARE(names_in_view(w).join(','), names);
        // The detail view steps through the leaks in the same order.
        QStringList order_names;
        for (int leak : w->leaks_in_view_order())
            order_names << QString::fromStdWString(w->survey().leaks[size_t(leak)].item.data_name);
        QCOMPARE(order_names.join(','), names);
        // The leak without finite values stays out of the totals and is named as such.
        QVERIFY(w->summary_label()->text().contains("1 left out"));
    }

    void double_click_names_the_leak_shown() {
        leak_survey_widget* w = open();
        w->table()->sortByColumn(leak_survey_model::col_name, Qt::AscendingOrder);
        QSignalSpy spy(w, &leak_survey_widget::open_item_requested);
        const QRect r = w->table()->visualRect(w->table()->model()->index(0, 0));
        // A view takes a double-click on the index its press went to.
        QTest::mouseClick(w->table()->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(w->table()->viewport(), Qt::LeftButton, {}, r.center());
        QCOMPARE(spy.count(), 1);
        const size_t leak = size_t(spy.first().first().toInt());
        QCOMPARE(w->survey().leaks[leak].item.data_name, std::wstring(L"a small"));
    }

    void sorted_table_follows_an_edit() {
        leak_survey_widget* w = open();
        w->table()->sortByColumn(leak_survey_model::col_cost, Qt::DescendingOrder);
        // An Apply stored "a small" at 8 m and renamed it: now the costliest.
        const QString dir = tmp_->filePath("set/i1");
        QVERIFY(
            write_file(dir + "/data_edit.json", "{\"distance\":8.0,\"data_name\":\"a moved\"}"));
        w->refresh_item(dir.toStdWString());
        QCOMPARE(names_in_view(w).first(), QString("a moved"));
    }

    void co2_factor_is_kept_in_the_configuration() {
        leak_survey_widget* w = open();
        const auto& leaks = w->survey().leaks;
        w->co2_box()->setValue(0.5);
        QCOMPARE(w->survey().co2_kg_per_kwh, 0.5);
        QCOMPARE(app_cfg.co2_kg_per_kwh, 0.5);
        const QString co2 =
            w->totals_table()->model()->index(0, leak_survey_model::col_co2).data().toString();
        QCOMPARE(co2,
                 QString::fromStdWString(survey_number(w->survey().totals.energy_kwh * 0.5, 0)));
        QVERIFY(std::abs(leaks[0].co2_kg - leaks[0].energy_kwh * 0.5) < 1e-9);
        QFile f(QString::fromStdWString(config_file_path()));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().contains("\"co2_kg_per_kwh\":0.5"));
        app_cfg.co2_kg_per_kwh = 0.4;
    }

    void csv_export_says_how_it_went_data() {
        QTest::addColumn<bool>("writable");
        QTest::newRow("written") << true;
        QTest::newRow("folder missing") << false;
    }
    void csv_export_says_how_it_went() {
        QFETCH(bool, writable);
        leak_survey_widget* w = open();
        const QString path = tmp_->filePath(writable ? "out.csv" : "missing/out.csv");
        QCOMPARE(w->export_csv(path.toStdWString()) == 0, writable);
        QCOMPARE(QFile::exists(path), writable);
        QCOMPARE(msg_boxes().size(), 1);
        QCOMPARE(msg_box_texts().join(' ').contains("could not be saved"), !writable);
        answer_msg_boxes();
        QCOMPARE(w->suggested_file_name("csv"), QString("Plant 1_leak_survey.csv"));
    }
};

QTEST_MAIN(tst_survey_widget)
#include "tst_survey_widget.moc"
