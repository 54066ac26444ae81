#include "ui/detail/para_setting_widget.h"

#include "ui/detail/detail_edit.h"
#include "ui/kit/kit_style.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

static const char* field_style =
    "QDoubleSpinBox,QLineEdit,QComboBox{min-height:28px;border:1px solid #C8CCD6;"
    "border-radius:3px;padding:0 6px;font:14px;background:white;}"
    "QDoubleSpinBox:focus,QLineEdit:focus,QComboBox:focus{border:1px solid #4778C7;}"
    "QLabel{font:14px;color:#333333;}";

static QDoubleSpinBox* make_number_box(QWidget* parent, double lo, double hi, double value) {
    auto* box = new QDoubleSpinBox(parent);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    box->setDecimals(3);
    box->setRange(lo, hi);
    box->setValue(value);
    // What the box showed at opening (rounded and clamped), to tell an edit
    // from the box's own rounding.
    box->setProperty("opened_with", box->value());
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return box;
}

para_setting_widget::para_setting_widget(const data_info& d, QWidget* parent)
    : t_orn_widget(parent), m_data(d) {
    setObjectName(QStringLiteral("para_setting_widget"));
    setWindowTitle(tr("Parameter setting"));
    setWindowIcon(QIcon(QString::fromLatin1(kit_style::app_icon)));
    setStyleSheet(QStringLiteral("para_setting_widget{background:white;}") +
                  QString::fromLatin1(field_style));
    setFixedSize(420, 400);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    kit_style::title_bar_parts bar = kit_style::make_title_bar(this, tr("Parameter setting"));
    outer->addWidget(bar.bar);
    connect(bar.close, &QPushButton::clicked, this, &para_setting_widget::on_close_clicked);

    auto* form = new QFormLayout;
    form->setContentsMargins(36, 20, 36, 8);
    form->setHorizontalSpacing(16);
    form->setVerticalSpacing(12);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_rect = make_number_box(this, -10000, 10000, d.gasleak_rect);
    m_rect->setObjectName(QStringLiteral("para_rect"));
    m_currency = new QLineEdit(this);
    m_currency->setObjectName(QStringLiteral("para_currency"));
    // An item without a currency shows the default one; the copy takes it
    // too, so confirming unchanged fields is not mistaken for an edit.
    if (m_data.gasleak_currency.empty())
        m_data.gasleak_currency = L"CNY";
    m_currency->setText(QString::fromStdWString(m_data.gasleak_currency));
    m_energy_cost = make_number_box(this, 0, 1000000, d.gasleak_energy_cost);
    m_energy_cost->setObjectName(QStringLiteral("para_energy_cost"));
    m_gas_cost = make_number_box(this, 0, 1000000, d.gasleak_gas_cost);
    m_gas_cost->setObjectName(QStringLiteral("para_gas_cost"));
    m_power_ratio = make_number_box(this, -1000, 1000, d.gasleak_power_ratio);
    m_power_ratio->setObjectName(QStringLiteral("para_power_ratio"));
    m_unit = new QComboBox(this);
    m_unit->setObjectName(QStringLiteral("para_unit"));
    m_unit->addItem(QStringLiteral("L/min"));
    m_unit->addItem(QStringLiteral("CFM"));
    m_unit->setCurrentIndex(d.gasleak_unit_mode == 1 ? 1 : 0);

    form->addRow(tr("Correction factor:"), m_rect);
    form->addRow(tr("Currency:"), m_currency);
    form->addRow(tr("Energy cost:"), m_energy_cost);
    form->addRow(tr("Gas cost:"), m_gas_cost);
    form->addRow(tr("Power ratio:"), m_power_ratio);
    form->addRow(tr("Gas leak unit:"), m_unit);
    outer->addLayout(form);
    outer->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 36, 24);
    buttons->setSpacing(12);
    buttons->addStretch(1);
    QPushButton* ok = kit_style::make_button(this, tr("Confirm"), QStringLiteral("ok"));
    QPushButton* cancel = kit_style::make_button(this, tr("Cancel"), QStringLiteral("cancle"));
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    outer->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &para_setting_widget::on_ok_clicked);
    connect(cancel, &QPushButton::clicked, this, &para_setting_widget::on_cancle_clicked);
}

// The boxes show three decimals; a stored value with more (a gas price of
// 0.0025) would otherwise come back rounded and pass for an edit. A box
// still showing what it was opened with keeps the stored value.
static double edited_value(const QDoubleSpinBox* box, double stored) {
    const double shown = box->property("opened_with").toDouble();
    return box->value() == shown ? stored : box->value();
}

void para_setting_widget::on_ok_clicked() {
    data_info edited = m_data;
    edited.gasleak_rect = edited_value(m_rect, m_data.gasleak_rect);
    edited.gasleak_currency = m_currency->text().toStdWString();
    edited.gasleak_energy_cost = edited_value(m_energy_cost, m_data.gasleak_energy_cost);
    edited.gasleak_gas_cost = edited_value(m_gas_cost, m_data.gasleak_gas_cost);
    edited.gasleak_power_ratio = edited_value(m_power_ratio, m_data.gasleak_power_ratio);
    edited.gasleak_unit_mode = m_unit->currentIndex();
    if (gas_leak_params_differ(edited, m_data)) {
        m_data = edited;
        Q_EMIT ok(m_data);
    }
    close();
}

void para_setting_widget::on_cancle_clicked() {
    close();
}

void para_setting_widget::on_close_clicked() {
    close();
}

// Kept for the message-box confirmation path; the dialog asks no question of
// its own, so confirming simply applies the values.
void para_setting_widget::prompt_ok_clicked() {
    on_ok_clicked();
}
