#include "ui/survey/leak_survey_widget.h"

#include "core/app_config.h"
#include "core/app_log.h"
#include "report/survey_export.h"
#include "ui/kit/kit_style.h"
#include "ui/kit/t_orn_msg_box.h"
#include "ui/survey/leak_survey_model.h"
#include "ui/ui_util.h"

#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSizeGrip>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {
const char* const table_style =
    "QTableView{font:13px;border:1px solid #C8D3E3;gridline-color:#E2E8F0;"
    "background:white;alternate-background-color:#F6F8FC;"
    "selection-background-color:#E5F3FF;selection-color:black;outline:0px;}"
    "QHeaderView::section{background:#DCE6F2;color:#1F3864;font:bold 13px;border:none;"
    "border-right:1px solid #C8D3E3;border-bottom:1px solid #C8D3E3;padding:4px 6px;}";
const char* const totals_style =
    "QTableView{font:bold 13px;border:1px solid #C8D3E3;border-top:none;"
    "gridline-color:#E2E8F0;background:#EEF3FA;outline:0px;}";
const char* const summary_style = "QLabel{font:14px;color:#333333;}";
const char* const hint_style = "QLabel{font:13px;color:#777777;}";
const char* const spin_style =
    "QDoubleSpinBox{font:14px;border:2px solid #999999;border-radius:4px;padding:0 4px;"
    "min-height:26px;background:white;}";
constexpr int row_height = 28;

QString qs(const std::wstring& s) {
    return QString::fromStdWString(s);
}

// Widths that fit the values; the name takes what is left.
const int column_widths[leak_survey_model::column_count] = {52,  200, 154, 60, 70, 84,
                                                            104, 70,  124, 84, 70};
} // namespace

leak_survey_widget::leak_survey_widget(const import_data_info& dataset, leak_survey survey,
                                       QWidget* parent)
    : t_orn_widget(parent), dataset_(dataset), survey_(std::move(survey)) {
    setObjectName(QStringLiteral("leak_survey_widget"));
    QPushButton* title_close = nullptr;
    const QString title =
        dataset_.name.empty() ? tr("Leak survey") : tr("Leak survey - %1").arg(qs(dataset_.name));
    QVBoxLayout* layout =
        build_dialog_frame(title, QSize(1240, 700), "leak_survey_widget", &title_close);
    // A table of many columns wants room: the window can be made larger.
    setMinimumSize(900, 480);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    connect(title_close, &QPushButton::clicked, this, &leak_survey_widget::on_close_clicked);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(20, 14, 20, 8);
    body->setSpacing(8);

    auto* top = new QHBoxLayout;
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setStyleSheet(QString::fromLatin1(summary_style));
    summary_->setWordWrap(true);
    top->addWidget(summary_, 1);
    auto* co2_label = new QLabel(tr("CO\u2082 factor:"), this);
    co2_label->setStyleSheet(QString::fromLatin1(summary_style));
    top->addWidget(co2_label);
    co2_ = new QDoubleSpinBox(this);
    co2_->setObjectName(QStringLiteral("co2_factor"));
    co2_->setStyleSheet(QString::fromLatin1(spin_style));
    co2_->setButtonSymbols(QAbstractSpinBox::NoButtons);
    co2_->setDecimals(3);
    co2_->setRange(0, 10);
    co2_->setSuffix(QStringLiteral(" kg/kWh"));
    co2_->setValue(survey_.co2_kg_per_kwh);
    co2_->setKeyboardTracking(false);
    co2_->setFixedWidth(130);
    co2_label->setBuddy(co2_);
    top->addWidget(co2_);
    body->addLayout(top);

    model_ = new leak_survey_model(&survey_, this);
    totals_model_ = new leak_survey_totals_model(&survey_, this);
    proxy_ = new QSortFilterProxyModel(this);
    proxy_->setSourceModel(model_);
    proxy_->setSortRole(leak_survey_model::sort_role);

    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("survey_table"));
    table_->setStyleSheet(QString::fromLatin1(table_style));
    table_->setModel(proxy_);
    table_->setSortingEnabled(true);
    table_->setAlternatingRowColors(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(row_height);
    QHeaderView* header = table_->horizontalHeader();
    header->setHighlightSections(false);
    header->setMinimumSectionSize(40);
    // Wide enough for each heading's longer line (the unit goes below), in
    // the heading's font, with room for the sort arrow.
    QFont heading_font = header->font();
    heading_font.setPixelSize(13);
    heading_font.setBold(true);
    const QFontMetrics fm(heading_font);
    int widths[leak_survey_model::column_count];
    for (int c = 0; c < leak_survey_model::column_count; ++c) {
        int text = 0;
        for (const QString& line : model_->headerData(c, Qt::Horizontal).toString().split('\n'))
            text = std::max(text, fm.horizontalAdvance(line));
        widths[c] = std::max(column_widths[c], text + 24);
        table_->setColumnWidth(c, widths[c]);
    }
    header->setSectionResizeMode(leak_survey_model::col_name, QHeaderView::Stretch);
    // Ranked by yearly cost: rank 1 first.
    table_->sortByColumn(leak_survey_model::col_rank, Qt::AscendingOrder);
    body->addWidget(table_, 1);

    totals_ = new QTableView(this);
    totals_->setObjectName(QStringLiteral("survey_totals"));
    totals_->setStyleSheet(QString::fromLatin1(totals_style));
    totals_->setModel(totals_model_);
    totals_->horizontalHeader()->hide();
    totals_->verticalHeader()->hide();
    totals_->setSpan(0, leak_survey_model::col_name, 1, 2);
    totals_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    totals_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    totals_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    totals_->setSelectionMode(QAbstractItemView::NoSelection);
    totals_->setFocusPolicy(Qt::NoFocus);
    for (int c = 0; c < leak_survey_model::column_count; ++c)
        totals_->setColumnWidth(c, widths[c]);
    // The totals stay under their columns whatever the table does.
    connect(header, &QHeaderView::sectionResized, this,
            [this](int c, int, int w) { totals_->setColumnWidth(c, w); });
    connect(table_->horizontalScrollBar(), &QScrollBar::valueChanged,
            totals_->horizontalScrollBar(), &QScrollBar::setValue);
    body->addWidget(totals_);
    layout->addLayout(body, 1);

    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(20, 4, 4, 4);
    bottom->setSpacing(12);
    auto* hint = new QLabel(tr("Double-click a leak to open its details."), this);
    hint->setStyleSheet(QString::fromLatin1(hint_style));
    bottom->addWidget(hint, 1);
    csv_ = kit_style::make_button(this, tr("Export CSV"), QStringLiteral("export_csv"));
    report_ = kit_style::make_button(this, tr("Export report"), QStringLiteral("export_report"));
    close_ = kit_style::make_button(this, tr("Close"), QStringLiteral("close_survey"));
    for (QPushButton* b : {csv_, report_, close_}) {
        b->setFixedSize(120, 36);
        bottom->addWidget(b);
    }
    bottom->addSpacing(16);
    auto* grip = new QSizeGrip(this);
    bottom->addWidget(grip, 0, Qt::AlignBottom | Qt::AlignRight);
    layout->addLayout(bottom);
    layout->addSpacing(6);

    connect(csv_, &QPushButton::clicked, this, &leak_survey_widget::on_export_csv_clicked);
    connect(report_, &QPushButton::clicked, this, &leak_survey_widget::on_export_report_clicked);
    connect(close_, &QPushButton::clicked, this, &leak_survey_widget::on_close_clicked);
    connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& i) {
        const QModelIndex source = proxy_->mapToSource(i);
        if (source.isValid())
            Q_EMIT open_item_requested(source.row());
    });
    connect(co2_, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, [this](double v) {
        set_survey_co2_factor(survey_, v);
        survey_changed();
        app_cfg.co2_kg_per_kwh = v;
        if (const int rc = write_config())
            app_log("write_config err:%d", rc);
    });
    update_summary();
    table_->setFocus();
}

