// Data browser: dataset choice, search, filters, page reading, push paging
// and the updates coming back from the detail view.
#include "app/torn_viewer.h"

#include "core/app_log.h"
#include "store/database.h"
#include "ui/data_list_widget.h"
#include "ui/data_tool_bar.h"
#include "ui/preview_item_widget.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>

namespace {
const char* const grid_style_empty =
    ".QListWidget{border:none;background: white;"
    "background-image:url(:/TOrnViewer/Resources/preview_list_background.png);"
    "background-repeat:no-repeat;background-position:center center;}";
const char* const grid_style = ".QListWidget{border:none;background: white;}";
} // namespace

int TOrnViewer::last_page_index(int count) {
    // A result of exactly n pages has no empty page after them.
    return count > 0 ? (count - 1) / page_size : 0;
}

preview_item_widget* TOrnViewer::tile(int row) const {
    QListWidgetItem* item = preview_list_->item(row);
    return item ? qobject_cast<preview_item_widget*>(preview_list_->itemWidget(item)) : nullptr;
}

int TOrnViewer::tile_count() const {
    return preview_list_->count();
}

preview_item_widget* TOrnViewer::tile_of_item(int idx) const {
    return tile(idx - page_idx_ * page_size);
}

void TOrnViewer::clear_tiles() {
    preview_list_->clear();
}

void TOrnViewer::apply_grid_style() {
    preview_list_->setStyleSheet(item_num_ == 0 ? grid_style_empty : grid_style);
}

void TOrnViewer::show_result_first_page(const char* log_format) {
    item_num_ = static_cast<int>(data_info_vector_.size());
    apply_grid_style();
    page_num_max_ = last_page_index(item_num_);
    app_log(log_format, item_num_, page_num_max_);
    Q_EMIT read_local_data(item_num_, 0);
}

void TOrnViewer::data_list_widget_clicked(import_data_info info) {
    app_log("TOrnViewer::data_list_widget_clicked %d", ready_ ? 1 : 0);
    if (!ready_)
        return;
    ready_ = false;
    if (search_mode_) {
        tool_bar_->clear_search_result();
        search_mode_ = false;
    }
    clear_tiles();
    current_dataset_ = info;
    has_dataset_ = true;
    const int app_type = app_type_from_name(info.app_name);
    if (app_type != last_app_type_)
        tool_bar_->uncheck_level_filters();
    last_app_type_ = app_type;
    tool_bar_->set_app_type(app_type);

    data_info_vector_.clear();
    page_idx_ = 0;
    forward_push_ = 0;
    backward_push_ = 0;
    const filter_states s = tool_bar_->states();
    if (app_type == 2)
        data_info_vector_ = data_list_db_select_discharge(info, s.normal, s.check, s.general,
                                                          s.severe, s.critical, s.favorite);
    else
        data_info_vector_ = data_list_db_select(info, s.normal, s.check, s.favorite);
    show_result_first_page("data_list_widget_clicked:%d page_num_max:%d");
    request_gas_leak_check();
}

void TOrnViewer::data_tool_bar_search_result_change(std::vector<data_info>* result) {
    search_mode_ = true;
    search_result_ = result;
    data_list_->clear_current_item();
    clear_tiles();
    data_info_vector_.clear();
    page_idx_ = 0;
    forward_push_ = 0;
    backward_push_ = 0;
    // Taken over rather than copied: a result can hold every item of every
    // dataset, and the tool bar's array is only emptied after this.
    if (result)
        data_info_vector_.swap(*result);
    show_result_first_page("data_tool_bar_search_result_change:%d page_num_max:%d");
    request_gas_leak_check();
}

void TOrnViewer::select_filter_state_changed() {
    if (search_mode_)
        tool_bar_->search_again();
    else if (has_dataset_)
        data_list_widget_clicked(current_dataset_);
}

