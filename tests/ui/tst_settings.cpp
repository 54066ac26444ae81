// Settings dialogs: empty-path refusals, stored and unchanged directories,
// the language change that ends the program, and the report information
// dialog (the values confirmed last, also after a restart; Confirm storing
// every field within the limits and starting the report; Cancel and close
// storing nothing).
#include "ui_test_util.h"

#include "core/app_config.h"
#include "ui/dir_setting_widget.h"
#include "ui/lang_setting_widget.h"
#include "ui/report/report_info_widget.h"

#include <QtTest>
#include <QtWidgets>

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
        app_cfg.lang = 0; // English, as the first entry of the language list
        app_cfg.combine_report = false;
    }

    // An empty path is refused by every way out; Cancel with a path stores
    // nothing; Confirm stores a changed directory only.
    void directory_dialogs_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("export") << 0;
        QTest::newRow("report") << 1;
    }
    void directory_dialogs() {
        QFETCH(int, kind);
        std::wstring& root = kind == 0 ? app_cfg.export_root : app_cfg.report_root;
        auto make = [kind]() -> dir_setting_widget* {
            if (kind == 0)
                return new set_default_export_path_widget();
            return new set_report_path_widget();
        };
        QPointer<dir_setting_widget> dlg = make();
        dlg->show();
        dlg->line_edit()->clear();
        dlg->on_ok_clicked();
        QVERIFY(msg_box_texts().contains(kind == 0
                                             ? "The data save directory cannot be empty!"
                                             : "The report generation directory cannot be empty!"));
        QCOMPARE(answer_msg_boxes(), 1);
        dlg->on_cancle_clicked();
        QCOMPARE(answer_msg_boxes(), 1);
        dlg->findChild<QPushButton*>("close")->click();
        QCOMPARE(answer_msg_boxes(), 1);
        QVERIFY(!dlg->close()); // any other close is refused too
        QCOMPARE(answer_msg_boxes(), 1);
        QVERIFY(dlg && dlg->isVisible());

        dlg->line_edit()->setText("/tmp/somewhere");
        dlg->on_cancle_clicked();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(dlg.isNull() && root.empty() && config_text().isEmpty());

        root = L"/data/place";
        dlg = make();
        QCOMPARE(dlg->line_edit()->text(), QString("/data/place"));
        dlg->on_ok_clicked();
        QVERIFY(config_text().isEmpty());
        dlg = make();
        dlg->line_edit()->setText("/data/other place");
        dlg->on_ok_clicked();
        QCOMPARE(root, std::wstring(L"/data/other place"));
        QVERIFY(config_text().contains("/data/other place"));
    }

    void language_change_asks_for_restart() {
        auto* dlg = new lang_setting_widget();
        dlg->show();
        QSignalSpy change(dlg, &lang_setting_widget::lang_change);
        dlg->on_ok_clicked(); // unchanged: nothing happens
        QVERIFY(msg_boxes().isEmpty() && dlg->isVisible() && config_text().isEmpty());

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

    // The values confirmed last are shown; Confirm stores them with the
    // edits (within the limits) and starts the report; a restart reads them.
    void report_information_is_confirmed_and_kept() {
        using edit = QLineEdit* (report_info_widget::*)() const;
        const std::pair<edit, std::wstring app_config::*> texts[] = {
            {&report_info_widget::location_edit, &app_config::report_location},
            {&report_info_widget::condition_edit, &app_config::report_work_condition},
            {&report_info_widget::weather_edit, &app_config::report_weather},
            {&report_info_widget::work_unit_edit, &app_config::report_work_unit},
            {&report_info_widget::department_edit, &app_config::report_department},
            {&report_info_widget::worker_edit, &app_config::report_worker},
            {&report_info_widget::telephone_edit, &app_config::report_telephone_number},
            {&report_info_widget::advice_edit, &app_config::report_test_advice}};
        for (size_t i = 0; i < std::size(texts); ++i)
            app_cfg.*texts[i].second = L"\u503c " + std::to_wstring(i);
        app_cfg.report_test_purpose = 1;
        app_cfg.report_temperature = 21;
        app_cfg.report_humidity = 45;
        app_cfg.report_test_result = L"line one\nline two";
        QPointer<report_info_widget> dlg = new report_info_widget();
        QSignalSpy start(dlg.data(), &report_info_widget::start_gen_report);
        dlg->show();
        for (size_t i = 0; i < std::size(texts); ++i) {
            QLineEdit* e = (dlg->*texts[i].first)();
            QCOMPARE(e->text(), QString::fromStdWString(app_cfg.*texts[i].second));
            e->setText(QString("edited %1").arg(i));
        }
        QCOMPARE(dlg->purpose_box()->currentText(), QString("Spot check"));
        QCOMPARE(QList<double>({dlg->temperature_box()->value(), dlg->humidity_box()->value()}),
                 QList<double>({21, 45}));
        QCOMPARE(dlg->result_edit()->toPlainText(), QString("line one\nline two"));
        QCOMPARE(dlg->combine_box()->currentText(), QString("No"));
        dlg->purpose_box()->setCurrentIndex(0);
        dlg->temperature_box()->setValue(-300); // below absolute zero
        dlg->humidity_box()->setValue(120);
        dlg->result_edit()->setPlainText("a\nb\nc");
        dlg->combine_box()->setCurrentIndex(0);
        dlg->on_ok_clicked();
        QCOMPARE(start.count(), 1);
        QTRY_VERIFY(dlg.isNull());

        app_cfg = app_config(); // a restart
        QCOMPARE(read_config(), 0);
        for (size_t i = 0; i < std::size(texts); ++i)
            QCOMPARE(QString::fromStdWString(app_cfg.*texts[i].second),
                     QString("edited %1").arg(i));
        QCOMPARE(QList<double>({double(app_cfg.report_test_purpose), app_cfg.report_temperature,
                                app_cfg.report_humidity}),
                 QList<double>({0, -273, 100}));
        QCOMPARE(app_cfg.report_test_result, std::wstring(L"a\nb\nc"));
        QVERIFY(app_cfg.combine_report);
        report_info_widget again;
        QCOMPARE(again.combine_box()->currentText(), QString("Yes"));
    }

    void report_information_cancel_and_close_store_nothing_data() {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("cancel") << true;
        QTest::newRow("close") << false;
    }
    void report_information_cancel_and_close_store_nothing() {
        QFETCH(bool, cancel);
        app_cfg.report_location = L"Hall 2";
        QPointer<report_info_widget> dlg = new report_info_widget();
        QSignalSpy start(dlg.data(), &report_info_widget::start_gen_report);
        dlg->show();
        dlg->location_edit()->setText("elsewhere");
        dlg->combine_box()->setCurrentIndex(0);
        cancel ? dlg->on_cancle_clicked() : dlg->on_close_clicked();
        QTRY_VERIFY(dlg.isNull());
        QCOMPARE(start.count(), 0);
        QCOMPARE(app_cfg.report_location, std::wstring(L"Hall 2"));
        QVERIFY(!app_cfg.combine_report);
        QVERIFY(config_text().isEmpty());
    }
};

QTEST_MAIN(tst_settings)
#include "tst_settings.moc"