std::vector<int> leak_survey_widget::leaks_in_view_order() const {
    std::vector<int> out;
    out.reserve(size_t(proxy_->rowCount()));
    for (int r = 0; r < proxy_->rowCount(); ++r)
        out.push_back(proxy_->mapToSource(proxy_->index(r, 0)).row());
    return out;
}

void leak_survey_widget::survey_changed() {
    model_->survey_changed();
    totals_model_->survey_changed();
    update_summary();
}

void leak_survey_widget::refresh_item(const std::wstring& data_dir) {
    if (refresh_survey_leak(survey_, data_dir))
        survey_changed();
}

void leak_survey_widget::refresh_all() {
    refresh_survey(survey_);
    survey_changed();
}

void leak_survey_widget::fit_totals() {
    // One line per currency in the cost cell.
    const int h = row_height + (totals_model_->lines() - 1) * 17;
    totals_->setRowHeight(0, h);
    totals_->setFixedHeight(h + 2);
}

void leak_survey_widget::update_summary() {
    fit_totals();
    const int leaks = int(survey_.leaks.size());
    QString text;
    if (leaks == 0)
        text = tr("No gas-leak items among the %1 data items.").arg(survey_.items);
    else
        text = tr("%1 gas-leak items of %2 data items; %3 other items are not listed.")
                   .arg(leaks)
                   .arg(survey_.items)
                   .arg(survey_.other_items);
    if (survey_.totals.left_out > 0)
        text +=
            QLatin1Char(' ') + tr("%1 left out of the totals: their values are not finite numbers.")
                                   .arg(survey_.totals.left_out);
    summary_->setText(text);
}

QString leak_survey_widget::default_dir() const {
    const QString root = qs(app_cfg.report_root);
    if (!root.isEmpty() && QDir(root).exists())
        return root;
    return QDir::homePath();
}

QString leak_survey_widget::suggested_file_name(const QString& suffix) const {
    QString base = qs(dataset_.name);
    // Characters no file system takes in a name.
    for (QChar& c : base)
        if (c < QChar(0x20) || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    base = base.trimmed();
    if (base.isEmpty())
        base = QStringLiteral("survey");
    return base + QStringLiteral("_leak_survey.") + suffix;
}

int leak_survey_widget::export_csv(const std::wstring& path) {
    const int rc = write_survey_csv(survey_, path);
    app_log("leak_survey export_csv %s %d", QString::fromStdWString(path).toUtf8().constData(), rc);
    if (rc != 0)
        show_msg_box(tr("Leak survey"),
                     tr("The leak survey could not be saved to %1 (error %2). Please check that "
                        "the folder is writable.")
                         .arg(qs(path))
                         .arg(rc),
                     3, 1);
    else
        show_msg_box(tr("Leak survey"), tr("The leak survey was saved to %1.").arg(qs(path)), 0, 1);
    return rc;
}

void leak_survey_widget::on_export_csv_clicked() {
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Export CSV"), default_dir() + QLatin1Char('/') + suggested_file_name("csv"),
        tr("CSV files (*.csv)"));
    if (!path.isEmpty())
        export_csv(path.toStdWString());
}

void leak_survey_widget::on_export_report_clicked() {
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Export report"), default_dir() + QLatin1Char('/') + suggested_file_name("docx"),
        tr("Word documents (*.docx)"));
    if (!path.isEmpty())
        Q_EMIT export_report_requested(path.toStdWString());
}

void leak_survey_widget::on_close_clicked() {
    close();
}
