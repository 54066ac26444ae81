#include "ui/data_tool_bar.h"

#include "store/database.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyleOption>

#include <algorithm>

namespace {
const char* const button_style =
    "QPushButton{background:rgb(30,117,217);border:1px solid #FFFFFF;color:white;font:14px;}"
    "QPushButton:hover{background:rgb(52,134,228);}"
    "QPushButton:pressed{background:rgb(24,98,184);}";
const char* const check_style = "QCheckBox{font:13px;color:#333333;spacing:4px;}";

// Gaps of the full layout and of the compact one used when the window is
// too narrow for it: leading, between items, before the buttons, trailing.
struct bar_gaps {
    int leading, spacing, middle, trailing;
};
constexpr bar_gaps full_gaps{32, 12, 12, 24};
constexpr bar_gaps compact_gaps{8, 4, 4, 8};
constexpr int button_width = 118;
} // namespace

data_tool_bar::data_tool_bar(QWidget* parent) : QWidget(parent) {
    setStyleSheet("background:white;height:60px;");
    setObjectName("data_tool_bar");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(full_gaps.spacing);
    layout->addSpacing(full_gaps.leading);
    leading_ = layout->itemAt(layout->count() - 1)->spacerItem();

    select_all_ = make_filter_box(tr("Select all"));
    select_all_->setObjectName("select_all");
    normal_ = make_filter_box(tr("Normal"));
    check_ = make_filter_box(tr("Check"));
    general_ = make_filter_box(tr("General Defect"));
    severe_ = make_filter_box(tr("Severe Defect"));
    critical_ = make_filter_box(tr("Critical Defects"));
    favorite_ = make_filter_box(tr("Favorite"));
    for (QCheckBox* b : {select_all_, normal_, check_, general_, severe_, critical_, favorite_})
        layout->addWidget(b);
    layout->addSpacing(full_gaps.middle);
    middle_ = layout->itemAt(layout->count() - 1)->spacerItem();

    auto make_button = [&](const QString& text, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setFixedSize(button_width, 33);
        b->setCursor(Qt::PointingHandCursor);
        b->setStyleSheet(button_style);
        layout->addWidget(b);
        return b;
    };
    delete_btn_ = make_button(tr("Delete"), "delete_btn");
    remove_btn_ = make_button(tr("Remove"), "remove_btn");
    gen_report_btn_ = make_button(tr("Generate report"), "gen_report_btn");
    survey_btn_ = make_button(tr("Leak survey"), "survey_btn");
    layout->addStretch();

    search_edit_ = new QLineEdit(this);
    search_edit_->setObjectName("search_edit");
    search_edit_->setPlaceholderText(tr("Search data"));
    search_edit_->setStyleSheet(
        "QLineEdit{width:233px;height:36px;border-radius:18px;border: 2px solid #999999;"
        "font-size: 14px;padding-left:8px;padding-right: 50px;}");
    auto* edit_layout = new QHBoxLayout(search_edit_);
    edit_layout->setContentsMargins(0, 0, 12, 0);
    edit_layout->addStretch();
    search_btn_ = new QPushButton(search_edit_);
    search_btn_->setObjectName("search_btn");
    search_btn_->setFixedSize(24, 24);
    search_btn_->setCursor(Qt::PointingHandCursor);
    search_btn_->setStyleSheet("QPushButton{border:none;background:transparent;"
                               "image:url(:/TOrnViewer/Resources/search.png);}");
    edit_layout->addWidget(search_btn_);
    // The box gives way on narrow screens rather than pushing the window
    // past the screen's edge when every filter is shown.
    search_edit_->ensurePolished();
    search_edit_->setMaximumWidth(search_edit_->sizeHint().width());
    search_edit_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    layout->addWidget(search_edit_, 1);
    layout->addSpacing(full_gaps.trailing);
    trailing_ = layout->itemAt(layout->count() - 1)->spacerItem();

    connect(select_all_, &QCheckBox::toggled, this, &data_tool_bar::select_all_state_changed);
    for (QCheckBox* b : {normal_, check_, general_, severe_, critical_, favorite_})
        connect(b, &QCheckBox::toggled, this,
                [this](bool) { Q_EMIT select_filter_state_changed(); });
    connect(delete_btn_, &QPushButton::clicked, this, [this] { Q_EMIT delete_btn_clicked(true); });
    connect(remove_btn_, &QPushButton::clicked, this, [this] { Q_EMIT delete_btn_clicked(false); });
    connect(gen_report_btn_, &QPushButton::clicked, this, &data_tool_bar::gen_report_btn_clicked);
    connect(survey_btn_, &QPushButton::clicked, this, &data_tool_bar::survey_btn_clicked);
    connect(search_btn_, &QPushButton::clicked, this, &data_tool_bar::on_search_btn_clicked);
    connect(search_edit_, &QLineEdit::editingFinished, this,
            &data_tool_bar::on_search_editing_finished);

    for (QWidget* w : {static_cast<QWidget*>(normal_), static_cast<QWidget*>(check_),
                       static_cast<QWidget*>(general_), static_cast<QWidget*>(severe_),
                       static_cast<QWidget*>(critical_), static_cast<QWidget*>(favorite_),
                       static_cast<QWidget*>(gen_report_btn_), static_cast<QWidget*>(survey_btn_)})
        w->hide();
    measure_widths();
}

