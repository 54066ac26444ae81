#pragma once
// The program's main window: the dataset list, the data browser (tool bar
// and tile grid with paging), the three background threads with their
// objects, and the orchestration of every long task behind its progress
// dialog. The browser state lives here; the slots are split by concern over
// torn_viewer_browser.cpp, torn_viewer_tasks.cpp, torn_viewer_reports.cpp,
// torn_viewer_survey.cpp and torn_viewer_device.cpp.
// Threading: UI thread only. The item array and the selection are handed to
// the worker by pointer and left unchanged while its modal dialog is open.

#include "analysis/survey/leak_survey.h"
#include "app/tasks/report_task.h"
#include "store/records.h"

#include <QMainWindow>
#include <QPointer>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QListWidget;
class QMenu;
class QThread;
class QTimer;
class data_detail_func_obj;
class data_list_widget;
class data_tool_bar;
class leak_survey_widget;
class orn_func_obj;
class preview_item_widget;
class report_plot_obj;
struct torn_viewer_device_state;
class tool_bar_strip;

class TOrnViewer : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int page_size = 100;
    static constexpr int tile_width = 120;
    static constexpr int tile_height = 126;
    static constexpr int push_threshold = 5;

    explicit TOrnViewer(QWidget* parent = nullptr);
    ~TOrnViewer() override;

    // Index of the last page of a result of `count` items (0 when empty).
    static int last_page_index(int count);

    data_list_widget* dataset_list() const { return data_list_; }
    data_tool_bar* tool_bar() const { return tool_bar_; }
    QListWidget* preview_list() const { return preview_list_; }
    QMenu* context_menu() const { return menu_; }
    orn_func_obj* worker() const { return worker_; }
    data_detail_func_obj* detail_obj() const { return detail_obj_; }
    report_plot_obj* plot_obj() const { return plot_obj_; }
    const std::vector<data_info>& items() const { return data_info_vector_; }
    int item_count() const { return item_num_; }
    int page_index() const { return page_idx_; }
    int page_num_max() const { return page_num_max_; }
    bool is_ready() const { return ready_; }
    bool in_search_mode() const { return search_mode_; }
    int word_check_result() const { return word_ok_; }
    // Tests stand in for a machine without a document engine.
    void set_word_check_result(int result) { word_ok_ = result; }
    // The open leak survey, null when there is none.
    leak_survey_widget* survey_dialog() const;
    // The tile at a grid row, null when there is none.
    preview_item_widget* tile(int row) const;
    int tile_count() const;

    // Device link (torn_viewer_device.cpp).
    const std::vector<search_device_info>& device_list() const;
    const std::vector<device_status_info>& device_status_list() const;
    const search_device_info& connected_device() const;
    const std::string& firmware_path() const;
    // Tests stand in for the file dialog of a firmware upgrade: given the
    // start directory, returns the chosen file (empty: cancelled).
    void set_firmware_file_chooser(std::function<QString(const QString&)> chooser);

Q_SIGNALS:
    void read_device_data(QString hostname, std::string download_root);
    void download_one_data(data_info d);
    void gen_report(std::vector<data_info>* data_info_vector, std::vector<int>* gen_list,
                    import_data_info import_data);
    void delete_data_signal(std::vector<data_info>* data_info_vector, std::vector<int>* delete_list,
                            bool rm);
    void read_local_data(int total_num, int page_num);
    void import_device_data(std::string hostname, std::string data_name,
                            std::vector<std::string> data_list);
    void sync_time_start();
    void check_device_has_data(search_device_info dev);
    void save_report_plot(std::wstring root);
    void update_search_box_dev_vector(std::vector<search_device_info> dev_vec,
                                      std::vector<device_status_info> status_vec);
    void start_update_device(search_device_info d, std::string path);
    void import_local_data(std::vector<std::wstring> root_vec);
    void start_get_device_data_name(search_device_info dev);
    void check_gas_leak_items(int serial, std::vector<std::wstring> data_dirs);
    void gen_survey_report(leak_survey survey, std::wstring path, int lang_id,
                           std::wstring dataset_name);

