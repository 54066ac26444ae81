// The device dialogs offscreen: the search box's rows and requests, the
// clock dialog's labels and times, and the import wizard's steps, checks,
// connect off the UI thread, progress and outcome pages.

#include "ui_test_util.h"

#include "core/app_config.h"
#include "core/app_globals.h"
#include "store/database.h"
#include "store/time_util.h"
#include "ui/device/dev_search_box.h"
#include "ui/device/dev_sync_time_box.h"
#include "ui/device/import_operate_widget.h"

#include <QtTest>
#include <QtWidgets>

using namespace ui_test;

namespace {
search_device_info dev(const char* ip) {
    search_device_info d;
    d.ip = ip;
    return d;
}

QStringList row_texts(dev_search_box& box) {
    QStringList out;
    for (int i = 0; i < box.list()->count(); ++i) {
        QWidget* row = box.list()->itemWidget(box.list()->item(i));
        auto* label = qobject_cast<QLabel*>(row);
        if (!label)
            label = row->findChild<QLabel*>(QStringLiteral("row_text"));
        out << label->text();
    }
    return out;
}
} // namespace

class tst_device_dialogs : public QObject {
    Q_OBJECT
    QTemporaryDir home;

    // A wizard connected to its first device and on the naming page.
    std::unique_ptr<import_operate_widget> wizard_on_step_1(const std::vector<std::string>& list) {
        auto w = std::make_unique<import_operate_widget>(
            std::vector<search_device_info>{dev("10.0.0.1"), dev("10.0.0.2")});
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        w->connect_device_index(1, list);
        w->go_next();
        return w;
    }

private slots:
    void initTestCase() {
        register_meta_types();
        use_private_data_location(home);
    }

    void cleanup() {
        answer_msg_boxes();
        close_dialogs();
    }

    void search_box() {
        dev_search_box box({}, {}, "Device search");
        box.setAttribute(Qt::WA_DeleteOnClose, false);
        QCOMPARE(row_texts(box), QStringList{"Searching device!"});
        QSignalSpy search(&box, &dev_search_box::search_device);
        QSignalSpy add(&box, &dev_search_box::add_device);
        box.search_button()->click();
        box.search_button()->click(); // disabled while the first search runs
        QCOMPARE(search.count(), 1);
        box.set_searching(false);
        QVERIFY(row_texts(box).first().startsWith("No device found"));
        box.address_edit()->setText("camera.local");
        box.on_add_btn_clicked();
        QCOMPARE(add.count(), 0);
        QCOMPARE(answer_msg_boxes(), 1);
        box.address_edit()->setText(" 127.0.0.2:45600 ");
        box.on_add_btn_clicked();
        QCOMPARE(add.count(), 1);
        QCOMPARE(add.at(0).at(0).value<std::string>(), std::string("127.0.0.2:45600"));

        // Each device with the version of its own status, and its upgrade button.
        device_status_info s;
        s.ip = "10.0.0.2";
        s.version = "V1.2";
        dev_search_box found({dev("10.0.0.1"), dev("10.0.0.2")}, {s}, "Device search");
        found.setAttribute(Qt::WA_DeleteOnClose, false);
        QCOMPARE(row_texts(found), (QStringList{"Device1: 10.0.0.1", "Device2: 10.0.0.2 V1.2"}));
        QSignalSpy upgrade(&found, &dev_search_box::update_device);
        found.show();
        found.list()->findChildren<QPushButton*>(QStringLiteral("upgrade")).at(1)->click();
        QCOMPARE(upgrade.count(), 1);
        QCOMPARE(upgrade.at(0).at(0).value<search_device_info>().ip, std::string("10.0.0.2"));
        QVERIFY(found.isVisible());
    }

