// "Generate report" in the real window: the four refusals, the whole way
// through the information, directory and progress dialogs to the result
// message twice in a row (each plot drawn once per item both times), and the
// message of an aborted report.
#include "viewer_fixture.h"

#include "core/app_globals.h"
#include "report/report_plot_obj.h"
#include "sample_sets.h"
#include "store/database.h"
#include "ui/dir_setting_widget.h"
#include "ui/report/report_info_widget.h"

#include <QDir>
#include <QFile>

#include <atomic>

using namespace ui_test;

namespace {
QString log_text() {
    QFile f(QString::fromStdWString(log_file_path));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QImage icon_of(t_orn_msg_box* box) {
    return box->findChild<QLabel*>("icon")->pixmap(Qt::ReturnByValue).toImage();
}
} // namespace

class tst_mainwindow_reports : public private_data_test {
    Q_OBJECT

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
        if (kind != 2) {
            QVERIFY(click_dataset(*w, 0));
            QVERIFY(QTest::qWaitFor([&] { return w->tile_count() == 3; }));
        }
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
        QCOMPARE(msg_boxes().size(), 1);
        QVERIFY(msg_box_texts().contains(title));
        QVERIFY(msg_box_texts().contains(text));
        // Every refusal is a warning with a single "Confirm".
        t_orn_msg_box reference(nullptr, "t", "x", t_orn_msg_box::icon_warn, 1);
        QCOMPARE(icon_of(msg_boxes().first()), icon_of(&reference));
        QVERIFY(!msg_boxes().first()->findChild<QPushButton*>("cancle"));
        QVERIFY(!top_level<report_info_widget>());
        const QString logged = log_text().mid(before.size());
        QVERIFY(logged.contains("] on_gen_report_btn_clicked\r\n"));
        QVERIFY(!logged.contains("selected:"));
        answer_msg_boxes();
    }

    void two_reports_in_a_row_plot_each_item_once() {
        QCOMPARE(import_generated(tmp_->filePath("Survey"), small_set(3, 2, 7680)), 3);
        auto w = start_viewer();
        QVERIFY(click_dataset(*w, 0));
        QVERIFY(QTest::qWaitFor([&] { return w->tile_count() == 3; }));
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
            QVERIFY(info);
            QCOMPARE(info->windowModality(), Qt::ApplicationModal);
            info->on_ok_clicked();
            set_report_path_widget* dir = top_level<set_report_path_widget>();
            QVERIFY(dir);
            QCOMPARE(dir->line_edit()->text(), tmp_->filePath("reports"));
            dir->on_ok_clicked();
            QVERIFY(QTest::qWaitFor([] { return top_level<report_progress_widget>(); }, 5000));
            QVERIFY(QTest::qWaitFor([] { return !msg_boxes().isEmpty(); }, 60000));
            QVERIFY(!top_level<report_progress_widget>());
            QVERIFY(msg_box_texts().contains("Report generation is complete! Click \"Confirm\" "
                                             "to open the report table of contents"));
            answer_msg_boxes(false); // no file manager in a test
            // Each plot once per item, however many reports ran before.
            QCOMPARE(updates.load(), 2 * 2 * run);
            QCOMPARE(saves.load(), 2 * run);
        }
        QCOMPARE(QDir(tmp_->filePath("reports")).entryList({"Survey_*.docx"}).size(), 2);
    }

    void an_aborted_report_says_so() {
        auto w = start_viewer();
        const std::string info =
            "Report generation was aborted. The report holds 2 of 5 data items.";
        w->gen_report_finish(L"/nowhere/Survey.docx", true, info);
        QCOMPARE(msg_boxes().size(), 1);
        QVERIFY(msg_box_texts().contains(QString::fromStdString(info)));
        QVERIFY(msg_box_texts().contains("Report generation"));
        answer_msg_boxes(false);
    }
};

QTEST_MAIN(tst_mainwindow_reports)
#include "tst_mainwindow_reports.moc"