public Q_SLOTS:
    // Data browser (torn_viewer_browser.cpp).
    void data_list_widget_clicked(import_data_info info);
    void data_tool_bar_search_result_change(std::vector<data_info>* result);
    void select_all_state_changed(bool checked);
    void select_reverse_state_changed(bool checked);
    void select_filter_state_changed();
    void read_one_data_finish(int idx);
    void read_one_page_finish();
    void preview_list_scroll_value_change(int value);
    void preview_list_scroll_range_change(int min, int max);
    void preview_list_scroll_action(int action);
    void data_detail_data_name_change(int idx, std::string name);
    void data_detail_data_time_change(int idx, std::string time);
    void data_detail_data_frame_change(int idx);

    // Worker tasks (torn_viewer_tasks.cpp).
    void on_delete_btn_clicked(bool rm);
    void start_delete_data();
    void abort_delete_data();
    void delete_data_finish(bool success, std::string info, bool delete_dateset_flag);
    void start_import_local_data(std::vector<std::wstring> root_vec);
    void import_local_data_abort();
    void import_local_data_finish(bool success, std::string info);

    // Reports (torn_viewer_reports.cpp).
    void on_gen_report_btn_clicked();
    void start_gen_report();
    void abort_gen_report();
    void gen_report_finish(std::wstring target_root, bool success, std::string info);
    void report_one_new_data(data_info d);
    void report_update_one_plot();
    void save_report_plot_finish();
    void explorer_report_root();

    // Leak survey (torn_viewer_survey.cpp).
    void on_leak_survey_requested(import_data_info info);
    void on_survey_btn_clicked();
    void gas_leak_check_finish(int serial, bool found);
    void survey_open_item(int leak);
    void survey_export_report(std::wstring path);
    void survey_report_finish(std::wstring path, bool success, std::string info);

    // Device entry points (torn_viewer_device.cpp).
    void on_import_data_btn_clicked();
    void read_device_data_number(int num);
    void update_device_finish(bool success, std::string info);
    void navigation_bar_setting_btn_action_save_root_triggr();
    void navigation_bar_setting_btn_action_search_trigger();
    void navigation_bar_setting_btn_action_time_sync_trigger();
    void update_search_device_vector(std::vector<search_device_info> dev_vec);
    void update_device_status(std::vector<device_status_info> status_vec);
    void auto_update_device_msg_ok();
    void auto_update_device_msg_cancle();
    void device_connect(search_device_info dev);
    void start_import_data(std::string hostname, QString data_name,
                           std::vector<std::string> data_list);
    void start_import_device_has_data(QString data_name, std::vector<std::string> data_list);
    void import_data_abort();
    void import_data_finish_refesh_data_list();
    void get_device_data_name();
    void get_device_data_name_cancle();
    void update_device(search_device_info d);
    void update_device_abort();

    // Window (torn_viewer.cpp).
    void lang_action_triggered(bool checked);
    void ui_exit();
    void logical_dots_per_inch_changed(qreal dpi);

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // 0 when documents can be generated (the document engine's check).
    static int word_availability();
    void build_central_widget();
    void start_threads();
    // A window that is not full screen stays inside the available area of
    // its screen: never larger, and centred on it when it would run off
    // (without a window manager nobody else sees to it). Within that it
    // takes the width the tool bar needs to show all of its boxes.
    void keep_on_screen();
    void stop_threads();
    void clear_tiles();
    void apply_grid_style();
    void show_result_first_page(const char* log_format);
    void push_page(bool forward);
    // The tile of an absolute item index when it is on the shown page.
    preview_item_widget* tile_of_item(int idx) const;
    // The report after its directory dialog has closed.
    void run_gen_report();
    // Device link (torn_viewer_device.cpp).
    void init_device_link();
    void add_device_menu_actions();
    void stop_device_link();
    torn_viewer_device_state& device_state();
    void start_device_search();
    void poll_device_status();
    // The survey's connections to the dataset list, tool bar and worker.
    void connect_survey();
    // Opens the survey of items (database rows) of a dataset.
    void open_leak_survey(const import_data_info& dataset, std::vector<data_info> items);
    // Asks the worker whether the shown items include gas leaks.
    void request_gas_leak_check();
    // A survey item's Apply: the browser's copy of it follows.
    void survey_item_applied(const data_info& row);

    data_list_widget* data_list_ = nullptr;
    data_tool_bar* tool_bar_ = nullptr;
    QListWidget* preview_list_ = nullptr;
    QMenu* menu_ = nullptr;
    QTimer* screen_fit_timer_ = nullptr; // coalesces keep_on_screen()
    tool_bar_strip* tool_bar_strip_ = nullptr;

    QThread* worker_thread_ = nullptr;
    QThread* analysis_thread_ = nullptr;
    orn_func_obj* worker_ = nullptr;
    data_detail_func_obj* detail_obj_ = nullptr;
    QThread* plot_thread_ = nullptr;
    report_plot_obj* plot_obj_ = nullptr;
    report_plot_handshake report_handshake_;
    // Analysis-to-plot connections, made for one report only.
    std::vector<QMetaObject::Connection> report_connections_;

    int word_ok_ = -1;         // 0 when documents can be generated
    std::wstring report_root_; // last generated report

    // Browser state.
    std::vector<data_info> data_info_vector_;
    int item_num_ = 0;
    int page_num_max_ = 0;
    int page_idx_ = 0;
    import_data_info current_dataset_;
    bool has_dataset_ = false;
    int last_app_type_ = 3;
    bool search_mode_ = false;
    std::vector<data_info>* search_result_ = nullptr;
    bool ready_ = true;
    std::vector<int> selection_;
    bool delete_rm_ = false;
    // What each delete task still running was handed: its own records, so
    // the item array may change as soon as its dialog has gone (an abort).
    // The worker runs tasks in order; each finish ends the oldest.
    struct delete_job {
        std::vector<data_info> items;
        std::vector<int> selection; // empty: every record of items
    };
    std::deque<delete_job> delete_jobs_;
    int scroll_value_ = 0;
    int scroll_min_ = 0;
    int scroll_max_ = 0;
    int forward_push_ = 0;
    int backward_push_ = 0;

    std::unique_ptr<torn_viewer_device_state> device_;
    // Leak survey.
    QPointer<leak_survey_widget> survey_;
    std::vector<data_info> survey_rows_;   // the rows the open survey was built from
    std::vector<data_info> survey_detail_; // the detail view's list, in table order
    std::vector<int> survey_detail_leaks_; // the leak of each entry of that list
    int leak_check_serial_ = 0;
};
