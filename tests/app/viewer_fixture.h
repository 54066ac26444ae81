#pragma once
// Starts the real main window on a private data location and answers the
// start-up warning a machine without a document engine shows; with the
// parts of the window every test of it reaches into.

#include "ui_test_util.h"

#include "app/tasks/orn_func_obj.h"
#include "app/torn_viewer.h"
#include "core/app_config.h"
#include "ui/data_list_widget.h"
#include "ui/data_tool_bar.h"
#include "ui/detail/data_detail_widget.h"
#include "ui/kit/t_orn_msg_box.h"
#include "ui/kit/task_progress_widget.h"
#include "ui/preview_item_widget.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace ui_test {

inline std::unique_ptr<TOrnViewer> start_viewer() {
    register_meta_types();
    auto w = std::make_unique<TOrnViewer>();
    answer_msg_boxes();
    return w;
}

// Clicks the dataset list row and waits for the page to be shown.
inline bool click_dataset(TOrnViewer& w, int row) {
    QListWidget* list = w.dataset_list()->list_widget();
    list->setCurrentRow(row);
    w.dataset_list()->list_widget_item_clicked(list->item(row));
    return QTest::qWaitFor([&] { return w.is_ready(); }, 10000);
}

// Waits until the page shows n tiles and the browser is ready again.
inline bool wait_tiles(TOrnViewer& w, int n) {
    return QTest::qWaitFor([&] { return w.tile_count() == n && w.is_ready(); }, 10000);
}

inline int row_of(TOrnViewer& w, const QString& name) {
    QListWidget* list = w.dataset_list()->list_widget();
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text() == name)
            return i;
    return -1;
}

} // namespace ui_test
