#pragma once
// "Leak survey": a data set's gas leaks in one sortable table with the
// totals row under it, the number of items left out, the CO2 factor (kept
// in the configuration) and the buttons "Export CSV", "Export report" and
// "Close". The CSV is written here; the Word document is asked for with
// export_report_requested (the main window runs it as a task), and a
// double-clicked row with open_item_requested (the main window opens the
// detail view and calls refresh_item after an Apply).
// Created on the heap without parent; deletes itself when closed.
// Threading: UI thread only.

#include "analysis/survey/leak_survey.h"
#include "ui/kit/t_orn_widget.h"

#include <string>
#include <vector>

class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;
class leak_survey_model;
class leak_survey_totals_model;

class leak_survey_widget : public t_orn_widget {
    Q_OBJECT
public:
    leak_survey_widget(const import_data_info& dataset, leak_survey survey,
                       QWidget* parent = nullptr);

    const leak_survey& survey() const { return survey_; }
    const import_data_info& dataset() const { return dataset_; }
    // Leak indices (into survey().leaks) in the order the table shows them.
    std::vector<int> leaks_in_view_order() const;

    // Reads the item's files again after an edit and shows its new values.
    void refresh_item(const std::wstring& data_dir);
    // The same for every leak.
    void refresh_all();
    // Writes the CSV to path and tells the user how it went. 0 or errno.
    int export_csv(const std::wstring& path);
    // A file name for an export of this survey ("<data set>_leak_survey.csv").
    QString suggested_file_name(const QString& suffix) const;

    QTableView* table() const { return table_; }
    QTableView* totals_table() const { return totals_; }
    QSortFilterProxyModel* sorted_model() const { return proxy_; }
    QLabel* summary_label() const { return summary_; }
    QDoubleSpinBox* co2_box() const { return co2_; }
    QPushButton* csv_button() const { return csv_; }
    QPushButton* report_button() const { return report_; }
    QPushButton* close_button() const { return close_; }

Q_SIGNALS:
    void open_item_requested(int leak);
    void export_report_requested(std::wstring path);

public Q_SLOTS:
    void on_export_csv_clicked();
    void on_export_report_clicked();
    void on_close_clicked();

private:
    void survey_changed();
    void update_summary();
    void fit_totals();
    QString default_dir() const;

    import_data_info dataset_;
    leak_survey survey_;
    leak_survey_model* model_ = nullptr;
    leak_survey_totals_model* totals_model_ = nullptr;
    QSortFilterProxyModel* proxy_ = nullptr;
    QTableView* table_ = nullptr;
    QTableView* totals_ = nullptr;
    QLabel* summary_ = nullptr;
    QDoubleSpinBox* co2_ = nullptr;
    QPushButton* csv_ = nullptr;
    QPushButton* report_ = nullptr;
    QPushButton* close_ = nullptr;
};
