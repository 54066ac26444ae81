#pragma once
// The report information dialog: the header fields every report document
// carries (purpose, location, climate, work unit, responsible person, test
// result, recommendation) and whether the items go into one combined
// document, shown with the values confirmed last. Confirm stores them in the
// configuration and starts the report; Cancel and close store nothing.
// Threading: UI thread only.

#include "ui/kit/t_orn_widget.h"

class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QTextEdit;

class report_info_widget : public t_orn_widget {
    Q_OBJECT
public:
    explicit report_info_widget(QWidget* parent = nullptr);

    QComboBox* purpose_box() const { return purpose_; }
    QLineEdit* location_edit() const { return location_; }
    QDoubleSpinBox* temperature_box() const { return temperature_; }
    QLineEdit* condition_edit() const { return condition_; }
    QDoubleSpinBox* humidity_box() const { return humidity_; }
    QLineEdit* weather_edit() const { return weather_; }
    QLineEdit* work_unit_edit() const { return work_unit_; }
    QLineEdit* department_edit() const { return department_; }
    QLineEdit* worker_edit() const { return worker_; }
    QLineEdit* telephone_edit() const { return telephone_; }
    QTextEdit* result_edit() const { return result_; }
    QLineEdit* advice_edit() const { return advice_; }
    QComboBox* combine_box() const { return combine_; }

Q_SIGNALS:
    void start_gen_report();

public Q_SLOTS:
    void on_ok_clicked();
    void on_cancle_clicked();
    void on_close_clicked();

private:
    QComboBox* purpose_ = nullptr;
    QLineEdit* location_ = nullptr;
    QDoubleSpinBox* temperature_ = nullptr;
    QLineEdit* condition_ = nullptr;
    QDoubleSpinBox* humidity_ = nullptr;
    QLineEdit* weather_ = nullptr;
    QLineEdit* work_unit_ = nullptr;
    QLineEdit* department_ = nullptr;
    QLineEdit* worker_ = nullptr;
    QLineEdit* telephone_ = nullptr;
    QTextEdit* result_ = nullptr;
    QLineEdit* advice_ = nullptr;
    QComboBox* combine_ = nullptr;
};
