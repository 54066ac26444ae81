// Not a test: renders the main window and its dialogs to PNG files for a
// look by eye. Usage: mainwindow_shots SAMPLE_DIR OUT_DIR
#include "viewer_fixture.h"

#include "ui/data_rename_wodget.h"
#include "ui/data_tool_bar.h"
#include "ui/dir_setting_widget.h"
#include "ui/kit/t_orn_msg_box.h"
#include "ui/lang_setting_widget.h"
#include "ui/preview_item_widget.h"

#include <QApplication>
#include <QCheckBox>
#include <QPixmap>
#include <QPushButton>
#include <cstdio>

using namespace ui_test;

namespace {
void save(QWidget* w, const QString& path) {
    QApplication::processEvents();
    w->grab().save(path);
    std::printf("%s\n", qPrintable(path));
}
QWidget* top_of(const char* cls) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->inherits(cls))
            return w;
    return nullptr;
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QString samples = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    QTemporaryDir tmp;
    use_private_data_location(tmp);
    auto w = start_viewer();
    w->resize(1400, 860);
    save(w.get(), out + "/01_empty.png");

    w->start_import_local_data({samples.toStdWString()});
    QTest::qWait(100);
    if (QWidget* p = top_of("task_progress_widget"))
        save(p, out + "/02_progress.png");
    QTest::qWaitFor([] { return !msg_boxes().isEmpty(); }, 60000);
    save(msg_boxes().first(), out + "/03_import_done.png");
    answer_msg_boxes();
    click_dataset(*w, 0);
    QTest::qWait(300);
    save(w.get(), out + "/04_browser.png");
    w->tool_bar()->select_all_box()->setChecked(true);
    save(w.get(), out + "/05_select_all.png");
    w->tool_bar()->select_all_box()->setChecked(false);
    w->tool_bar()->set_app_type(2);
    std::printf("tool bar minimum width for every filter: %d, window minimum %d\n",
                w->tool_bar()->minimumSizeHint().width(), w->minimumSizeHint().width());
    save(w.get(), out + "/05b_all_filters.png");
    w->resize(1366, 768);
    save(w.get(), out + "/05c_all_filters_1366.png");
    std::printf("at %d px wide the tool bar is %s (report button %d)\n", w->width(),
                w->tool_bar()->compact() ? "compact" : "full",
                w->tool_bar()->gen_report_btn()->width());
    w->resize(1400, 860);
    w->tool_bar()->set_app_type(0);

    w->dataset_list()->list_widget()->setCurrentRow(0);
    w->dataset_list()->list_widget_rename(false);
    if (QWidget* d = top_of("data_rename_wodget"))
        save(d, out + "/06_rename.png");
    close_dialogs();
    w->on_delete_btn_clicked(true);
    if (!msg_boxes().isEmpty())
        save(msg_boxes().first(), out + "/07_nothing_checked.png");
    answer_msg_boxes();
    auto* report = new set_report_path_widget();
    report->show();
    save(report, out + "/08_report_dir.png");
    report->close();
    auto* lang = new lang_setting_widget();
    lang->show();
    save(lang, out + "/09_language.png");
    lang->close();
    if (preview_item_widget* t = w->tile(0)) {
        t->open_detail();
        QTest::qWait(1500);
        if (QWidget* d = top_of("data_detail_widget"))
            save(d, out + "/10_detail.png");
    }
    close_dialogs();
    return 0;
}