    void sync_box_times() {
        device_status_info s;
        s.ip = "10.0.0.2";
        s.time = "not a time.5";
        s.poll_time = 1000.0;
        QCOMPARE(dev_sync_time_box::device_time_text(s, 1002.5), QString("not a time"));
        // The polled clock moves on with the time since the poll.
        s.time = "2024-01-29 14:28:35.120";
        QCOMPARE(dev_sync_time_box::device_time_text(s, 1002.5), QString("2024-01-29 14:28:37"));
        dev_sync_time_box box({dev("10.0.0.1"), dev("10.0.0.2")});
        box.setAttribute(Qt::WA_DeleteOnClose, false);
        QVERIFY(!box.computer_edit()->text().isEmpty());
        s.poll_time = now_seconds();
        box.update_device_status({s});
        QVERIFY(box.device_edit(0)->text().isEmpty());
        QCOMPARE(box.device_edit(1)->text(), QString("2024-01-29 14:28:35"));
        QSignalSpy sync(&box, &dev_sync_time_box::sync_time);
        box.show();
        box.ok_button()->click();
        QCOMPARE(sync.count(), 1);
        QCOMPARE(sync.at(0).at(0).value<std::vector<search_device_info>>().size(), size_t(2));
        QVERIFY(box.isVisible());
    }

    void wizard_without_devices_cannot_leave_step_0() {
        import_operate_widget w({});
        w.setAttribute(Qt::WA_DeleteOnClose, false);
        QCOMPARE(w.device_combo()->count(), 0);
        QVERIFY(!w.next_button()->isEnabled());
        w.go_next();
        QCOMPARE(w.step(), 0);
        QVERIFY(msg_box_texts().join(' ').contains("No available devices"));
    }

    // The data list is read off the UI thread while the wizard shows that it
    // connects; a camera that is not there is named, and the wizard stays.
    void wizard_connect_that_fails() {
        import_operate_widget w({dev("127.0.0.17:1")});
        w.setAttribute(Qt::WA_DeleteOnClose, false);
        w.device_box(0)->on_connect_btn_clicked();
        QVERIFY(w.device_box(0)->is_connecting());
        QVERIFY(w.status_label()->text().contains("Connecting"));
        QTRY_VERIFY(!w.device_box(0)->is_connecting());
        QVERIFY(msg_box_texts().contains("Device connect fail,please try again!"));
        QVERIFY(!w.next_button()->isEnabled());
    }

