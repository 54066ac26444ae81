// The report task on generated data items, with the real analysis and plot
// objects on their threads (the command line's session): documents read back
// cell by cell in both modes and languages; the template by sign_mode; the
// title size; an empty recommendation; and, driving the task directly, an
// abort during the wait for pictures, a missing item directory and a
// picture time-out.

#include "../report/docx_reader.h"
#include "ui_test_util.h"

#include "analysis/datafile/data_file.h"
#include "app/tasks/local_import.h"
#include "app/tasks/report_session.h"
#include "core/app_config.h"
#include "report/word_automation.h"
#include "store/database.h"
#include "tools/samplegen/sample_gen.h"

#include <QDir>
#include <QElapsedTimer>
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
QStringList docx_files(const QString& dir) {
    return QDir(dir).entryList({"*.docx"}, QDir::Files, QDir::Name);
}
} // namespace

class tst_report_task : public QObject {
    Q_OBJECT
    QTemporaryDir* tmp_ = nullptr;
    import_data_info set_;
    std::vector<data_info> items_; // browser order, newest first

    QString out_dir() const { return tmp_->filePath("reports"); }

    // The header fields of every report of these tests.
    void configure(bool combine, int lang) {
        app_cfg.report_root = out_dir().toStdWString();
        app_cfg.combine_report = combine;
        app_cfg.lang = lang;
        app_cfg.report_test_purpose = 1;
        app_cfg.report_worker = L"J. Smith";
        app_cfg.report_weather = L"Sunny";
        app_cfg.report_test_result = L"Two leaks";
        app_cfg.report_test_advice = L"Replace the gasket";
        app_cfg.report_work_unit = L"East Grid";
    }

    // Where each item of the documents starts, and checks of its cells.
    // plotted: the plots were drawn, so the chart pictures are in place.
    void check_item(const std::vector<docx_line>& l, size_t at, const data_info& row, int number,
                    int lang, bool plotted = true) {
        const bool zh = lang == 1;
        const data_info d = fresh(row);
        if (d.sign_mode == 2) {
            QVERIFY(l.size() >= at + 27);
            QCOMPARE(l[at + 1].cells[0], QString(zh ? "报告编号：" : "Report number：") +
                                             QString::asprintf("%03d", number));
            QCOMPARE(l[at + 3].cells[1], QString("East Grid"));
            QCOMPARE(l[at + 10].cells[0], q(d.data_name));
            QCOMPARE(l[at + 9].cell_pictures, std::vector<int>({1, plotted ? 1 : 0}));
            QCOMPARE(l[at + 21].cells[1], q(test_purpose_text(1)));
            QCOMPARE(l[at + 23].cells[1], q(app_cfg.report_test_advice));
        } else {
            QVERIFY(l.size() >= at + 17);
            QCOMPARE(l[at + 1].cells, QStringList({zh ? "名称：" : "Name:", q(d.data_name)}));
            QCOMPARE(l[at + 4].cells[4], QString("Sunny"));
            QCOMPARE(l[at + 9].cell_pictures, std::vector<int>(2, plotted ? 1 : 0));
            QCOMPARE(l[at + 13].cells[1], q(app_cfg.report_test_advice));
            QCOMPARE(l[at + 15].cells[1], QString("J. Smith"));
        }
        QCOMPARE(l[at].cells[0], q(set_.name));
    }

private Q_SLOTS:
    void init() {
        tmp_ = new QTemporaryDir;
        use_private_data_location(*tmp_);
        sample_options opt;
        opt.items = 4; // the third (index 2) is a gas-leak item
        opt.frames = 3;
        const QString root = tmp_->filePath("Survey");
        QCOMPARE(generate_sample_set(root.toStdWString(), opt), 0);
        std::atomic<uint8_t> no_abort{0};
        QCOMPARE(import_local_roots({root.toStdWString()}, no_abort, {}).inserted_all, 4);
        set_ = data_import_db_select_all().at(0);
        items_ = data_list_db_select(set_, false, false, false);
        QCOMPARE(int(items_.size()), 4);
        word_com_initialize();
        QCOMPARE(reporter_checker(), 0);
    }
    void cleanup() { delete tmp_; }

