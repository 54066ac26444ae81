#include "ui/report/report_info_widget.h"

#include "core/app_config.h"
#include "core/app_log.h"
#include "ui/kit/kit_style.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {
// Set on each input itself: rules the dialog would pass on did not reach
// inputs made inside its frame.
const char* const input_style =
    "QLineEdit,QComboBox,QDoubleSpinBox,QTextEdit{font:16px;border:2px solid #999999;"
    "border-radius:4px;padding:0 4px;background:white;}"
    "QLineEdit,QComboBox,QDoubleSpinBox{min-height:28px;}"
    "QComboBox::drop-down{subcontrol-origin:padding;subcontrol-position:right center;"
    "width:22px;border:none;}"
    "QComboBox::down-arrow{image:url(:/TOrnViewer/Resources/down0.png);width:12px;height:12px;}"
    "QComboBox QAbstractItemView{font:16px;selection-background-color:#4778C7;"
    "selection-color:white;}";
const char* const label_style = "QLabel{font:14px;}";
constexpr int label_width = 150;
constexpr int input_width = 200;

QString qs(const std::wstring& s) {
    return QString::fromStdWString(s);
}

QLineEdit* line_edit(QWidget* parent, const char* name, const std::wstring& text) {
    auto* e = new QLineEdit(qs(text), parent);
    e->setObjectName(QLatin1String(name));
    return e;
}

QDoubleSpinBox* number_box(QWidget* parent, const char* name, double lo, double hi, double value,
                           const QString& suffix) {
    auto* b = new QDoubleSpinBox(parent);
    b->setObjectName(QLatin1String(name));
    b->setDecimals(0);
    b->setButtonSymbols(QAbstractSpinBox::NoButtons);
    b->setRange(lo, hi);
    b->setSuffix(suffix);
    b->setValue(value);
    return b;
}

QComboBox* combo(QWidget* parent, const char* name, const QStringList& entries, int current) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    // A plain list view lets the style sheet colour the selected entry.
    c->setView(new QListView(c));
    c->addItems(entries);
    c->setCurrentIndex(current >= 0 && current < entries.size() ? current : 0);
    return c;
}
} // namespace

report_info_widget::report_info_widget(QWidget* parent) : t_orn_widget(parent) {
    setObjectName(QStringLiteral("report_info_widget"));
    QPushButton* close = nullptr;
    QVBoxLayout* layout =
        build_dialog_frame(tr("Report generation"), QSize(800, 580), "report_info_widget", &close);
    connect(close, &QPushButton::clicked, this, &report_info_widget::on_close_clicked);

    QStringList purposes;
    for (const std::wstring& p : test_purpose_list())
        purposes << qs(p);
    purpose_ = combo(this, "purpose", purposes, app_cfg.report_test_purpose);
    location_ = line_edit(this, "location", app_cfg.report_location);
    temperature_ = number_box(this, "temperature", -273.15, 200, app_cfg.report_temperature,
                              qs(temperature_unit_word()));
    condition_ = line_edit(this, "condition", app_cfg.report_work_condition);
    humidity_ = number_box(this, "humidity", 0, 100, app_cfg.report_humidity, QStringLiteral(" %"));
    weather_ = line_edit(this, "weather", app_cfg.report_weather);
    work_unit_ = line_edit(this, "work_unit", app_cfg.report_work_unit);
    department_ = line_edit(this, "department", app_cfg.report_department);
    worker_ = line_edit(this, "worker", app_cfg.report_worker);
    telephone_ = line_edit(this, "telephone", app_cfg.report_telephone_number);
    result_ = new QTextEdit(this);
    result_->setObjectName(QStringLiteral("result"));
    result_->setAcceptRichText(false);
    result_->setPlainText(qs(app_cfg.report_test_result));
    result_->setFixedHeight(100);
    advice_ = line_edit(this, "advice", app_cfg.report_test_advice);
    combine_ = combo(this, "combine", {tr("Yes"), tr("No")}, app_cfg.combine_report ? 0 : 1);

    // Two label-and-input pairs a line, in the order of the rows; the two
    // texts that may run long take the whole line.
    auto* grid = new QGridLayout;
    grid->setContentsMargins(24, 24, 24, 12);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(12);
    const std::pair<QString, QWidget*> rows[] = {
        {tr("Inspection purpose:"), purpose_}, {tr("Inspection location:"), location_},
        {tr("Temperature:"), temperature_},    {tr("Operating conditions:"), condition_},
        {tr("Humidity:"), humidity_},          {tr("Weather:"), weather_},
        {tr("Work Unit:"), work_unit_},        {tr("Department:"), department_},
        {tr("Responsible person:"), worker_},  {tr("Tel:"), telephone_},
        {tr("Test results:"), result_},        {tr("Recommendation:"), advice_},
        {tr("Combine report:"), combine_}};
    int line = 0, column = 0;
    for (const auto& row : rows) {
        auto* label = new QLabel(row.first, this);
        label->setStyleSheet(QString::fromLatin1(label_style));
        row.second->setStyleSheet(QString::fromLatin1(input_style));
        label->setMinimumWidth(label_width);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setBuddy(row.second);
        const bool wide = row.second == result_ || row.second == advice_;
        if (wide && column != 0) {
            ++line;
            column = 0;
        }
        if (wide) {
            label->setAlignment(Qt::AlignRight | Qt::AlignTop);
            grid->addWidget(label, line, 0);
            grid->addWidget(row.second, line, 1, 1, 3);
            ++line;
            continue;
        }
        row.second->setFixedWidth(input_width);
        grid->addWidget(label, line, column);
        grid->addWidget(row.second, line, column + 1);
        column += 2;
        if (column == 4) {
            column = 0;
            ++line;
        }
    }
    layout->addLayout(grid);
    layout->addStretch(1);

    const confirm_cancel buttons = add_confirm_cancel_row(layout);
    buttons.ok->setFixedSize(96, 40);
    buttons.cancle->setFixedSize(96, 40);
    connect(buttons.ok, &QPushButton::clicked, this, &report_info_widget::on_ok_clicked);
    connect(buttons.cancle, &QPushButton::clicked, this, &report_info_widget::on_cancle_clicked);
}

void report_info_widget::on_ok_clicked() {
    app_cfg.report_test_purpose = purpose_->currentIndex();
    app_cfg.report_location = location_->text().toStdWString();
    app_cfg.report_temperature = temperature_->value();
    app_cfg.report_work_condition = condition_->text().toStdWString();
    app_cfg.report_humidity = humidity_->value();
    app_cfg.report_worker = worker_->text().toStdWString();
    app_cfg.report_weather = weather_->text().toStdWString();
    app_cfg.report_test_result = result_->toPlainText().toStdWString();
    app_cfg.report_test_advice = advice_->text().toStdWString();
    app_cfg.report_work_unit = work_unit_->text().toStdWString();
    app_cfg.report_department = department_->text().toStdWString();
    app_cfg.report_telephone_number = telephone_->text().toStdWString();
    app_cfg.combine_report = combine_->currentIndex() == 0;
    if (const int rc = write_config())
        app_log("write_config err:%d", rc);
    close();
    Q_EMIT start_gen_report();
}

void report_info_widget::on_cancle_clicked() {
    close();
}

void report_info_widget::on_close_clicked() {
    close();
}
