// The report information dialog: the values confirmed last (also after a
// restart), the limits of the number boxes, Confirm storing every field and
// starting the report, Cancel and close storing nothing.
#include "ui_test_util.h"

#include "core/app_config.h"
#include "ui/report/report_info_widget.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>

using namespace ui_test;

class tst_report_info : public private_data_test {
    Q_OBJECT

    static QByteArray config_bytes() {
        QFile f(QString::fromStdWString(config_file_path()));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private Q_SLOTS:
    void init() {
        private_data_test::init();
        app_cfg = app_config();
        app_cfg.report_test_purpose = 1;
        app_cfg.report_location = L"Hall 2";
        app_cfg.report_temperature = 21;
        app_cfg.report_humidity = 45;
        app_cfg.report_test_result = L"line one\nline two";
        app_cfg.combine_report = false;
        QCOMPARE(write_config(), 0);
    }

    void confirm_stores_every_field_and_starts() {
        QPointer<report_info_widget> dlg = new report_info_widget();
        QSignalSpy start(dlg.data(), &report_info_widget::start_gen_report);
        dlg->show();
        // The values confirmed last.
        QCOMPARE(dlg->purpose_box()->currentText(), QString("Spot check"));
        QCOMPARE(dlg->location_edit()->text(), QString("Hall 2"));
        QCOMPARE(dlg->temperature_box()->value(), 21.0);
        QCOMPARE(dlg->humidity_box()->value(), 45.0);
        QCOMPARE(dlg->result_edit()->toPlainText(), QString("line one\nline two"));
        QCOMPARE(dlg->combine_box()->currentText(), QString("No"));

        const std::pair<QLineEdit*, std::wstring*> texts[] = {
            {dlg->location_edit(), &app_cfg.report_location},
            {dlg->condition_edit(), &app_cfg.report_work_condition},
            {dlg->weather_edit(), &app_cfg.report_weather},
            {dlg->work_unit_edit(), &app_cfg.report_work_unit},
            {dlg->department_edit(), &app_cfg.report_department},
            {dlg->worker_edit(), &app_cfg.report_worker},
            {dlg->telephone_edit(), &app_cfg.report_telephone_number},
            {dlg->advice_edit(), &app_cfg.report_test_advice}};
        for (size_t i = 0; i < std::size(texts); ++i)
            texts[i].first->setText(QString::fromUtf8("值 %1").arg(i));
        dlg->purpose_box()->setCurrentIndex(0);
        dlg->temperature_box()->setValue(-5);
        dlg->humidity_box()->setValue(80);
        dlg->result_edit()->setPlainText("a\nb\nc\nd");
        dlg->combine_box()->setCurrentIndex(0);
        dlg->on_ok_clicked();
        QCOMPARE(start.count(), 1);
        QTRY_VERIFY(dlg.isNull());

        // After a restart: read back from the file.
        app_cfg = app_config();
        QCOMPARE(read_config(), 0);
        for (size_t i = 0; i < std::size(texts); ++i)
            QCOMPARE(QString::fromStdWString(*texts[i].second), QString::fromUtf8("值 %1").arg(i));
        QCOMPARE(app_cfg.report_test_purpose, 0);
        QCOMPARE(app_cfg.report_temperature, -5.0);
        QCOMPARE(app_cfg.report_humidity, 80.0);
        QCOMPARE(app_cfg.report_test_result, std::wstring(L"a\nb\nc\nd"));
        QVERIFY(app_cfg.combine_report);
        report_info_widget again;
        QCOMPARE(again.location_edit()->text(), QString::fromUtf8("值 0"));
        QCOMPARE(again.combine_box()->currentText(), QString("Yes"));
    }

    void number_limits_data() {
        QTest::addColumn<bool>("temperature");
        QTest::addColumn<double>("typed");
        QTest::addColumn<double>("kept");
        QTest::newRow("below absolute zero") << true << -300.0 << -273.0;
        QTest::newRow("above 200") << true << 250.0 << 200.0;
        QTest::newRow("humidity above 100") << false << 120.0 << 100.0;
        QTest::newRow("negative humidity") << false << -5.0 << 0.0;
    }
    void number_limits() {
        QFETCH(bool, temperature);
        QFETCH(double, typed);
        QFETCH(double, kept);
        report_info_widget dlg;
        QDoubleSpinBox* box = temperature ? dlg.temperature_box() : dlg.humidity_box();
        QCOMPARE(box->decimals(), 0);
        box->setValue(typed);
        QCOMPARE(box->value(), kept);
    }

    void cancel_and_close_store_nothing_data() {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("cancel") << true;
        QTest::newRow("close") << false;
    }
    void cancel_and_close_store_nothing() {
        QFETCH(bool, cancel);
        const QByteArray before = config_bytes();
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
        QCOMPARE(config_bytes(), before);
    }
};

QTEST_MAIN(tst_report_info)
#include "tst_report_info.moc"
