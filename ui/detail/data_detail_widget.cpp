#include "ui/detail/data_detail_widget.h"

#include "analysis/data_detail_func_obj.h"
#include "analysis/datafile/data_file.h"
#include "analysis/gas_leak.h"
#include "analysis/stft_fft_handoff.h"
#include "core/app_log.h"
#include "platform/text.h"
#include "store/database.h"
#include "ui/detail/add_image_widget.h"
#include "ui/detail/colormap_label.h"
#include "ui/detail/colour_bar_view.h"
#include "ui/detail/detail_charts.h"
#include "ui/detail/detail_edit.h"
#include "ui/detail/para_setting_widget.h"
#include "ui/detail/previw_label.h"
#include "ui/kit/kit_style.h"
#include "ui/kit/t_orn_msg_box.h"
#include <QtCharts/QXYSeries>

#include <QCheckBox>
#include <QCloseEvent>
#include <QCursor>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <cfloat>
#include <cmath>
#include <limits>

static const char* const time_format = "yyyy-MM-dd HH:mm:ss";

static const char* const detail_style =
    "data_detail_widget{background:#F4F6FA;}"
    "QLabel{font:14px;color:#333333;}"
    "QLabel#section{font:bold 14px;color:#2B3A55;}"
    "QLineEdit,QDateTimeEdit,QDoubleSpinBox,QPlainTextEdit{border:1px solid #C8CCD6;"
    "border-radius:3px;padding:0 6px;font:14px;background:white;min-height:26px;}"
    "QLineEdit:focus,QDoubleSpinBox:focus,QPlainTextEdit:focus{border:1px solid #4778C7;}"
    "QDoubleSpinBox:read-only,QDateTimeEdit:read-only{background:#F0F2F6;color:#444444;}"
    "QDoubleSpinBox:disabled{background:#F0F2F6;color:#999999;}"
    "QPushButton#level{font:13px;color:#333333;background:white;border:1px solid #C8CCD6;"
    "border-radius:13px;padding:0 12px;min-height:26px;}"
    "QPushButton#level:checked{background:#4778C7;color:white;border:1px solid #4778C7;}"
    "QCheckBox{font:14px;color:#333333;}"
    "QWidget#panel{background:white;border:1px solid #DDE1E8;border-radius:6px;}";

static QString wide_q(const std::wstring& s) {
    return QString::fromStdWString(s);
}

static QDoubleSpinBox* make_value_box(QWidget* parent, const char* object_name, double lo,
                                      double hi, int decimals, const QString& suffix,
                                      bool editable) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QString::fromLatin1(object_name));
    box->setDecimals(decimals);
    box->setRange(lo, hi);
    box->setSuffix(suffix);
    box->setReadOnly(!editable);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    // The size hint of a box over an unbounded range is the width of its
    // longest number; let the layout decide instead.
    box->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    box->setMinimumWidth(120);
    return box;
}

// Plot area of the spectrogram in the last dialog that was laid out; the
// first dialog of a session estimates it from the screen.
static QSize s_stft_area;

