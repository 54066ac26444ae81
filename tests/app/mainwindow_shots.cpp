// Not a test: renders the main window and its dialogs to PNG files for a
// look by eye, and with REPORT_DIR makes a report of every second item
// through the window's dialogs (in Chinese with "zh").
// Usage: mainwindow_shots SAMPLE_DIR OUT_DIR [REPORT_DIR [zh]] (the
// packaging's screenshots are two of these files: keep their names).
#include "shots.h"

#include "ui/data_rename_wodget.h"
#include "ui/dir_setting_widget.h"
#include "ui/lang_setting_widget.h"
#include "ui/report/report_info_widget.h"
#include "ui/survey/leak_survey_model.h"
#include "ui/survey/leak_survey_widget.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QScreen>
#include <QTableView>
#include <QTextEdit>

using namespace ui_test;
using namespace shots;

namespace {
// The whole screen as it stands (on a real display server: the window's
// place and size on it), with the window's frame geometry.
void save_screen(QWidget* w, const QString& name) {
    QTest::qWait(200);
    QScreen* s = w->screen();
    if (!s || QGuiApplication::platformName() == QLatin1String("offscreen"))
        return;
    const QString path = out_dir + "/" + name + ".png";
    s->grabWindow(0).save(path);
    const QRect g = w->frameGeometry();
    const QRect a = s->availableGeometry();
    std::printf("%s window %d,%d %dx%d on %dx%d\n", qPrintable(path), g.x(), g.y(), g.width(),
                g.height(), a.width(), a.height());
}
// The context menu of target, opened at its corner.
void save_menu(QWidget* target, const QString& name) {
    QTimer::singleShot(300, [name] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            save(popup, name);
            popup->close();
        }
    });
    QContextMenuEvent menu_event(QContextMenuEvent::Mouse, QPoint(20, 20));
    QCoreApplication::sendEvent(target, &menu_event);
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    out_dir = QString::fromLocal8Bit(argv[2]);
    QTemporaryDir tmp;
    use_private_data_location(tmp);
    QTranslator translator;
    const bool zh = argc > 4 && QByteArray(argv[4]) == "zh";
    if (zh)
        use_chinese(translator);
    if (argc > 3)
        app_cfg.report_root = QString::fromLocal8Bit(argv[3]).toStdWString();
    auto w = start_viewer();
    save_screen(w.get(), "00_start_screen");
    // The same picture size on every screen that has room for it; a smaller
    // screen shows the window as the program sizes it.
    const QSize room = w->screen() ? w->screen()->availableSize() : QSize();
    const bool fixed_size = room.width() >= 1400 && room.height() >= 860;
    auto size_to = [&](int width, int height) {
        if (fixed_size)
            w->resize(width, height);
    };
    size_to(1400, 860);
    save(w.get(), "01_empty");

    w->start_import_local_data({QString::fromLocal8Bit(argv[1]).toStdWString()});
    QTest::qWait(100);
    save(top_level<task_progress_widget>(), "02_progress");
    if (!save_box("03_import_done", 60000))
        return 1;
    click_dataset(*w, 0);
    QTest::qWait(300);
    save(w.get(), "04_browser");
    save_screen(w.get(), "04_browser_screen");
    if (preview_item_widget* t = w->tile(0))
        save_menu(t, "04m_tile_menu");
    save_menu(w->dataset_list()->list_widget()->viewport(), "04n_dataset_menu");
    w->tool_bar()->select_all_box()->setChecked(true);
    save(w.get(), "05_select_all");
    w->tool_bar()->select_all_box()->setChecked(false);
    w->tool_bar()->set_app_type(2); // every filter, on a small screen
    size_to(1366, 768);
    save(w.get(), "05c_all_filters_1366");
    save_screen(w.get(), "05c_all_filters_screen");
    size_to(1400, 860);
    w->tool_bar()->set_app_type(0);

    w->dataset_list()->list_widget()->setCurrentRow(0);
    w->dataset_list()->list_widget_rename(false);
    save(top_level<data_rename_wodget>(), "06_rename");
    close_dialogs();
    w->lang_action_triggered(false);
    save(top_level<lang_setting_widget>(), "09_language");
    close_dialogs();
    if (preview_item_widget* t = w->tile(0)) {
        t->open_detail();
        QTest::qWait(1500);
        save(top_level<data_detail_widget>(), "10_detail");
    }
    close_dialogs();

    // The leak survey from the dataset list, sorted by cost with two clicks
    // on its heading, and with REPORT_DIR its CSV and Word document.
    w->dataset_list()->list_widget()->setCurrentRow(0);
    w->dataset_list()->list_widget_leak_survey(false);
    if (leak_survey_widget* s = top_level<leak_survey_widget>()) {
        save(s, "15_survey");
        QHeaderView* header = s->table()->horizontalHeader();
        const int col = leak_survey_model::col_cost;
        const QPoint at(header->sectionViewportPosition(col) + header->sectionSize(col) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
        save(s, "16_survey_by_cost");
        if (argc > 3) {
            const QString dir = QString::fromLocal8Bit(argv[3]);
            QDir().mkpath(dir);
            s->export_csv((dir + "/" + s->suggested_file_name("csv")).toStdWString());
            save_box("17_survey_csv", 0);
            Q_EMIT s->export_report_requested(
                (dir + "/" + s->suggested_file_name("docx")).toStdWString());
            if (!save_box("18_survey_report_done", 60000, false))
                return 1;
        }
        s->close();
    }
    if (argc < 4)
        return 0;

    for (int row = 0; row < w->tile_count(); row += 2)
        w->tile(row)->set_checked(true);
    w->on_gen_report_btn_clicked();
    report_info_widget* info = top_level<report_info_widget>();
    if (!info)
        return 1;
    info->location_edit()->setText(zh ? "北区一号厂房" : "Plant 1, north hall");
    info->worker_edit()->setText(zh ? "王工" : "J. Smith");
    info->weather_edit()->setText(zh ? "晴" : "Sunny");
    info->result_edit()->setPlainText(zh ? "发现两处异常\n复测确认"
                                         : "Two findings\nConfirmed on a second survey");
    save(info, "11_report_info");
    info->on_ok_clicked();
    if (set_report_path_widget* dir = top_level<set_report_path_widget>()) {
        save(dir, "12_report_dir");
        dir->on_ok_clicked();
    }
    bool shot = false;
    QObject::connect(w->worker(), &orn_func_obj::gen_report_progress, w.get(), [&](double v) {
        if (shot || v < 0.3)
            return;
        shot = true;
        // After the dialog has shown the value too.
        QTimer::singleShot(0,
                           [] { save(top_level<report_progress_widget>(), "13_report_progress"); });
    });
    return save_box("14_report_done", 120000, false) ? 0 : 1;
}
