// The report task on generated data items, with the real analysis and plot
// objects on their threads (the command line's session): documents read back
// cell by cell in both modes and languages, the template by sign_mode, an
// empty recommendation, items of one name; and, driving the
// task directly, an abort during the wait for pictures, a missing item
// directory and a picture time-out.

#include "../report/docx_reader.h"
#include "ui_test_util.h"

#include "analysis/datafile/data_file.h"
#include "app/tasks/report_session.h"
#include "core/app_config.h"
#include "report/word_automation.h"
#include "sample_sets.h"
#include "store/database.h"

#include <QtTest>

#include <thread>

using namespace ui_test;

namespace {
QString q(const std::wstring& s) {
    return QString::fromStdWString(s);
}
// The item as its files hold it (the database row has no mode).
data_info fresh(data_info d) {
    read_data_item(d);
    return d;
}
} // namespace

class tst_report_task : public private_data_test {
    Q_OBJECT
    import_data_info set_;
    std::vector<data_info> items_; // browser order, newest first; the second is a gas leak

    void configure(bool combine, int lang, const std::wstring& advice) {
        app_cfg.report_root = tmp_->filePath("reports").toStdWString();
        app_cfg.combine_report = combine;
        app_cfg.lang = lang;
        app_cfg.report_test_purpose = 1;
        app_cfg.report_worker = L"J. Smith";
        app_cfg.report_test_advice = advice;
    }

    // The item's cells, from line `at`; plotted: its chart pictures exist.
    void check_item(const std::vector<docx_line>& l, size_t at, const data_info& row, int number,
                    bool plotted = true) {
        const data_info d = fresh(row);
        const bool zh = app_cfg.lang == 1;
        const QString advice = q(app_cfg.report_test_advice);
        QCOMPARE(l.at(at).cells[0], q(set_.name));
        if (d.sign_mode == 2) {
            QCOMPARE(l.at(at + 1).cells[0], QString(zh ? "报告编号：" : "Report number：") +
                                                QString::asprintf("%03d", number));
            QCOMPARE(l.at(at + 9).cell_pictures, std::vector<int>({1, plotted ? 1 : 0}));
            QCOMPARE(l.at(at + 10).cells[0], q(d.data_name));
            QCOMPARE(l.at(at + 21).cells[1], q(test_purpose_text(1)));
            QCOMPARE(l.at(at + 23).cells[1], advice);
            QCOMPARE(l.at(at + 24).cells[1], q(d.data_note));
        } else {
            QCOMPARE(l.at(at + 1).cells, QStringList({zh ? "名称：" : "Name:", q(d.data_name)}));
            QCOMPARE(l.at(at + 9).cell_pictures, std::vector<int>(2, plotted ? 1 : 0));
            QCOMPARE(l.at(at + 13).cells[1], advice); // an empty one leaves the cell alone
            QCOMPARE(l.at(at + 14).cells[1], q(d.data_note));
            QCOMPARE(l.at(at + 15).cells[1], QString("J. Smith"));
        }
    }

private Q_SLOTS:
    void init() {
        private_data_test::init();
        // The third written (index 2) is a gas-leak item.
        QCOMPARE(import_generated(tmp_->filePath("Survey"), small_set(4, 3, 7680)), 4);
        set_ = data_import_db_select_all().at(0);
        items_ = data_list_db_select(set_, false, false, false);
        QCOMPARE(fresh(items_.at(1)).sign_mode, 2);
        word_com_initialize();
        QCOMPARE(reporter_checker(), 0);
    }