data_detail_widget::data_detail_widget(std::vector<data_info>* items, int index, int pass_value,
                                       data_detail_func_obj* worker, QWidget* parent)
    : t_orn_widget(parent), m_items(items), m_pass_value(pass_value), m_worker(worker) {
    setObjectName(QStringLiteral("data_detail_widget"));
    setWindowTitle(tr("Data Details"));
    setWindowIcon(QIcon(QString::fromLatin1(kit_style::app_icon)));
    setStyleSheet(QString::fromLatin1(detail_style));
    if (items)
        m_list = *items;
    m_index = m_list.empty() ? 0 : std::clamp(index, 0, int(m_list.size()) - 1);

    m_switch_timer = new QTimer(this);
    m_switch_timer->setSingleShot(true);
    connect(m_switch_timer, &QTimer::timeout, this, &data_detail_widget::switch_data_timer_timeout);

    // The item is read and its analysis requested before the form is built:
    // the worker runs while the dialog is being put together and shown. The
    // first request has nothing to coalesce with, so it does not wait for the
    // switch timer; steps do.
    read_record();
    if (m_worker) {
        connect(m_worker, &data_detail_func_obj::update_wave, this,
                &data_detail_widget::update_wave);
        connect(m_worker, &data_detail_func_obj::update_wave_fft, this,
                &data_detail_widget::update_wave_fft);
        connect(m_worker, &data_detail_func_obj::update_wave_prpd, this,
                &data_detail_widget::update_wave_prpd);
        connect(m_worker, &data_detail_func_obj::update_stft, this,
                &data_detail_widget::update_stft);
        connect(m_worker, &data_detail_func_obj::update_stft_fft, this,
                &data_detail_widget::update_stft_fft);
        connect(m_worker, &data_detail_func_obj::update_stft_clear, this,
                &data_detail_widget::update_stft_clear);
        connect(m_worker, &data_detail_func_obj::update_pic, this, &data_detail_widget::update_pic);
        connect(m_worker, &data_detail_func_obj::update_spl, this,
                &data_detail_widget::update_spl_func);
        connect(m_worker, &data_detail_func_obj::update_run_tag, this,
                &data_detail_widget::update_run_tag);
        connect(this, &data_detail_widget::update_data, m_worker,
                &data_detail_func_obj::update_data);
        queue_analysis();
        request_analysis(stft_area_estimate());
    }

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(build_title_bar());
    auto* body = new QHBoxLayout;
    body->setContentsMargins(12, 12, 12, 12);
    body->setSpacing(12);
    body->addWidget(build_form(), 0);
    body->addWidget(build_plots(), 1);
    outer->addLayout(body, 1);

    // Never shown: it only renders the annotated picture of gas-leak items.
    m_composer = new AddImageWidget(nullptr);
    m_composer->setAttribute(Qt::WA_DontShowOnScreen);
    connect(m_pictures, &previw_label::move_frame_offset, this,
            &data_detail_widget::move_frame_offset);

    show_record();
    place_on_screen();
}

data_detail_widget::~data_detail_widget() {
    if (m_switch_timer->isActive())
        m_switch_timer->stop();
    const QSize area(m_stft->plot_area_width(), m_stft->plot_area_height());
    if (!area.isEmpty())
        s_stft_area = area; // the next dialog's first request uses it
    delete m_composer;
    app_log("data_detail_widget::~data_detail_widget");
}

bool data_detail_widget::switch_pending() const {
    return m_switch_timer->isActive();
}

QPushButton* data_detail_widget::level_button(int i) const {
    return i >= 0 && i < detail_level_count ? m_levels[i] : nullptr;
}

const detail_chart& data_detail_widget::wave_chart() const {
    return *m_wave;
}
const detail_chart& data_detail_widget::spectrum_chart() const {
    return *m_fft;
}
const detail_chart& data_detail_widget::prpd_chart() const {
    return *m_prpd;
}
QImage data_detail_widget::colour_bar_image() const {
    return m_colour_bar;
}

// ---- construction ----------------------------------------------------------

QWidget* data_detail_widget::build_title_bar() {
    kit_style::title_bar_parts bar = kit_style::make_title_bar(this, tr("Data Details"));
    m_maximum = new QPushButton(bar.bar);
    m_maximum->setObjectName(QStringLiteral("maximum"));
    m_maximum->setFixedSize(kit_style::close_button_size, kit_style::close_button_size);
    m_maximum->setStyleSheet(QStringLiteral("QPushButton{border:none;background:transparent;"
                                            "border-image:url(:/TOrnViewer/Resources/max.png);}"
                                            "QPushButton:hover{background:rgba(255,255,255,40);}"
                                            "QPushButton:pressed{background:rgba(0,0,0,40);}"));
    m_maximum->setFocusPolicy(Qt::NoFocus);
    m_maximum->setCursor(Qt::PointingHandCursor);
    m_maximum->setToolTip(tr("Maximize"));
    if (auto* row = qobject_cast<QHBoxLayout*>(bar.bar->layout())) {
        const int at = row->indexOf(bar.close);
        row->insertWidget(at < 0 ? row->count() : at, m_maximum);
    }
    connect(m_maximum, &QPushButton::clicked, this, &data_detail_widget::on_maximum_clicked);
    connect(bar.close, &QPushButton::clicked, this, &data_detail_widget::on_close_clicked);
    return bar.bar;
}

