// Not a test: walks the device features of the real main window against a
// real halvix-device-sim on 127.0.0.21 and saves each dialog as a PNG for a
// look by eye. Usage: device_shots SAMPLE_DIR OUT_DIR [en|zh]
#include "shots.h"

#include "platform/fs_ops.h"
#include "ui/device/dev_search_box.h"
#include "ui/device/dev_sync_time_box.h"
#include "ui/device/import_operate_widget.h"
#include "ui/dir_setting_widget.h"

#include <QComboBox>
#include <QMenu>
#include <QProgressBar>

using namespace ui_test;
using namespace shots;

namespace {
int sim_box(import_operate_widget* w) {
    for (int i = 0; w->device_box(i); ++i)
        if (w->device_box(i)->host() == "127.0.0.21")
            return i;
    return 0;
}

// Connects the wizard to the simulator and waits for the camera's data sets.
void connect_wizard(import_operate_widget* wizard, bool shots) {
    wizard->device_box(sim_box(wizard))->on_connect_btn_clicked();
    if (shots)
        save(wizard, "06_wizard_connecting");
    (void)QTest::qWaitFor([&] { return wizard->next_button()->isEnabled(); }, 10000);
    if (shots)
        save(wizard, "07_wizard_connected");
    wizard->go_next();
    (void)QTest::qWaitFor([&] { return wizard->data_choice_list()->count() == 2; }, 10000);
}

bool start_sim(QProcess& p, const QString& root, const QStringList& extra) {
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(HALVIX_DEVICE_SIM_PATH,
            QStringList{"--root", root, "--bind", "127.0.0.21", "--time", "2023-05-06 07:08:09"} +
                extra);
    QByteArray out;
    return p.waitForStarted() &&
           QTest::qWaitFor([&] { return (out += p.readAllStandardOutput()).contains("serving"); },
                           5000);
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QString samples = QString::fromLocal8Bit(argv[1]);
    out_dir = QString::fromLocal8Bit(argv[2]);
    QTranslator translator;
    if (argc > 3 && QByteArray(argv[3]) == "zh")
        use_chinese(translator);
    QTemporaryDir tmp;
    use_private_data_location(tmp);
    app_cfg.device_search_ranges = "127.0.0.0/24";
    const QString camera = tmp.path() + "/camera";
    platform::fs_copy(samples.toStdString(), (camera + "/巡检 一号").toStdString());
    platform::fs_copy(samples.toStdString(), (camera + "/Substation B").toStdString());
    QProcess sim;
    if (!start_sim(sim, camera, {"--file-delay", "120"})) {
        std::printf("the simulator did not start\n");
        return 1;
    }

    auto w = start_viewer();
    w->resize(1280, 800);
    w->context_menu()->popup(w->mapToGlobal(QPoint(400, 300)));
    save(w->context_menu(), "01_context_menu");
    w->context_menu()->hide();

    w->navigation_bar_setting_btn_action_search_trigger();
    auto* search = top_level<dev_search_box>();
    save(search, "02_search_running");
    (void)QTest::qWaitFor([&] { return !search->searching(); }, 10000);
    QTest::qWait(2500); // a status poll
    save(search, "03_search_found");
    search->close();

    w->on_import_data_btn_clicked();
    auto* wizard = top_level<import_operate_widget>();
    save(wizard, "04_wizard_step0");
    wizard->device_combo()->showPopup();
    wizard->input_item_mouse_enter(sim_box(wizard));
    QTest::qWait(100);
    if (QWidget* popup = wizard->device_combo()->view()->window())
        save(popup, "05_wizard_device_popup");
    connect_wizard(wizard, true);
    wizard->data_check_box(0)->setChecked(true);
    wizard->name_edit()->setText("Inspection 2024-03");
    save(wizard, "08_wizard_step1");
    QTimer::singleShot(300, [&] {
        if (auto* d = top_level<set_default_export_path_widget>()) {
            save(d, "09_save_path_asked");
            d->line_edit()->setText(tmp.path() + "/save");
            d->on_ok_clicked();
        }
    });
    wizard->go_next();
    (void)QTest::qWaitFor([&] { return wizard->progress_bar()->value() >= 30; }, 10000);
    save(wizard, "10_wizard_progress");
    (void)QTest::qWaitFor([&] { return wizard->step() == 3; }, 30000);
    save(wizard, "11_wizard_done");
    wizard->go_next();
    click_dataset(*w, 0);
    QTest::qWait(300);
    save(w.get(), "12_browser_after_import");

    // A camera that goes away mid-transfer.
    w->on_import_data_btn_clicked();
    wizard = top_level<import_operate_widget>();
    connect_wizard(wizard, false);
    wizard->on_select_all_btn_clicked();
    wizard->name_edit()->setText("Both sets");
    wizard->go_next();
    (void)QTest::qWaitFor([&] { return wizard->progress_bar()->value() >= 50; }, 10000);
    sim.kill();
    sim.waitForFinished();
    save_box("13_import_failed_box", 30000);
    save(wizard, "14_wizard_failed");
    wizard->go_next();

    QProcess sim2;
    start_sim(sim2, camera, {"--firmware-limit", "1000000000"});
    w->navigation_bar_setting_btn_action_time_sync_trigger();
    auto* sync = top_level<dev_sync_time_box>();
    QTest::qWait(2500);
    save(sync, "15_sync_before");
    sync->on_ok_clicked();
    (void)QTest::qWaitFor([&] { return sync->ok_button()->isEnabled(); }, 10000);
    QTest::qWait(1200);
    save(sync, "16_sync_after");
    sync->on_close_clicked();

    const QString fw = tmp.path() + "/firmware_v2.dat";
    QFile f(fw);
    f.open(QIODevice::WriteOnly);
    f.write(QByteArray("HVXFW001V2.0.0\0\0\0\0\0\0\0\0\0\0", 24) + QByteArray(400 << 20, 'f'));
    f.close();
    w->set_firmware_file_chooser([fw](const QString&) { return fw; });
    w->navigation_bar_setting_btn_action_search_trigger();
    search = top_level<dev_search_box>();
    (void)QTest::qWaitFor([&] { return !search->searching(); }, 10000);
    for (QPushButton* b : search->list()->findChildren<QPushButton*>("upgrade"))
        if (search->devices()[size_t(b->property("index").toInt())].ip == "127.0.0.21")
            b->click();
    QTest::qWait(150);
    save(top_level<device_update_progress_widget>(), "17_upgrade_progress");
    save_box("18_upgrade_done", 60000);
    QTest::qWait(2500);
    save(search, "19_search_new_version");
    search->close();

    w.reset();
    sim2.terminate();
    sim2.waitForFinished();
    return 0;
}
