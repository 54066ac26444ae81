#pragma once
// The import wizard: choose and connect a camera, name the new data set and
// choose the camera's data sets, watch the transfer, finish. The main window
// receives its requests through signals and feeds it the camera's data set
// names, the progress and the outcome.
// Reading a camera's data list on connect runs on a thread of its own while
// the wizard shows that it is connecting; its result arrives on the UI
// thread.
// Threading: UI thread only.

#include "store/records.h"
#include "ui/kit/t_orn_widget.h"

#include <QString>

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QStackedWidget;

// One camera in the drop-down: its address and a "connect" button that shows
// while the mouse is over the box.
class import_data_box_widget : public QWidget {
    Q_OBJECT
public:
    import_data_box_widget(const std::string& host, int index, QWidget* parent = nullptr);

    const std::string& host() const { return host_; }
    int index() const { return index_; }
    bool is_connecting() const { return connecting_; }
    QPushButton* connect_button() const { return connect_btn_; }
    // Hover look: grey background, blue separator and the button shown.
    void set_hovered(bool on);

Q_SIGNALS:
    void mouse_enter(int);
    void mouse_leave(int);
    void mouse_down(int);
    void connect_device_index(int, std::vector<std::string>);
    // The data list read started (true) or ended (false).
    void connecting(int index, bool running);

public Q_SLOTS:
    void on_connect_btn_clicked();

protected:
    void enterEvent(QEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void connect_done(int result, std::vector<std::string> list);

    std::string host_;
    int index_;
    bool connecting_ = false;
    bool hovered_ = false;
    QLabel* label_ = nullptr;
    QFrame* line_ = nullptr;
    QPushButton* connect_btn_ = nullptr;
};

class import_operate_widget : public t_orn_widget {
    Q_OBJECT
public:
    static constexpr int step_count = 4;
    static constexpr int normal_row_height = 40;
    static constexpr int hovered_row_height = 80;

    explicit import_operate_widget(const std::vector<search_device_info>& dev_vec,
                                   QWidget* parent = nullptr);

    // "Exporting...%5.1f%%" (or its translation) filled with a percentage.
    static QString progress_text(const QString& format, double percent);

    int step() const { return step_; }
    int select_all_state() const { return select_all_state_; }
    const std::vector<std::string>& device_data_list() const { return device_data_list_; }
    const std::vector<std::string>& dir_name_list() const { return dir_names_; }
    QComboBox* device_combo() const { return combo_; }
    import_data_box_widget* device_box(int i) const;
    QLineEdit* name_edit() const { return name_edit_; }
    QCheckBox* remove_box() const { return remove_box_; }
    QListWidget* data_choice_list() const { return data_list_; }
    QCheckBox* data_check_box(int row) const;
    QProgressBar* progress_bar() const { return bar_; }
    QPushButton* previous_button() const { return previous_; }
    QPushButton* next_button() const { return next_; }
    QPushButton* cancel_button() const { return cancle_; }
    QPushButton* select_all_button() const { return select_all_; }
    QLabel* status_label() const { return status_; }
    QLabel* result_title() const { return done_text_; }
    QLabel* result_detail() const { return done_detail_; }

Q_SIGNALS:
    void start_import_data(std::string hostname, QString data_name,
                           std::vector<std::string> data_list);
    void device_connect(search_device_info dev);
    void import_data_abort();
    void import_data_finish_refesh_data_list();
    void start_import_device_has_data(QString data_name, std::vector<std::string> data_list);
    void get_device_data_name();
    void get_device_data_name_cancle();

public Q_SLOTS:
    void update_device_data_name(std::string dir_name, std::string data_name);
    void on_previous_next_clicked();
    void on_cancle_clicked();
    void input_item_mouse_enter(int idx);
    void input_item_mouse_leave(int idx);
    void input_item_mouse_down(int idx);
    void connect_device_index(int idx, std::vector<std::string> data_list);
    void update_import_progress(double v);
    void import_data_finish(bool success, std::string info);
    void msg_ok_import_data_abort();
    void on_input_remove_device_data_state_changed(int v);
    void on_select_all_btn_clicked();
    void on_data_list_item_checkbox_state_changed(int v);

    // Previous and Next as the buttons call them (tests and keyboard).
    void go_previous();
    void go_next();

protected:
    // While the transfer runs, closing asks to abort instead.
    void closeEvent(QCloseEvent* e) override;

private:
    void build_pages();
    void show_step();
    void move_to(int target, bool forward);
    bool check_name_page(std::vector<std::string>& selection);
    void set_row_height(int idx, int height);
    void device_connecting(int idx, bool running);

    std::vector<search_device_info> devices_;
    int step_ = 0;
    std::vector<std::string> device_data_list_;
    std::vector<std::string> dir_names_;
    int select_all_state_ = 0;
    bool connected_ = false;
    bool abort_requested_ = false;
    bool finished_ok_ = true;
    QString finish_info_;

    QLabel* step_image_ = nullptr;
    QList<QLabel*> step_captions_;
    QStackedWidget* pages_ = nullptr;
    QComboBox* combo_ = nullptr;
    QListWidget* combo_view_ = nullptr;
    QLabel* status_ = nullptr;
    QLineEdit* name_edit_ = nullptr;
    QCheckBox* remove_box_ = nullptr;
    QListWidget* data_list_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QLabel* done_picture_ = nullptr;
    QLabel* done_text_ = nullptr;
    QLabel* done_detail_ = nullptr;
    QPushButton* select_all_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* cancle_ = nullptr;
};