QWidget* data_detail_widget::build_form() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("panel"));
    panel->setAttribute(Qt::WA_StyledBackground);
    panel->setFixedWidth(460);
    auto* col = new QVBoxLayout(panel);
    col->setContentsMargins(12, 12, 12, 12);
    col->setSpacing(10);

    m_pictures = new previw_label(panel);
    col->addWidget(m_pictures, 1);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    auto add_label = [&](const QString& text, int row, int c) {
        auto* l = new QLabel(text, panel);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(l, row, c);
        return l;
    };

    m_name = new QLineEdit(panel);
    m_name->setObjectName(QStringLiteral("input_data_name"));
    add_label(tr("Name:"), 0, 0);
    grid->addWidget(m_name, 0, 1, 1, 3);

    m_time = new QDateTimeEdit(panel);
    m_time->setObjectName(QStringLiteral("input_data_time"));
    m_time->setDisplayFormat(QString::fromLatin1(time_format));
    m_time->setReadOnly(true);
    m_time->setButtonSymbols(QAbstractSpinBox::NoButtons);
    // An item without a usable time shows the minimum, drawn as nothing.
    m_time->setSpecialValueText(QStringLiteral(" "));
    add_label(tr("Time:"), 1, 0);
    grid->addWidget(m_time, 1, 1, 1, 3);

    m_spl = make_value_box(panel, "input_data_spl", -500, 500, 0, QStringLiteral(" dB"), false);
    add_label(tr("SPL:"), 2, 0);
    grid->addWidget(m_spl, 2, 1);
    m_distance =
        make_value_box(panel, "input_data_distance", 0.3, 130, 1, QStringLiteral(" m"), true);
    add_label(tr("Distance:"), 2, 2);
    grid->addWidget(m_distance, 2, 3);

    const double unbounded = std::numeric_limits<double>::max();
    m_leak_rate = make_value_box(panel, "input_data_leak_rate", -unbounded, unbounded, 1,
                                 QStringLiteral(" L/min"), false);
    m_leak_rate_label = add_label(tr("Leak rate:"), 3, 0);
    grid->addWidget(m_leak_rate, 3, 1);
    m_leak_level = make_value_box(panel, "input_data_leak_level", 0, 3.4028234663852886e+38, 2,
                                  QString(), false);
    m_leak_level_label = add_label(tr("Leak level:"), 3, 2);
    grid->addWidget(m_leak_level, 3, 3);
    m_cost = make_value_box(panel, "input_data_cost", -unbounded, unbounded, 1,
                            QStringLiteral(" CNY/yr"), false);
    m_cost_label = add_label(tr("Cost:"), 4, 0);
    grid->addWidget(m_cost, 4, 1, 1, 2);
    m_para = kit_style::make_button(panel, tr("Parameter"), QStringLiteral("para_set_btn"));
    m_para->setToolTip(tr("Gas-leak parameters of this item"));
    m_para->setFixedWidth(m_para->fontMetrics().horizontalAdvance(m_para->text()) + 28);
    grid->addWidget(m_para, 4, 3, Qt::AlignLeft);

    m_note = new QPlainTextEdit(panel);
    m_note->setObjectName(QStringLiteral("input_data_note"));
    m_note->setFixedHeight(64);
    QLabel* note_label = add_label(tr("Notes:"), 5, 0);
    note_label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(m_note, 5, 1, 1, 3);
    col->addLayout(grid);

    // Level buttons three to a row, so the five of some writers fit.
    auto* levels = new QGridLayout;
    levels->setHorizontalSpacing(6);
    levels->setVerticalSpacing(6);
    const QString level_texts[detail_level_count] = {tr("Normal"), tr("Check"),
                                                     tr("General Defect"), tr("Severe Defect"),
                                                     tr("Critical Defects")};
    for (int i = 0; i < detail_level_count; ++i) {
        m_levels[i] = new QPushButton(level_texts[i], panel);
        m_levels[i]->setObjectName(QStringLiteral("level"));
        m_levels[i]->setCheckable(true);
        m_levels[i]->setCursor(Qt::PointingHandCursor);
        levels->addWidget(m_levels[i], i / 3, i % 3);
        // Exclusive, yet a second click may clear the choice: a record can
        // show no level at all.
        connect(m_levels[i], &QPushButton::toggled, this, [this, i](bool on) {
            if (!on)
                return;
            for (int j = 0; j < detail_level_count; ++j)
                if (j != i)
                    m_levels[j]->setChecked(false);
        });
    }
    levels->setColumnStretch(3, 1);
    col->addLayout(levels);

    auto* row = new QHBoxLayout;
    row->setSpacing(12);
    m_favorite = new QCheckBox(tr("Favorite"), panel);
    m_favorite->setObjectName(QStringLiteral("favorite"));
    row->addWidget(m_favorite);
    row->addStretch(1);
    m_previous = kit_style::make_button(panel, tr("Previous"), QStringLiteral("previous"));
    m_next = kit_style::make_button(panel, tr("Next"), QStringLiteral("next"));
    m_apply = kit_style::make_button(panel, tr("Apply"), QStringLiteral("apply"));
    for (QPushButton* b : {m_previous, m_next, m_apply})
        row->addWidget(b);
    col->addLayout(row);

    connect(m_previous, &QPushButton::clicked, this, [this] { on_previous_next_clicked(-1); });
    connect(m_next, &QPushButton::clicked, this, [this] { on_previous_next_clicked(1); });
    connect(m_apply, &QPushButton::clicked, this, &data_detail_widget::on_apply_clicked);
    connect(m_para, &QPushButton::clicked, this, &data_detail_widget::on_para_set_btn_clicked);
    connect(m_distance, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, [this] {
        // Show the estimate for the distance being typed; the record keeps
        // the stored one until Apply.
        data_info d = m_data;
        d.distance = m_distance->value();
        update_calc_gas_leak(d);
    });
    return panel;
}