    void wizard_name_checks_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("select_all");
        QTest::addColumn<int>("checked_row"); // -1: none
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::addColumn<bool>("names");      // the camera's data set names have arrived
        QTest::newRow("empty") << "" << true << -1 << "The data name cannot be empty!" << true;
        QTest::newRow("only spaces") << "   " << true << -1 << "" << true;
        QTest::newRow("colon") << "a:b" << true << -1
                               << " Illegal characters found in the data name! Please modify it."
                               << true;
        QTest::newRow("dot dot") << ".." << true << -1
                                 << " Illegal characters found in the data name! Please modify it."
                                 << true;
        QTest::newRow("dot and hyphen") << "a.b-c" << false << 1 << "" << true;
        QTest::newRow("existing data set")
            << "existing" << true << -1 << "Data name already exists! Please modify it" << true;
        QTest::newRow("nothing chosen")
            << "fresh" << false << -1 << "Select the data you want to import!" << true;
        // "Select all" takes the device's list even before its names arrive.
        QTest::newRow("select all, no names yet") << "all" << true << -1 << "" << false;
    }

    void wizard_name_checks() {
        QFETCH(QString, name);
        QFETCH(bool, select_all);
        QFETCH(int, checked_row);
        QFETCH(QString, message);
        QFETCH(bool, names);
        if (!data_import_db_name_exists(L"existing"))
            make_dataset(home.path(), "existing", 1);
        auto w = wizard_on_step_1({"b", "a"});
        QCOMPARE(w->step(), 1);
        QCOMPARE(w->device_combo()->currentIndex(), 1);
        if (names) {
            w->update_device_data_name("a", "A (3 data items)");
            w->update_device_data_name("b", "B (1 data items)");
        }
        if (select_all)
            w->on_select_all_btn_clicked();
        if (checked_row >= 0)
            w->data_check_box(checked_row)->setChecked(true);
        w->name_edit()->setText(name);
        QSignalSpy start(w.get(), &import_operate_widget::start_import_data);
        w->go_next();
        if (!message.isEmpty()) {
            QCOMPARE(msg_box_texts().join('|'), "Warning|" + message);
            QCOMPARE(w->step(), 1);
            QCOMPARE(start.count(), 0);
            return;
        }
        QCOMPARE(msg_boxes().size(), 0);
        QCOMPARE(w->step(), 2);
        QCOMPARE(start.count(), 1);
        QCOMPARE(start.at(0).at(0).value<std::string>(), std::string("10.0.0.2"));
        QCOMPARE(start.at(0).at(1).toString(), name);
        // "Select all" takes the whole device list, else the checked rows.
        const std::vector<std::string> want =
            select_all ? std::vector<std::string>{"b", "a"} : std::vector<std::string>{"b"};
        QCOMPARE(start.at(0).at(2).value<std::vector<std::string>>(), want);
    }

    void wizard_going_back_needs_a_new_connect() {
        auto w = wizard_on_step_1({"x"});
        QSignalSpy names(w.get(), &import_operate_widget::get_device_data_name);
        QSignalSpy cancel(w.get(), &import_operate_widget::get_device_data_name_cancle);
        w->go_previous();
        QCOMPARE(w->step(), 0);
        QCOMPARE(cancel.count(), 1);
        QVERIFY(!w->next_button()->isEnabled());
        w->connect_device_index(0, {"x"});
        w->go_next();
        QCOMPARE(names.count(), 1); // asked again on entering the naming page
        QCOMPARE(w->data_choice_list()->count(), 0);
    }

    void wizard_progress_abort_and_outcome_data() {
        QTest::addColumn<bool>("abort");
        QTest::addColumn<bool>("success");
        QTest::addColumn<QString>("title");
        QTest::newRow("succeeded") << false << true << "Data import succeeded";
        QTest::newRow("failed") << false << false << "Data import failed";
        QTest::newRow("aborted") << true << false << "Data import aborted";
    }

    void wizard_progress_abort_and_outcome() {
        QFETCH(bool, abort);
        QFETCH(bool, success);
        QFETCH(QString, title);
        auto w = wizard_on_step_1({"x"});
        w->on_select_all_btn_clicked();
        w->name_edit()->setText("p");
        w->go_next();
        QCOMPARE(w->step(), 2);
        w->update_import_progress(0.5);
        QCOMPARE(w->progress_bar()->value(), 50);
        QCOMPARE(w->progress_bar()->format(), QString("Exporting... 50.0%"));
        QSignalSpy aborted(w.get(), &import_operate_widget::import_data_abort);
        if (abort) {
            w->show();
            w->on_cancle_clicked();
            QVERIFY(msg_box_texts().contains("Confirm abort importing data!"));
            answer_msg_boxes();
            QCOMPARE(aborted.count(), 1);
            QVERIFY(w->isVisible()); // waits for the worker's answer
            QCOMPARE(w->step(), 2);
        }
        w->import_data_finish(success, "4 of 9 data items were stored.");
        if (!success)
            QCOMPARE(msg_box_texts().join('|'),
                     QString("Import data abort|4 of 9 data items were stored."));
        answer_msg_boxes();
        QCOMPARE(w->step(), 3);
        QCOMPARE(w->result_title()->text(), title);
        QCOMPARE(w->result_detail()->text(), QString("4 of 9 data items were stored."));
        QCOMPARE(w->next_button()->text(), QString("Finish"));
        QVERIFY(!w->cancel_button()->isEnabled());
        QSignalSpy refresh(w.get(), &import_operate_widget::import_data_finish_refesh_data_list);
        w->go_next();
        QCOMPARE(refresh.count(), 1);
    }

    void wizard_remove_box_is_stored() {
        app_cfg.export_remove_device_data = false;
        auto w = wizard_on_step_1({"x"});
        QVERIFY(!w->remove_box()->isChecked());
        w->remove_box()->setChecked(true);
        QVERIFY(app_cfg.export_remove_device_data);
        app_cfg.export_remove_device_data = false;
        QCOMPARE(read_config(), 0);
        QVERIFY(app_cfg.export_remove_device_data);
    }
};

QTEST_MAIN(tst_device_dialogs)
#include "tst_device_dialogs.moc"
