// Settings dialogs: empty-path refusals, stored and unchanged directories,
// and the language change that ends the program.
#include "ui_test_util.h"

#include "core/app_config.h"
#include "ui/dir_setting_widget.h"
#include "ui/lang_setting_widget.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace ui_test;

class tst_settings : public private_data_test {
    Q_OBJECT
    static QString config_text() {
        QFile f(QString::fromStdWString(config_file_path()));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

private Q_SLOTS:
    void init() {
        private_data_test::init();
        app_cfg = app_config();
    }

    void empty_path_is_refused_by_every_way_out_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("export") << 0;
        QTest::newRow("report") << 1;
    }
    void empty_path_is_refused_by_every_way_out() {
        QFETCH(int, kind);
        QPointer<dir_setting_widget> dlg;
        if (kind == 0)
            dlg = new set_default_export_path_widget();
        else
            dlg = new set_report_path_widget();
        const QString message = kind == 0 ? "The data save directory cannot be empty!"
                                          : "The report generation directory cannot be empty!";
        dlg->show();
        dlg->line_edit()->clear();
        dlg->on_ok_clicked();
        QVERIFY(msg_box_texts().contains(message));
        QCOMPARE(answer_msg_boxes(), 1);
        dlg->on_cancle_clicked();
        QCOMPARE(answer_msg_boxes(), 1);
        dlg->findChild<QPushButton*>("close")->click();
        QCOMPARE(answer_msg_boxes(), 1);
        QVERIFY(!dlg->close()); // any other close is refused too
        QCOMPARE(answer_msg_boxes(), 1);
        QVERIFY(dlg && dlg->isVisible());
        QVERIFY(config_text().isEmpty());

        // Cancel with a path closes without storing.
        dlg->line_edit()->setText("/tmp/somewhere");
        dlg->on_cancle_clicked();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(dlg.isNull());
        QVERIFY(app_cfg.export_root.empty() && app_cfg.report_root.empty());
    }

    void confirm_stores_a_changed_directory_only() {
        app_cfg.report_root = L"/data/reports";
        auto* dlg = new set_report_path_widget();
        dlg->show();
        QCOMPARE(dlg->line_edit()->text(), QString("/data/reports"));
        dlg->on_ok_clicked();
        QVERIFY(config_text().isEmpty());

        auto* dlg2 = new set_report_path_widget();
        dlg2->show();
        dlg2->line_edit()->setText("/data/other reports");
        QSignalSpy ok(dlg2, &dir_setting_widget::msg_ok);
        dlg2->on_ok_clicked();
        QCOMPARE(ok.count(), 1);
        QCOMPARE(app_cfg.report_root, std::wstring(L"/data/other reports"));
        QVERIFY(config_text().contains("/data/other reports"));
    }

    void language_change_asks_for_restart() {
        app_cfg.lang = 0;
        auto* dlg = new lang_setting_widget();
        dlg->show();
        QCOMPARE(dlg->combo()->currentIndex(), 0);
        QSignalSpy change(dlg, &lang_setting_widget::lang_change);
        dlg->on_ok_clicked(); // unchanged: nothing happens
        QCOMPARE(msg_boxes().size(), 0);
        QVERIFY(dlg->isVisible());
        QVERIFY(config_text().isEmpty());

        dlg->combo()->setCurrentIndex(1);
        dlg->on_ok_clicked();
        QCOMPARE(app_cfg.lang, 1);
        QVERIFY(config_text().contains("\"lang_id\":1"));
        QVERIFY(msg_box_texts().contains("Language setting success,please restart the "
                                         "software.Click \"Confirm\" to exit the software."));
        QCOMPARE(change.count(), 0);
        answer_msg_boxes();
        QCOMPARE(change.count(), 1);
    }
};

QTEST_MAIN(tst_settings)
#include "tst_settings.moc"