QWidget* data_detail_widget::build_plots() {
    auto* area = new QWidget(this);
    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(12);

    m_wave = std::make_unique<detail_chart>(make_wave_chart(area));
    m_fft = std::make_unique<detail_chart>(make_spectrum_chart(area));
    m_prpd = std::make_unique<detail_chart>(make_prpd_chart(area));

    auto* stft_panel = new QWidget(area);
    stft_panel->setObjectName(QStringLiteral("panel"));
    stft_panel->setAttribute(Qt::WA_StyledBackground);
    auto* stft_col = new QVBoxLayout(stft_panel);
    stft_col->setContentsMargins(4, 4, 8, 4);
    stft_col->setSpacing(2);
    auto* stft_title = new QLabel(tr("Spectrogram"), stft_panel);
    stft_title->setAlignment(Qt::AlignCenter);
    stft_title->setStyleSheet(QStringLiteral("QLabel{font:bold 13px;border:none;}"));
    stft_col->addWidget(stft_title);
    auto* stft_row = new QHBoxLayout;
    stft_row->setSpacing(4);
    m_stft = new colormap_label(stft_panel);
    m_stft->setMinimumSize(260, 160);
    m_stft->set_y_range(5000, 96000);
    stft_row->addWidget(m_stft, 1);
    m_bar_view = new colour_bar_view(stft_panel);
    stft_row->addWidget(m_bar_view);
    stft_col->addLayout(stft_row, 1);

    auto framed = [area](QWidget* view) {
        auto* panel = new QWidget(area);
        panel->setObjectName(QStringLiteral("panel"));
        panel->setAttribute(Qt::WA_StyledBackground);
        auto* box = new QVBoxLayout(panel);
        box->setContentsMargins(4, 4, 4, 4);
        box->addWidget(view);
        return panel;
    };
    grid->addWidget(framed(m_wave->view), 0, 0);
    grid->addWidget(framed(m_fft->view), 0, 1);
    grid->addWidget(stft_panel, 1, 0);
    grid->addWidget(framed(m_prpd->view), 1, 1);
    return area;
}

void data_detail_widget::place_on_screen() {
    const QList<QScreen*> screens = QGuiApplication::screens();
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const int number = screen ? screens.indexOf(screen) : 0;
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1440, 900);
    const QSize size(std::min(1440, avail.width() * 94 / 100),
                     std::min(900, avail.height() * 94 / 100));
    resize(size.expandedTo(minimumSizeHint()));
    const QPoint pos(avail.x() + (avail.width() - width()) / 2,
                     avail.y() + (avail.height() - height()) / 2);
    move(pos);
    app_log("data_detail_widget current_screen:%d %d,%d,%d,%d pos:%d*%d", number, avail.x(),
            avail.y(), avail.width(), avail.height(), pos.x(), pos.y());
}

