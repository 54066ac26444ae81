#pragma once
// Tool bar of the data browser: filter check boxes, "Select all", the
// Delete / Remove / Generate report / Leak survey buttons and the search box.
// Threading: UI thread only.

#include "store/records.h"

#include <QWidget>

#include <vector>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpacerItem;

// Check states of the filter boxes, in the order the database filters take them.
struct filter_states {
    bool normal = false;
    bool check = false; // "Check" / "Attention"
    bool general = false;
    bool severe = false;
    bool critical = false;
    bool favorite = false;
};

class data_tool_bar : public QWidget {
    Q_OBJECT
public:
    explicit data_tool_bar(QWidget* parent = nullptr);

    // Shows, hides and relabels the filter boxes and "Generate report" for
    // the writer type of the shown dataset (3 leaves everything unchanged).
    void set_app_type(int app_type);
    // Shows "Leak survey" (the shown dataset has gas-leak items) or hides it.
    void set_survey_visible(bool visible);
    // Unchecks the five level boxes (not "Favorite") without announcing it.
    void uncheck_level_filters();

    // Checked and shown boxes: a hidden box never filters.
    filter_states states() const;
    bool select_all_checked() const;
    std::vector<data_info>& search_result() { return search_result_; }
    void clear_search_result() { search_result_.clear(); }
    // Runs the search again with the current text and filter states.
    void search_again();

    QCheckBox* select_all_box() const { return select_all_; }
    QCheckBox* normal_box() const { return normal_; }
    QCheckBox* check_box() const { return check_; }
    QCheckBox* general_box() const { return general_; }
    QCheckBox* severe_box() const { return severe_; }
    QCheckBox* critical_box() const { return critical_; }
    QCheckBox* favorite_box() const { return favorite_; }
    QPushButton* delete_btn() const { return delete_btn_; }
    QPushButton* remove_btn() const { return remove_btn_; }
    QPushButton* gen_report_btn() const { return gen_report_btn_; }
    QPushButton* survey_btn() const { return survey_btn_; }
    QPushButton* search_btn() const { return search_btn_; }
    QLineEdit* search_edit() const { return search_edit_; }
    // True while narrower than the full layout: smaller gaps and buttons.
    bool compact() const { return compact_; }
    // The compact layout's width: the bar can shrink that far.
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void gen_report_btn_clicked();
    void survey_btn_clicked();
    void delete_btn_clicked(bool rm);
    void select_reverse_state_changed(bool checked);
    void select_all_state_changed(bool checked);
    void select_normal_state_changed(bool checked);
    void select_check_state_changed(bool checked);
    void select_filter_state_changed();
    void search_result_change(std::vector<data_info>* result);

private Q_SLOTS:
    void on_search_btn_clicked();
    void on_search_editing_finished();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    QCheckBox* make_filter_box(const QString& text);
    void run_search();
    void set_compact(bool on);
    // Measures the full and compact layouts for the boxes now shown.
    void measure_widths();

    QCheckBox* select_all_ = nullptr;
    QCheckBox* normal_ = nullptr;
    QCheckBox* check_ = nullptr;
    QCheckBox* general_ = nullptr;
    QCheckBox* severe_ = nullptr;
    QCheckBox* critical_ = nullptr;
    QCheckBox* favorite_ = nullptr;
    QPushButton* delete_btn_ = nullptr;
    QPushButton* remove_btn_ = nullptr;
    QPushButton* gen_report_btn_ = nullptr;
    QPushButton* survey_btn_ = nullptr;
    QLineEdit* search_edit_ = nullptr;
    QPushButton* search_btn_ = nullptr;
    std::vector<data_info> search_result_;
    QSpacerItem* leading_ = nullptr;
    QSpacerItem* middle_ = nullptr;
    QSpacerItem* trailing_ = nullptr;
    int full_min_width_ = 0;
    int compact_min_width_ = 0;
    bool compact_ = false;
};