    void documents_read_back_data() {
        QTest::addColumn<bool>("combine");
        QTest::addColumn<int>("lang");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("advice");
        QTest::newRow("combined en") << true << 0 << "Survey" << QString("Replace it");
        QTest::newRow("combined zh") << true << 1 << "Survey" << QString();
        QTest::newRow("separate en") << false << 0 << "ABCDEFGHIJ" << QString();
        QTest::newRow("separate zh") << false << 1 << QString(40, 'N') << QString("Fix");
    }
    void documents_read_back() {
        QFETCH(bool, combine);
        QFETCH(int, lang);
        QFETCH(QString, name);
        QFETCH(QString, advice);
        configure(combine, lang, advice.toStdWString());
        set_.name = name.toStdWString();
        report_session session;
        std::vector<double> progress;
        const report_outcome r =
            session.run(items_, set_, [&](double v) { progress.push_back(v); });
        QVERIFY2(r.success && r.info.empty(), r.info.c_str());
        QCOMPARE(std::make_pair(r.items, progress),
                 std::make_pair(4, std::vector<double>({0.25, 0.5, 0.75, 1.0, 1.0})));
        const QDir out(tmp_->filePath("reports"));
        if (combine) {
            // One document named by the data set and the stamp, in the report
            // directory; no template copies left behind.
            QCOMPARE(r.documents, std::vector<std::wstring>({r.target}));
            QCOMPARE(out.entryList(QDir::Files), QStringList(QFileInfo(q(r.target)).fileName()));
            QVERIFY(QFileInfo(q(r.target)).fileName().startsWith(name + "_"));
            docx_reader doc;
            QVERIFY(doc.open(q(r.target)));
            const auto l = doc.lines();
            QCOMPARE(l.size(), size_t(17 + 27 + 17 + 17 + 1));
            for (size_t i = 0, at = 0; i < 4; at += i == 1 ? 27 : 17, ++i)
                check_item(l, at, items_[i], int(i) + 1);
        } else {
            // A sub-directory "name_stamp" with one document per item, named after it.
            const QDir dir(q(r.target));
            QCOMPARE(QFileInfo(q(r.target)).absolutePath(), out.absolutePath());
            QVERIFY(dir.dirName().startsWith(name + "_"));
            QCOMPARE(dir.entryList(QDir::Files).size(), 4);
            for (size_t i = 0; i < 4; ++i) {
                QCOMPARE(q(r.documents.at(i)),
                         dir.filePath(q(fresh(items_[i]).data_name)) + ".docx");
                docx_reader doc;
                QVERIFY(doc.open(q(r.documents[i])));
                check_item(doc.lines(), 0, items_[i], int(i) + 1);
            }
        }
    }

    void items_of_one_name_keep_their_documents() {
        configure(false, 0, L"");
        report_session session;
        const report_outcome r = session.run({items_[0], items_[0]}, set_);
        QVERIFY2(r.success, r.info.c_str());
        const QString name = q(fresh(items_[0]).data_name);
        QCOMPARE(QDir(q(r.target)).entryList(QDir::Files),
                 QStringList({name + " (2).docx", name + ".docx"}));
    }

    void abort_during_the_wait_and_a_missing_directory() {
        configure(true, 0, L"");
        std::vector<data_info> items = items_;
        items[1].data_dir += L"_gone";
        report_plot_sync sync;
        std::atomic<uint8_t> abort{0};
        std::vector<double> progress;
        std::thread aborter;
        int requests = 0;
        report_callbacks cb;
        cb.progress = [&](double v) { progress.push_back(v); };
        cb.request_plots = [&](const data_info&) {
            if (++requests == 1) {
                sync.set_done(); // the first item's pictures come at once
                return;
            }
            // The next item gets none: only the abort can end its wait.
            aborter = std::thread([&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                abort.store(1);
                sync.wake();
            });
        };
        QElapsedTimer t;
        t.start();
        const report_outcome r =
            run_report(items, set_, report_settings_from_config(), abort, sync, cb);
        aborter.join();
        QVERIFY(t.elapsed() < 20000); // far below the 60 s wait
        // The item whose pictures were cut short is left out, the missing one skipped.
        QCOMPARE(std::make_tuple(r.success, r.aborted, r.items, r.skipped),
                 std::make_tuple(true, true, 1, std::vector<std::wstring>({items[1].data_dir})));
        QVERIFY(QString::fromStdString(r.info).contains("aborted. The report holds 1 of 4"));
        QCOMPARE(progress, std::vector<double>({0.25, 1.0})); // none for the skipped item
        docx_reader doc;
        QVERIFY(doc.open(q(r.target)));
        QCOMPARE(doc.lines().size(), size_t(17 + 1));
        check_item(doc.lines(), 0, items[0], 1, false);
    }

    void pictures_that_never_come_time_out() {
        configure(false, 0, L"");
        report_plot_sync sync;
        std::atomic<uint8_t> abort{0};
        const report_outcome r =
            run_report({items_[0]}, set_, report_settings_from_config(), abort, sync, {}, 50);
        QCOMPARE(std::make_tuple(r.success, r.aborted, r.items), std::make_tuple(true, false, 1));
        docx_reader doc;
        QVERIFY(doc.open(q(r.documents.at(0))));
        check_item(doc.lines(), 0, items_[0], 1, false);
    }
};

QTEST_MAIN(tst_report_task)
#include "tst_report_task.moc"