// ---- stepping ----------------------------------------------------------------

void data_detail_widget::on_previous_next_clicked(int step) {
    const int idx = m_index + (step < 0 ? -1 : 1);
    if (idx < 0 || idx >= int(m_list.size()))
        return;
    switch_data(idx);
}

void data_detail_widget::switch_data(int idx) {
    app_log("switch_data %d %d", idx, int(m_list.size()));
    m_index = idx;
    load_record();
    clear_spectrogram(); // until this item's analysis arrives
    queue_analysis();
    app_log("switch_data data_detail_handle_add");
    m_switch_timer->start(switch_delay_ms);
}

// Results of any request but the newest belong to another item or start
// frame: they are dropped however late they come, and the analysis of the
// shown request replaces them.
bool data_detail_widget::results_are_stale() const {
    return m_run_tag != m_wanted_tag;
}

void data_detail_widget::update_run_tag(quint64 tag) {
    m_run_tag = tag;
}

void data_detail_widget::queue_analysis() {
    if (!m_worker || m_list.empty())
        return;
    data_info d = m_data;
    d.dd_start_frame_idx = m_start_frame;
    d.frame_read_num = frame_read_count;
    d.pic_num = previw_label::slot_count;
    m_wanted_tag = m_worker->data_detail_handle_add(d);
}

void data_detail_widget::move_frame_offset(int offset) {
    const int last = std::max(m_data.frame_num - 1, 0);
    const int start = std::clamp(m_start_frame + offset, 0, last);
    if (start == m_start_frame)
        return;
    m_start_frame = start;
    m_pictures->set_frame_position(m_start_frame, m_data.frame_num);
    queue_analysis();
    m_switch_timer->start(switch_delay_ms);
}

QSize data_detail_widget::stft_area_estimate() {
    if (!s_stft_area.isEmpty())
        return s_stft_area;
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1440, 900);
    const int w = std::min(1440, avail.width() * 94 / 100);
    const int h = std::min(900, avail.height() * 94 / 100);
    // Half of the plot area beside the form, less the panel, its title, the
    // colour bar and the label's own axis margins.
    const int label_w = (w - 24 - 460 - 12) / 2 - 12 - 56 - 4;
    const int label_h = (h - 40 - 24 - 12) / 2 - 8 - 20 - 2;
    return QSize(std::max(label_w - 85, 0), std::max(label_h - 54, 0));
}

void data_detail_widget::request_analysis(QSize stft_area) {
    if (!m_worker)
        return;
    m_worker->set_stft_view_size(stft_area.width(), stft_area.height());
    // A run that has already taken the shown request delivers results that
    // are kept; only a request still waiting needs a run of its own.
    if (m_worker->has_pending_request())
        Q_EMIT update_data(0);
}

void data_detail_widget::switch_data_timer_timeout() {
    m_switch_timer->stop();
    QSize area(m_stft->plot_area_width(), m_stft->plot_area_height());
    if (area.isEmpty()) // not painted yet: the label's size less its axis margins
        area = QSize(std::max(m_stft->width() - 85, 0), std::max(m_stft->height() - 54, 0));
    if (!area.isEmpty())
        s_stft_area = area;
    if (m_worker)
        request_analysis(area);
    else
        Q_EMIT update_data(0);
}

// ---- results of the analysis ------------------------------------------------

void data_detail_widget::update_wave(QVector<QPointF> p, double x0, double x1, double y0,
                                     double y1) {
    if (results_are_stale())
        return;
    set_chart_data(*m_wave, p, x0, x1, y0, y1, true);
}

void data_detail_widget::update_wave_fft(QVector<QPointF> p, double x0, double x1, double y0,
                                         double y1) {
    if (results_are_stale())
        return;
    set_chart_data(*m_fft, p, x0, x1, y0, y1);
}

void data_detail_widget::update_wave_prpd(QVector<QPointF> p, double, double, double, double) {
    if (results_are_stale())
        return;
    // The worker sends no ranges for the pattern: phase and amplitude are fixed.
    m_prpd->series->replace(p);
}