void TOrnViewer::select_all_state_changed(bool checked) {
    for (int row = 0; row < preview_list_->count(); ++row)
        if (preview_item_widget* t = tile(row))
            t->set_checked(checked);
}

void TOrnViewer::select_reverse_state_changed(bool) {
    // No control drives it.
}

void TOrnViewer::read_one_data_finish(int idx) {
    app_log("TOrnViewer::read_one_data_finish %d", idx);
    // Tiles are built in order; an index that is not the next one of the
    // shown page belongs to a request that a newer result replaced.
    if (idx < 0 || idx >= static_cast<int>(data_info_vector_.size()) ||
        idx - page_idx_ * page_size != preview_list_->count())
        return;
    auto* t = new preview_item_widget(&data_info_vector_, idx, detail_obj_);
    connect(t, &preview_item_widget::data_name_change, this,
            &TOrnViewer::data_detail_data_name_change);
    connect(t, &preview_item_widget::data_time_change, this,
            &TOrnViewer::data_detail_data_time_change);
    connect(t, &preview_item_widget::data_frame_change, this,
            &TOrnViewer::data_detail_data_frame_change);
    connect(t, &preview_item_widget::select_filter_state_changed, this,
            &TOrnViewer::select_filter_state_changed);
    t->setMaximumSize(tile_width, tile_height);
    auto* item = new QListWidgetItem(preview_list_);
    item->setSizeHint(QSize(tile_width, tile_height));
    preview_list_->setItemWidget(item, t);
    if (tool_bar_->select_all_checked())
        t->set_checked(true);
    if (idx % 5 == 0)
        preview_list_->repaint();
}

void TOrnViewer::read_one_page_finish() {
    preview_list_->repaint();
    ready_ = true;
    app_log("read_one_page_finish");
}

void TOrnViewer::preview_list_scroll_value_change(int value) {
    scroll_value_ = value;
    scroll_min_ = preview_list_->verticalScrollBar()->minimum();
    scroll_max_ = preview_list_->verticalScrollBar()->maximum();
}

void TOrnViewer::preview_list_scroll_range_change(int min, int max) {
    scroll_min_ = min;
    scroll_max_ = max;
}

void TOrnViewer::preview_list_scroll_action(int action) {
    if (action == QAbstractSlider::SliderSingleStepAdd)
        push_page(true);
    else if (action == QAbstractSlider::SliderSingleStepSub)
        push_page(false);
}

void TOrnViewer::push_page(bool forward) {
    if (page_num_max_ <= 0)
        return;
    if (scroll_value_ > 0 && scroll_value_ < scroll_max_) {
        forward_push_ = 0;
        backward_push_ = 0;
        return;
    }
    int page = page_idx_;
    if (forward && scroll_value_ >= scroll_max_) {
        if (++forward_push_ > push_threshold)
            page = std::min(page_idx_ + 1, page_num_max_);
    } else if (!forward && scroll_value_ <= 0) {
        if (++backward_push_ > push_threshold)
            page = std::max(page_idx_ - 1, 0);
    }
    if (page == page_idx_)
        return;
    page_idx_ = page;
    forward_push_ = 0;
    backward_push_ = 0;
    clear_tiles();
    Q_EMIT read_local_data(item_num_, page_idx_);
}

void TOrnViewer::data_detail_data_name_change(int idx, std::string) {
    preview_item_widget* t = tile_of_item(idx);
    if (t && idx >= 0 && idx < static_cast<int>(data_info_vector_.size()))
        t->set_name_text(QString::fromStdWString(data_info_vector_[idx].data_name));
}

void TOrnViewer::data_detail_data_time_change(int idx, std::string time) {
    preview_item_widget* t = tile_of_item(idx);
    if (!t)
        return;
    QString text = QString::fromStdString(time);
    if (text.size() > 19)
        text.chop(4);
    t->set_time_text(text);
}

void TOrnViewer::data_detail_data_frame_change(int idx) {
    if (preview_item_widget* t = tile_of_item(idx))
        t->reload_picture();
}
