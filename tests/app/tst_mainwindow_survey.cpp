// "Leak survey" in the real window: the dataset list's entry and the Word
// document written as a worker task, the tool bar's button that follows the
// shown dataset, and a double-click that opens the detail view whose Apply
// refreshes the survey's row and the browser.
#include "viewer_fixture.h"

#include "sample_sets.h"
#include "ui/survey/leak_survey_model.h"
#include "ui/survey/leak_survey_widget.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QMenu>
#include <QTableView>

using namespace ui_test;

class tst_mainwindow_survey : public private_data_test {
    Q_OBJECT

    // A sample data set of n items (every fourth a gas leak, or all of them).
    void add_dataset(const QString& name, int n, bool all_leaks) {
        sample_options opt = small_set(n, 2, 960);
        opt.gas_leak = all_leaks;
        QCOMPARE(import_generated(tmp_->filePath(name), opt), n);
    }

    static QAction* survey_action(TOrnViewer& w) {
        for (QAction* a : w.dataset_list()->menu()->actions())
            if (a->objectName() == "leak_survey_action")
                return a;
        return nullptr;
    }

    static QString cell(leak_survey_widget* s, int row, int column) {
        return s->table()->model()->index(row, column).data().toString();
    }

private Q_SLOTS:
    // Opened from the dataset list's menu; its Word document is written as a
    // worker task, and a folder that cannot be written to gives a warning.
    void context_menu_opens_the_survey_whose_report_is_a_task() {
        add_dataset("mixed", 8, false); // items 2 and 6 are gas leaks
        auto w = start_viewer();
        w->dataset_list()->list_widget()->setCurrentRow(0);
        QAction* action = survey_action(*w);
        QVERIFY(action);
        action->trigger();
        leak_survey_widget* s = w->survey_dialog();
        QVERIFY(s && s->isVisible());
        QCOMPARE(s->windowModality(), Qt::ApplicationModal);
        QCOMPARE(s->survey().items, 8);
        QCOMPARE(s->survey().other_items, 6);
        QCOMPARE(s->table()->model()->rowCount(), 2);
        // A second request while it is open shows the same dialog.
        action->trigger();
        QCOMPARE(w->survey_dialog(), s);

        const QString path = tmp_->filePath("survey.docx");
        Q_EMIT s->export_report_requested(path.toStdWString());
        QVERIFY(top_level<report_progress_widget>());
        QVERIFY(QTest::qWaitFor([] { return !msg_boxes().isEmpty(); }, 60000));
        QVERIFY(msg_box_texts().join(' ').contains("Report generation is complete"));
        answer_msg_boxes(false);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly) && f.read(2) == "PK");
        const QString bad = tmp_->filePath("missing/survey.docx");
        Q_EMIT s->export_report_requested(bad.toStdWString());
        QVERIFY(QTest::qWaitFor([] { return !msg_boxes().isEmpty(); }, 60000));
        QVERIFY(msg_box_texts().join(' ').contains("could not be written"));
        answer_msg_boxes();
        QVERIFY(!QFile::exists(bad));
        s->close();
        QVERIFY(QTest::qWaitFor([&] { return !w->survey_dialog(); }));
    }

    void tool_bar_button_follows_the_shown_items() {
        add_dataset("leaks", 4, true);
        add_dataset("quiet", 2, false); // items 0 and 1: no gas leak
        auto w = start_viewer();
        QPushButton* button = w->tool_bar()->survey_btn();
        const int leaks = row_of(*w, "leaks"), quiet = row_of(*w, "quiet");
        QVERIFY(click_dataset(*w, leaks));
        QVERIFY(QTest::qWaitFor([&] { return button->isVisibleTo(w.get()); }));
        QVERIFY(click_dataset(*w, quiet));
        QVERIFY(QTest::qWaitFor([&] { return !button->isVisibleTo(w.get()); }));
        QVERIFY(click_dataset(*w, leaks));
        QVERIFY(QTest::qWaitFor([&] { return button->isVisibleTo(w.get()); }));
        QVERIFY(wait_tiles(*w, 4));

        // The checked tiles only; every shown item when none is checked.
        for (bool checked : {true, false}) {
            w->tile(1)->set_checked(checked);
            w->tile(3)->set_checked(checked);
            button->click();
            QVERIFY(w->survey_dialog());
            QCOMPARE(w->survey_dialog()->survey().items, checked ? 2 : 4);
            w->survey_dialog()->close();
            QVERIFY(QTest::qWaitFor([&] { return !w->survey_dialog(); }));
        }

        // A search result spans datasets: no survey button.
        w->tool_bar()->search_btn()->click();
        QVERIFY(QTest::qWaitFor([&] { return w->in_search_mode(); }));
        QVERIFY(!button->isVisibleTo(w.get()));
    }

    // The row's values follow from the stored item (checked with the
    // dialog); here the window's part: the double-clicked row's item opens,
    // its Apply reaches the survey and the browser's copy of the item.
    void detail_view_apply_refreshes_the_row() {
        add_dataset("leaks", 3, true);
        auto w = start_viewer();
        QVERIFY(click_dataset(*w, 0));
        QVERIFY(wait_tiles(*w, 3));
        survey_action(*w)->trigger();
        leak_survey_widget* s = w->survey_dialog();
        QVERIFY(s);
        // The cheapest leak, opened from the table sorted by cost.
        s->table()->sortByColumn(leak_survey_model::col_cost, Qt::DescendingOrder);
        const QString name = cell(s, 2, leak_survey_model::col_name);
        const QRect r = s->table()->visualRect(s->table()->model()->index(2, 0));
        QTest::mouseClick(s->table()->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(s->table()->viewport(), Qt::LeftButton, {}, r.center());
        data_detail_widget* detail = top_level<data_detail_widget>();
        QVERIFY(detail);
        QCOMPARE(detail->index(), 2);
        QCOMPARE(detail->list_size(), 3);
        const std::wstring dir = detail->record().data_dir;

        detail->distance_box()->setValue(30.0);
        detail->apply_button()->click();
        QVERIFY(msg_boxes().isEmpty());
        const QModelIndexList rows = s->table()->model()->match(
            s->table()->model()->index(0, leak_survey_model::col_name), Qt::DisplayRole, name);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(cell(s, rows[0].row(), leak_survey_model::col_distance), QString("30.0"));
        const auto item = std::find_if(w->items().begin(), w->items().end(),
                                       [&](const data_info& d) { return d.data_dir == dir; });
        QVERIFY(item != w->items().end() && std::abs(item->distance - 30.0) < 1e-9);
        detail->close();
        QVERIFY(QTest::qWaitFor([] { return !top_level<data_detail_widget>(); }));
        s->close();
    }
};

QTEST_MAIN(tst_mainwindow_survey)
#include "tst_mainwindow_survey.moc"
