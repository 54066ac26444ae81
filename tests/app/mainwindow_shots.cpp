// Not a test: renders the main window and its dialogs to PNG files for a
// look by eye. Usage: mainwindow_shots SAMPLE_DIR OUT_DIR (the packaging's
// screenshots are two of these files: keep their names).
#include "viewer_fixture.h"

#include "ui/data_rename_wodget.h"
#include "ui/data_tool_bar.h"
#include "ui/detail/data_detail_widget.h"
#include "ui/kit/t_orn_msg_box.h"
#include "ui/kit/task_progress_widget.h"
#include "ui/lang_setting_widget.h"
#include "ui/preview_item_widget.h"

#include <QCheckBox>
#include <cstdio>

using namespace ui_test;

namespace {
void save(QWidget* w, const QString& path) {
    if (!w)
        return;
    QApplication::processEvents();
    w->grab().save(path);
    std::printf("%s\n", qPrintable(path));
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QString out = QString::fromLocal8Bit(argv[2]);
    QTemporaryDir tmp;
    use_private_data_location(tmp);
    auto w = start_viewer();
    w->resize(1400, 860);
    save(w.get(), out + "/01_empty.png");

    w->start_import_local_data({QString::fromLocal8Bit(argv[1]).toStdWString()});
    QTest::qWait(100);
    save(top_level<task_progress_widget>(), out + "/02_progress.png");
    if (!QTest::qWaitFor([] { return !msg_boxes().isEmpty(); }, 60000))
        return 1;
    save(msg_boxes().first(), out + "/03_import_done.png");
    answer_msg_boxes();
    click_dataset(*w, 0);
    QTest::qWait(300);
    save(w.get(), out + "/04_browser.png");
    w->tool_bar()->select_all_box()->setChecked(true);
    save(w.get(), out + "/05_select_all.png");
    w->tool_bar()->select_all_box()->setChecked(false);
    w->tool_bar()->set_app_type(2); // every filter, on a small screen
    w->resize(1366, 768);
    save(w.get(), out + "/05c_all_filters_1366.png");
    w->resize(1400, 860);
    w->tool_bar()->set_app_type(0);

    w->dataset_list()->list_widget()->setCurrentRow(0);
    w->dataset_list()->list_widget_rename(false);
    save(top_level<data_rename_wodget>(), out + "/06_rename.png");
    close_dialogs();
    w->lang_action_triggered(false);
    save(top_level<lang_setting_widget>(), out + "/09_language.png");
    close_dialogs();
    if (preview_item_widget* t = w->tile(0)) {
        t->open_detail();
        QTest::qWait(1500);
        save(top_level<data_detail_widget>(), out + "/10_detail.png");
    }
    close_dialogs();
    return 0;
}