    void documents_read_back_data() {
        QTest::addColumn<bool>("combine");
        QTest::addColumn<int>("lang");
        QTest::newRow("combined en") << true << 0;
        QTest::newRow("combined zh") << true << 1;
        QTest::newRow("separate en") << false << 0;
        QTest::newRow("separate zh") << false << 1;
    }
    void documents_read_back() {
        QFETCH(bool, combine);
        QFETCH(int, lang);
        configure(combine, lang);
        report_session session;
        std::vector<double> progress;
        const report_outcome r =
            session.run(items_, set_, [&](double v) { progress.push_back(v); });
        QVERIFY2(r.success, r.info.c_str());
        QVERIFY(r.info.empty());
        QCOMPARE(r.items, 4);
        QCOMPARE(progress.back(), 1.0);
        for (const data_info& d : items_) {
            QVERIFY(QFile::exists(q(d.data_dir) + "/report_spectrum.jpg"));
            QVERIFY(QFile::exists(q(d.data_dir) + "/report_prpd.jpg"));
        }
        if (combine) {
            // One document in the report directory, named by the data set and
            // the stamp; no template copies left behind.
            QCOMPARE(int(r.documents.size()), 1);
            QCOMPARE(docx_files(out_dir()), QStringList(QFileInfo(q(r.target)).fileName()));
            QVERIFY(QFileInfo(q(r.target)).fileName().startsWith("Survey_"));
            QVERIFY(!QFile::exists(out_dir() + "/t_general.docx"));
            QVERIFY(!QFile::exists(out_dir() + "/t_leak.docx"));
            docx_reader doc;
            QVERIFY(doc.open(q(r.target)));
            const auto l = doc.lines();
            size_t at = 0;
            for (int i = 0; i < 4; ++i) {
                check_item(l, at, items_[size_t(i)], i + 1, lang);
                at += fresh(items_[size_t(i)]).sign_mode == 2 ? 27 : 17;
            }
            QCOMPARE(l.size(), at + 1); // and the closing caret line
        } else {
            // A sub-directory "name_stamp" of the run with one document per item.
            const QString dir = q(r.target);
            QCOMPARE(QFileInfo(dir).dir().absolutePath(), QDir(out_dir()).absolutePath());
            QVERIFY(QFileInfo(dir).fileName().startsWith("Survey_"));
            QCOMPARE(docx_files(dir).size(), 4);
            QCOMPARE(int(r.documents.size()), 4);
            for (int i = 0; i < 4; ++i) {
                const data_info& d = items_[size_t(i)];
                QCOMPARE(q(r.documents[size_t(i)]), dir + "/" + q(fresh(d).data_name) + ".docx");
                docx_reader doc;
                QVERIFY(doc.open(q(r.documents[size_t(i)])));
                check_item(doc.lines(), 0, d, i + 1, lang);
            }
        }
    }

    void title_size_and_empty_advice_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("half_points");
        QTest::newRow("10 characters") << QString(10, 'A') << 44;
        QTest::newRow("40 characters") << QString(40, 'B') << 16;
    }
    void title_size_and_empty_advice() {
        QFETCH(QString, name);
        QFETCH(int, half_points);
        configure(true, 0);
        app_cfg.report_test_advice.clear();
        set_.name = name.toStdWString();
        report_session session;
        // The gas-leak item first, then a general one.
        const data_info leak = fresh(items_[1]).sign_mode == 2 ? items_[1] : items_[2];
        const report_outcome r = session.run({leak, items_[0]}, set_);
        QVERIFY2(r.success, r.info.c_str());
        docx_reader doc;
        QVERIFY(doc.open(q(r.target)));
        const auto l = doc.lines();
        QCOMPARE(fresh(leak).sign_mode, 2);
        QCOMPARE(l[0].cells[0], name);
        const auto sz = doc.body().first_child().select_node("w:r/w:rPr/w:sz").node();
        QCOMPARE(sz.attribute("w:val").as_int(), half_points);
        QCOMPARE(l[23].cells[1], QString());      // gas-leak recommendation
        QCOMPARE(l[27 + 13].cells[1], QString()); // general recommendation, left untouched
        QCOMPARE(l[27 + 14].cells[1], q(fresh(items_[0]).data_note));
    }

    void abort_during_the_wait_and_a_missing_directory() {
        configure(true, 0);
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
        QCOMPARE(requests, 2);
        QVERIFY(r.success && r.aborted);
        QCOMPARE(r.items, 1); // the item whose pictures were cut short is left out
        QCOMPARE(r.skipped, std::vector<std::wstring>({items[1].data_dir}));
        QVERIFY(QString::fromStdString(r.info).contains("aborted"));
        QVERIFY(QString::fromStdString(r.info).contains("1 of 4"));
        // No progress for the skipped item; the run ends at 1.
        QCOMPARE(progress, std::vector<double>({0.25, 1.0}));
        QVERIFY(log_text().contains("gen_report " + q(items[1].data_dir) + " not exist"));
        docx_reader doc;
        QVERIFY(doc.open(q(r.target)));
        QCOMPARE(doc.lines().size(), size_t(17 + 1));
        check_item(doc.lines(), 0, items[0], 1, 0, false);
    }

    void same_names_and_an_unusable_directory() {
        // Two items of one name: neither document overwrites the other.
        configure(false, 0);
        report_session session;
        report_outcome r = session.run({items_[0], items_[0]}, set_);
        QVERIFY2(r.success, r.info.c_str());
        const QString name = q(fresh(items_[0]).data_name);
        QCOMPARE(docx_files(q(r.target)), QStringList({name + " (2).docx", name + ".docx"}));

        // A report directory that cannot be made: the task says so and
        // writes nothing.
        QFile blocker(tmp_->filePath("file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        app_cfg.report_root = blocker.fileName().toStdWString();
        r = session.run({items_[0]}, set_);
        QVERIFY(!r.success);
        QVERIFY(QString::fromStdString(r.info).startsWith(
            "Failed to create export directory.Error code:"));
        QVERIFY(r.documents.empty());
    }

    void pictures_that_never_come_time_out() {
        configure(false, 0);
        report_plot_sync sync;
        std::atomic<uint8_t> abort{0};
        const report_outcome r =
            run_report({items_[0]}, set_, report_settings_from_config(), abort, sync, {}, 50);
        QVERIFY(r.success && !r.aborted);
        QCOMPARE(r.items, 1);
        QVERIFY(log_text().contains("report_plot timeout"));
    }
};

QTEST_MAIN(tst_report_task)
#include "tst_report_task.moc"