void data_tool_bar::set_compact(bool on) {
    const bar_gaps& g = on ? compact_gaps : full_gaps;
    auto* box = static_cast<QHBoxLayout*>(layout());
    box->setSpacing(g.spacing);
    leading_->changeSize(g.leading, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    middle_->changeSize(g.middle, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    trailing_->changeSize(g.trailing, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    for (QPushButton* b : {delete_btn_, remove_btn_, gen_report_btn_, survey_btn_}) {
        // Compact buttons keep room for their text (the style's 14 px font).
        QFont f = b->font();
        f.setPixelSize(14);
        const int text = QFontMetrics(f).horizontalAdvance(b->text()) + 20;
        b->setFixedWidth(on ? std::min(button_width, text) : button_width);
    }
    search_edit_->setMinimumWidth(on ? 120 : 150);
    box->invalidate();
    compact_ = on;
}

void data_tool_bar::measure_widths() {
    // Both layouts are measured with the boxes shown for this writer type,
    // in the fonts their style sheets give them.
    ensurePolished();
    set_compact(false);
    full_min_width_ = layout()->minimumSize().width();
    set_compact(true);
    compact_min_width_ = layout()->minimumSize().width();
    set_compact(width() < full_min_width_);
    updateGeometry();
}

QSize data_tool_bar::minimumSizeHint() const {
    return {compact_min_width_, QWidget::minimumSizeHint().height()};
}

void data_tool_bar::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    const bool narrow = width() < full_min_width_;
    if (narrow != compact_)
        set_compact(narrow);
}

QCheckBox* data_tool_bar::make_filter_box(const QString& text) {
    auto* b = new QCheckBox(text, this);
    b->setCursor(Qt::PointingHandCursor);
    b->setStyleSheet(check_style);
    return b;
}

void data_tool_bar::set_app_type(int app_type) {
    switch (app_type) {
    case 0:
        normal_->show();
        check_->setText(tr("Check"));
        check_->show();
        general_->hide();
        severe_->hide();
        critical_->hide();
        favorite_->show();
        gen_report_btn_->show();
        break;
    case 1:
        for (QWidget* w : {static_cast<QWidget*>(normal_), static_cast<QWidget*>(check_),
                           static_cast<QWidget*>(general_), static_cast<QWidget*>(severe_),
                           static_cast<QWidget*>(critical_), static_cast<QWidget*>(favorite_),
                           static_cast<QWidget*>(gen_report_btn_)})
            w->hide();
        break;
    case 2:
        normal_->show();
        check_->setText(tr("Attention"));
        check_->show();
        general_->show();
        severe_->show();
        critical_->show();
        favorite_->show();
        gen_report_btn_->show();
        break;
    default:
        return;
    }
    measure_widths();
}

void data_tool_bar::set_survey_visible(bool visible) {
    if (survey_btn_->isVisibleTo(this) == visible)
        return;
    survey_btn_->setVisible(visible);
    measure_widths();
}

void data_tool_bar::uncheck_level_filters() {
    for (QCheckBox* b : {normal_, check_, general_, severe_, critical_}) {
        const QSignalBlocker block(b);
        b->setChecked(false);
    }
}

filter_states data_tool_bar::states() const {
    // A box the bar hides for this writer cannot be seen or cleared, so it
    // filters nothing; its check is kept for when it shows again.
    auto on = [](const QCheckBox* b) { return b->isChecked() && !b->isHidden(); };
    filter_states s;
    s.normal = on(normal_);
    s.check = on(check_);
    s.general = on(general_);
    s.severe = on(severe_);
    s.critical = on(critical_);
    s.favorite = on(favorite_);
    return s;
}

bool data_tool_bar::select_all_checked() const {
    return select_all_->isChecked();
}

void data_tool_bar::search_again() {
    search_btn_->click();
}

void data_tool_bar::on_search_btn_clicked() {
    run_search();
}

void data_tool_bar::on_search_editing_finished() {
    // Losing the focus also finishes editing; only Enter searches.
    if (!search_edit_->hasFocus())
        return;
    run_search();
}

void data_tool_bar::run_search() {
    const std::wstring text = search_edit_->text().toStdWString();
    const filter_states s = states();
    if (data_import_db_select_all().empty())
        return;
    search_result_.clear();
    if (!general_->isHidden())
        search_result_ = data_list_db_search_discharge(text, s.normal, s.check, s.general, s.severe,
                                                       s.critical, s.favorite);
    else
        search_result_ = data_list_db_search(text, s.normal, s.check, s.favorite);
    Q_EMIT search_result_change(&search_result_);
}

void data_tool_bar::paintEvent(QPaintEvent*) {
    QStyleOption opt;
    opt.initFrom(this);
    QPainter p(this);
    style()->drawPrimitive(QStyle::PE_Widget, &opt, &p, this);
}
