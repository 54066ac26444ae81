// The main window's device side with a camera simulated on 127.0.0.18: a
// search that finds and remembers the camera, an import through the wizard
// that ends in the dataset list, clock synchronisation, and the firmware
// upgrade flow.

#include "viewer_fixture.h"

#include "device/device_search.h"
#include "platform/fs_ops.h"
#include "tools/devicesim/device_sim.h"
#include "ui/device/dev_search_box.h"
#include "ui/device/dev_sync_time_box.h"
#include "ui/device/import_operate_widget.h"

using namespace ui_test;

class tst_mainwindow_device : public QObject {
    Q_OBJECT
    QTemporaryDir home;
    QTemporaryDir camera_root;
    QTemporaryDir save;
    std::unique_ptr<device_sim> camera;
    std::unique_ptr<TOrnViewer> w;

    // The camera as the search finds it, alone in the list: each case runs
    // without the search before it.
    void use_the_camera() {
        search_device_info d;
        d.ip = "127.0.0.18";
        d.name = "HVX40-MAIN";
        w->update_search_device_vector({d});
    }

private slots:
    void initTestCase() {
        use_private_data_location(home);
        app_cfg.device_search_ranges = "127.0.0.0/24"; // never beyond loopback
        app_cfg.export_root = save.path().toStdWString();
        QCOMPARE(platform::fs_copy(HALVIX_SAMPLES_DIR "/basic",
                                   (camera_root.path() + "/现场 一").toStdString()),
                 0);
        device_sim_options o;
        o.root = camera_root.path().toStdString();
        o.bind = "127.0.0.18";
        o.sn = "HVX40-MAIN";
        camera = std::make_unique<device_sim>(o);
        if (camera->start() != 0)
            QSKIP("port 45600 of 127.0.0.18 is taken on this machine");
        w = start_viewer();
    }

    void cleanupTestCase() {
        close_dialogs();
        w.reset();
    }

    void clock_dialog_needs_a_device() {
        w->update_search_device_vector({});
        w->navigation_bar_setting_btn_action_time_sync_trigger();
        QCOMPARE(msg_box_texts().join('|'),
                 QString("Synchronize the computer system time to the device|No synchronized "
                         "device found! Please try again later."));
        answer_msg_boxes();
        QVERIFY(!top_level<dev_sync_time_box>());
    }

    void search_finds_and_remembers_the_camera() {
        w->update_search_device_vector({});
        w->navigation_bar_setting_btn_action_search_trigger();
        auto* box = top_level<dev_search_box>();
        QVERIFY(box);
        QTRY_VERIFY_WITH_TIMEOUT(!box->searching(), 10000);
        bool found = false; // and every device found is remembered
        for (const auto& d : w->device_list())
            found = found || (d.ip == "127.0.0.18" && d.name == "HVX40-MAIN");
        std::vector<search_device_info> known;
        QVERIFY(found && read_known_devices(known) == 0 && known.size() == w->device_list().size());
        // The version shows beside the device.
        QStringList rows;
        for (QLabel* l : box->list()->findChildren<QLabel*>(QStringLiteral("row_text")))
            rows << l->text();
        QVERIFY2(!rows.filter(QRegularExpression("127\\.0\\.0\\.18 V[0-9.]+$")).isEmpty(),
                 qPrintable(rows.join('|')));
        box->close();
    }

    void import_through_the_wizard_ends_in_the_dataset_list() {
        use_the_camera();
        w->on_import_data_btn_clicked();
        auto* wizard = top_level<import_operate_widget>();
        QVERIFY(wizard);
        wizard->device_box(0)->on_connect_btn_clicked();
        QTRY_VERIFY_WITH_TIMEOUT(wizard->next_button()->isEnabled(), 10000);
        QCOMPARE(w->connected_device().ip, std::string("127.0.0.18"));
        wizard->go_next();
        // The camera's data sets arrive from the device thread.
        QTRY_COMPARE_WITH_TIMEOUT(wizard->data_choice_list()->count(), 1, 10000);
        QCOMPARE(wizard->dir_name_list(), std::vector<std::string>{"现场 一"});
        wizard->data_check_box(0)->setChecked(true);
        wizard->name_edit()->setText("相机 导入");
        wizard->go_next();
        QCOMPARE(wizard->step(), 2);
        QTRY_COMPARE_WITH_TIMEOUT(wizard->step(), 3, 30000);
        QCOMPARE(wizard->result_title()->text(), QString("Data import succeeded"));
        wizard->go_next();
        QTRY_VERIFY(!top_level<import_operate_widget>());
        const int row = row_of(*w, "相机 导入");
        QVERIFY(row >= 0 && click_dataset(*w, row));
        QCOMPARE(w->item_count(), 6);
    }

    void clock_sync_moves_the_camera_clock() {
        use_the_camera();
        w->navigation_bar_setting_btn_action_time_sync_trigger();
        auto* box = top_level<dev_sync_time_box>();
        QVERIFY(box);
        QTRY_VERIFY_WITH_TIMEOUT(!box->device_edit(0)->text().isEmpty(), 10000);
        box->on_ok_clicked();
        QTRY_VERIFY_WITH_TIMEOUT(box->ok_button()->isEnabled(), 10000);
        QVERIFY(box->result_label()->text().contains("synchronized") &&
                qAbs(camera->clock_offset_ms()) < 2000);
        box->on_close_clicked();
    }

    void firmware_upgrade_flow() {
        use_the_camera();
        const int before = camera->requests();
        QString asked_in, chosen;
        w->set_firmware_file_chooser([&](const QString& start) {
            asked_in = start;
            return chosen;
        });
        w->update_device(w->device_list().front()); // nothing chosen: nothing sent
        QVERIFY(!top_level<device_update_progress_widget>());
        QCOMPARE(camera->requests(), before);

        QTemporaryDir dir;
        chosen = dir.path() + "/fw_4.dat";
        QFile f(chosen);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("HVXFW001V4.0.0\0\0\0\0\0\0\0\0\0\0", 24) + QByteArray(100000, 'f'));
        f.close();
        w->update_device(w->device_list().front());
        QTRY_VERIFY_WITH_TIMEOUT(msg_box_texts().join(' ').contains("V4.0.0"), 10000);
        QVERIFY(msg_box_texts().contains("Device upgrade"));
        QVERIFY(!top_level<device_update_progress_widget>());
        answer_msg_boxes();
        QCOMPARE(camera->version(), std::string("V4.0.0"));
        // The next upgrade starts in the folder of the last file.
        chosen.clear();
        w->update_device(w->device_list().front());
        QCOMPARE(asked_in, dir.path());
        w->set_firmware_file_chooser([](const QString&) { return QString(); });
    }
};

QTEST_MAIN(tst_mainwindow_device)
#include "tst_mainwindow_device.moc"
