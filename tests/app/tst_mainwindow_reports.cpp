// "Generate report" in the real window: the four refusals, the whole way
// through the information, directory and progress dialogs to the result
// message twice in a row (each plot drawn once per item both times), and the
// message of an aborted report. "Leak survey": the dataset list's entry and
// the Word document written as a worker task, the tool bar's button that
// follows the shown dataset, and a double-click that opens the detail view
// whose Apply refreshes the survey's row and the browser.
#include "viewer_fixture.h"

#include "report/report_plot_obj.h"
#include "sample_sets.h"
#include "ui/dir_setting_widget.h"
#include "ui/report/report_info_widget.h"
#include "ui/survey/leak_survey_model.h"
#include "ui/survey/leak_survey_widget.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QMenu>
#include <QTableView>

#include <atomic>

using namespace ui_test;

namespace {
QString log_text() {
    QFile f(QString::fromStdWString(log_file_path));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}
} // namespace

class tst_mainwindow_reports : public private_data_test {
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
    void init() {
        private_data_test::init();
        app_cfg.report_root = tmp_->filePath("reports").toStdWString();
        app_cfg.combine_report = true;
    }

    void refusals_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("search mode") << 0 << "Prompt"
                                     << "Data search cannot be used for report generation!";
        QTest::newRow("no document engine")
            << 1 << "Warning"
            << "WORD application failed to load. Report generation will not be possible!";
        QTest::newRow("no items") << 2 << "Warning"
                                  << "Data selection is required for report generation!";
        QTest::newRow("nothing checked")
            << 3 << "Warning"
            << "Please select the data you want to generate a report for!";
    }
    void refusals() {
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(QString, text);
        make_dataset(tmp_->path(), "set", kind == 2 ? 0 : 3);
        auto w = start_viewer();
        if (kind != 2)
            QVERIFY(click_dataset(*w, 0) && wait_tiles(*w, 3));
        if (kind == 0) { // searching, even with items checked
            w->tool_bar()->search_btn()->click();
            QVERIFY(QTest::qWaitFor([&] { return w->in_search_mode() && w->tile_count() == 3; }));
            w->tile(0)->set_checked(true);
        }
        if (kind == 1) {
            w->tile(0)->set_checked(true);
            w->set_word_check_result(-1);
        }
        const QString before = log_text();
        w->on_gen_report_btn_clicked();
        QCOMPARE(msg_box_texts(), (QStringList{title, text}));
        QVERIFY(!top_level<report_info_widget>());
        const QString logged = log_text().mid(before.size());
        QVERIFY(logged.contains("] on_gen_report_btn_clicked\r\n") &&
                !logged.contains("selected:"));
        answer_msg_boxes();
    }

    void two_reports_in_a_row_plot_each_item_once() {
        QCOMPARE(import_generated(tmp_->filePath("Survey"), small_set(3, 2, 7680)), 3);
        auto w = start_viewer();
        QVERIFY(click_dataset(*w, 0) && wait_tiles(*w, 3));
        w->tile(0)->set_checked(true);
        w->tile(2)->set_checked(true);
        // Chart updates and saves, counted on the plot thread.
        std::atomic<int> updates{0}, saves{0};
        report_plot_obj* plot = w->plot_obj();
        connect(plot, &report_plot_obj::update_one_plot, plot, [&] { ++updates; });
        connect(plot, &report_plot_obj::save_report_plot_finish, plot, [&] { ++saves; });

        for (int run = 1; run <= 2; ++run) {
            w->on_gen_report_btn_clicked();
            report_info_widget* info = top_level<report_info_widget>();
            QVERIFY(info && info->windowModality() == Qt::ApplicationModal);
            info->on_ok_clicked();
            set_report_path_widget* dir = top_level<set_report_path_widget>();
            QVERIFY(dir && dir->line_edit()->text() == tmp_->filePath("reports"));
            dir->on_ok_clicked();
            QVERIFY(QTest::qWaitFor([] { return top_level<report_progress_widget>(); }, 5000));
            QVERIFY(QTest::qWaitFor([] { return !msg_boxes().isEmpty(); }, 60000));
            QVERIFY(!top_level<report_progress_widget>());
            QVERIFY(msg_box_texts().contains("Report generation is complete! Click \"Confirm\" "
                                             "to open the report table of contents"));
            answer_msg_boxes(false); // no file manager in a test
            // Each plot once per item, however many reports ran before.
            QCOMPARE(std::make_pair(updates.load(), saves.load()),
                     std::make_pair(2 * 2 * run, 2 * run));
        }
        QCOMPARE(QDir(tmp_->filePath("reports")).entryList({"Survey_*.docx"}).size(), 2);
    }

    void an_aborted_report_says_so() {
        auto w = start_viewer();
        const std::string info =
            "Report generation was aborted. The report holds 2 of 5 data items.";
        w->gen_report_finish(L"/nowhere/Survey.docx", true, info);
        QCOMPARE(msg_box_texts(), (QStringList{"Report generation", QString::fromStdString(info)}));
        answer_msg_boxes(false);
    }
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
        QCOMPARE(std::make_tuple(s->windowModality(), s->survey().items, s->survey().other_items,
                                 s->table()->model()->rowCount()),
                 std::make_tuple(Qt::ApplicationModal, 8, 6, 2));
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

QTEST_MAIN(tst_mainwindow_reports)
#include "tst_mainwindow_reports.moc"