void data_detail_widget::update_stft_fft(unsigned char* buffer, int w, int h) {
    if (results_are_stale()) {
        stft_fft_buffer_take(buffer); // released here
        return;
    }
    // The composer claims the buffer (a reclaimed one is ignored) and keeps
    // its own copy, which the view beside the spectrogram shares.
    m_composer->set_colorbar(buffer, w, h);
    m_colour_bar = m_composer->colorbar();
    m_bar_view->set_image(m_colour_bar);
}

void data_detail_widget::update_stft(QImage img, int, int, double x0, double x1, double y0,
                                     double y1) {
    if (results_are_stale())
        return;
    m_stft->set_image(img, x0, x1, y0, y1);
}

void data_detail_widget::update_stft_clear() {
    if (results_are_stale())
        return;
    clear_spectrogram();
}

void data_detail_widget::clear_spectrogram() {
    m_stft->clear();
    m_colour_bar = QImage();
    m_bar_view->set_image(QImage());
    // The annotated picture of this item must not carry another item's bar.
    if (m_composer)
        m_composer->clear_colorbar();
}

void data_detail_widget::update_pic(int idx, QImage img, bool is_preview) {
    if (results_are_stale())
        return;
    m_pictures->set_slot_image(idx, img);
    if (is_preview)
        m_pictures->show_slot(idx);
}

void data_detail_widget::update_spl_func(double v) {
    app_log("update_spl_func %8.3f", v);
    if (results_are_stale())
        return; // the level of another frame or item must not be stored with this one
    m_data.spl = v;
    m_spl->setValue(v);
    update_spl_1m();
    update_calc_gas_leak(m_data);
}

void data_detail_widget::update_calc_gas_leak(data_info& d) {
    if (!m_leak_rate)
        return;
    const bool leak = d.sign_mode == 2;
    if (leak) {
        const gas_leak_result r =
            calc_gas_leak(d.spl, d.distance, d.gasleak_rect, d.gasleak_unit_mode,
                          d.gasleak_power_ratio, d.gasleak_energy_cost, d.gasleak_gas_cost);
        d.leak_cost = r.cost;
        d.leak_level = r.level;
        d.leak_rate = r.rate;
        m_leak_rate->setSuffix(d.gasleak_unit_mode == 1 ? QStringLiteral(" CFM")
                                                        : QStringLiteral(" L/min"));
        m_leak_rate->setValue(r.rate);
        m_cost->setSuffix(QStringLiteral(" ") + wide_q(d.gasleak_currency) + QStringLiteral("/yr"));
        m_cost->setValue(r.cost);
        m_leak_level->setValue(r.level);
    } else {
        m_leak_rate->setValue(0);
        m_cost->setValue(0);
        m_leak_level->setValue(0);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{m_leak_rate, m_cost, m_leak_level}) {
        w->setEnabled(leak);
        w->setVisible(leak);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{m_leak_rate_label, m_cost_label,
                                                      m_leak_level_label, m_para})
        w->setVisible(leak);
}

// ---- window -------------------------------------------------------------------

void data_detail_widget::on_cancle_clicked() {
    close();
}

void data_detail_widget::on_close_clicked() {
    close();
}

void data_detail_widget::on_maximum_clicked() {
    if (isMaximized())
        showNormal();
    else
        showMaximized();
}

void data_detail_widget::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->pos().y() <= title_bar_height())
        on_maximum_clicked();
    else
        t_orn_widget::mouseDoubleClickEvent(e);
}

void data_detail_widget::closeEvent(QCloseEvent* e) {
    m_switch_timer->stop();
    // The browser reloads its filtered page once the dialog is gone, not
    // under the dialog's feet.
    if (m_filter_dirty) {
        m_filter_dirty = false;
        Q_EMIT select_filter_state_changed();
    }
    t_orn_widget::closeEvent(e);
}

void data_detail_widget::show_message(const QString& title, const QString& text, int icon) {
    // A child window of the dialog: modal to it, and gone with it.
    auto* box = new t_orn_msg_box(this, title.toStdString(), text.toStdString(), icon,
                                  t_orn_msg_box::buttons_confirm);
    box->setWindowModality(Qt::WindowModal);
    box->show();
}
