#pragma once
// "Parameter setting": the five gas-leak parameters and the leak unit of one
// data item. Confirm emits ok() with the edited copy, and only when a value
// really changed. Created on the heap without parent; deletes itself when closed.
// Threading: UI thread only.

#include "store/records.h"
#include "ui/kit/t_orn_widget.h"

#include <QWidget>

class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;

class para_setting_widget : public t_orn_widget {
    Q_OBJECT
public:
    explicit para_setting_widget(const data_info& d, QWidget* parent = nullptr);

    QDoubleSpinBox* rect_box() const { return m_rect; }
    QLineEdit* currency_edit() const { return m_currency; }
    QDoubleSpinBox* energy_cost_box() const { return m_energy_cost; }
    QDoubleSpinBox* gas_cost_box() const { return m_gas_cost; }
    QDoubleSpinBox* power_ratio_box() const { return m_power_ratio; }
    QComboBox* unit_box() const { return m_unit; }

Q_SIGNALS:
    void ok(data_info d);

public Q_SLOTS:
    void on_ok_clicked();
    void on_cancle_clicked();
    void on_close_clicked();
    void prompt_ok_clicked();

private:
    data_info m_data; // the record the dialog was opened with
    QDoubleSpinBox* m_rect = nullptr;
    QLineEdit* m_currency = nullptr;
    QDoubleSpinBox* m_energy_cost = nullptr;
    QDoubleSpinBox* m_gas_cost = nullptr;
    QDoubleSpinBox* m_power_ratio = nullptr;
    QComboBox* m_unit = nullptr;
};
