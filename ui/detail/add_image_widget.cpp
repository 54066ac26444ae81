#include "ui/detail/add_image_widget.h"

#include "analysis/device_type_names.h"
#include "analysis/picture_file.h"
#include "analysis/stft_fft_handoff.h"
#include "store/local_dir_check.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>

#include <cerrno>

namespace {
const char* panel_style = "background: rgba(42,44,54,0.6);border-radius: 6px;"
                          "border: 1px solid #4A4D5E;";
const QString font_family = QStringLiteral("font-family: \"SourceHanSansCN\";");
const QString title_style = font_family + QStringLiteral("font-size: 32px;font-weight: bold;"
                                                         "background: rgba(48,56,84,0.4);"
                                                         "color: #F5F7FF;border: none;");
const QString value_style =
    font_family + QStringLiteral("font-size: 24px;color: #B2232A;background: transparent;"
                                 "border: none;");
const QString text_style =
    font_family + QStringLiteral("font-size: 18px;color: #F9FAFF;background: transparent;"
                                 "border: none;");

QString number(double v, int decimals) {
    return QString::number(v, 'f', decimals);
}
} // namespace

AddImageWidget::AddImageWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_DontShowOnScreen);
    setFixedSize(800, 640);
    setStyleSheet(QStringLiteral("AddImageWidget{background: #2A2C36;}"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(42, 44, 54));
    setPalette(pal);

    background_ = new QLabel(this);
    background_->setGeometry(0, 0, 800, 640);
    background_->setScaledContents(true);

    center_mark_ = new QLabel(this);
    const QPixmap mark(QStringLiteral(":/Halvix/Resources/center_mark.png"));
    center_mark_->setPixmap(mark);
    center_mark_->setGeometry(QRect(QPoint(0, 0), mark.isNull() ? QSize(0, 0) : mark.size())
                                  .translated(400 - mark.width() / 2, 320 - mark.height() / 2));

    logo_ = new QLabel(this);
    QPixmap logo(QStringLiteral(":/Halvix/Resources/logo.png"));
    if (!logo.isNull() && (logo.width() > 180 || logo.height() > 56))
        logo = logo.scaled(180, 56, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    logo_->setPixmap(logo);
    logo_->setGeometry(16, 16, logo.width(), logo.height());

    QLabel* spl_panel = make_label("spl_panel", panel_style);
    spl_panel->setGeometry(584, 16, 200, 96);
    QLabel* title = make_label("spl_title", title_style);
    title->setGeometry(592, 22, 184, 48);
    title->setAlignment(Qt::AlignCenter);
    QLabel* spl_value = make_label("spl_value", value_style);
    spl_value->setGeometry(592, 72, 184, 34);
    spl_value->setAlignment(Qt::AlignCenter);

    colorbar_label_ = new QLabel(this);
    colorbar_label_->setScaledContents(true);
    colorbar_label_->setGeometry(704, 124, 80, 300);

    QLabel* info_panel = make_label("info_panel", panel_style);
    info_panel->setGeometry(16, 456, 360, 168);
    const char* info_names[] = {"time_text", "distance_text", "band_text", "device_text"};
    for (int i = 0; i < 4; ++i) {
        QLabel* l = make_label(info_names[i], text_style);
        l->setGeometry(28, 464 + i * 38, 340, 34);
    }
    QLabel* leak_panel = make_label("leak_panel", panel_style);
    leak_panel->setGeometry(392, 496, 392, 128);
    const char* leak_names[] = {"rate_text", "level_text", "cost_text"};
    for (int i = 0; i < 3; ++i) {
        QLabel* l = make_label(leak_names[i], text_style);
        l->setGeometry(404, 504 + i * 38, 372, 34);
    }
}

QLabel* AddImageWidget::make_label(const char* name, const QString& style) {
    auto* l = new QLabel(this);
    l->setObjectName(QString::fromLatin1(name));
    l->setStyleSheet(style);
    return l;
}

QString AddImageWidget::text_of(const char* object_name) const {
    const auto* l = findChild<QLabel*>(QString::fromLatin1(object_name));
    return l ? l->text() : QString();
}

void AddImageWidget::set_colorbar(unsigned char* buffer, int w, int h) {
    std::unique_ptr<unsigned char[]> owned = stft_fft_buffer_take(buffer);
    if (!owned || w <= 0 || h <= 0)
        return;
    colorbar_ = QImage(owned.get(), w, h, w * 3, QImage::Format_RGB888).copy();
    colorbar_label_->setPixmap(QPixmap::fromImage(colorbar_));
}

void AddImageWidget::clear_colorbar() {
    colorbar_ = QImage();
    colorbar_label_->clear();
}

void AddImageWidget::write(const QString& picture_path, double, double, int band_start_hz,
                           int band_end_hz, double distance_m, const QString& time_text,
                           const QString& currency, int unit_mode, double spl_1m, double leak_rate,
                           double leak_level, double leak_cost, const QString& device_type,
                           bool gas_leak_mode) {
    background_->setPixmap(QPixmap(picture_path));
    auto set = [this](const char* name, const QString& text, bool visible = true) {
        if (auto* l = findChild<QLabel*>(QString::fromLatin1(name))) {
            l->setText(text);
            l->setVisible(visible);
        }
    };
    set("spl_title", tr("%1dB").arg(qRound(spl_1m)));
    set("spl_value", tr("%1 dB").arg(number(spl_1m, 1)));
    set("time_text", time_text);
    set("distance_text", tr("%1m").arg(number(distance_m, 1)));
    set("band_text", tr("%1k~%2kHz").arg(band_start_hz / 1000).arg(band_end_hz / 1000));
    set("device_text", device_type);
    const QString rate = unit_mode == 1 ? tr("%1:   %2 CFM") : tr("%1:   %2 L/min");
    set("rate_text", rate.arg(tr("Leak rate"), number(leak_rate, 1)), gas_leak_mode);
    set("level_text", tr("%1:   %2").arg(tr("Leak level"), number(leak_level, 2)), gas_leak_mode);
    set("cost_text", tr("%1:   %2").arg(tr("Cost(%1/yr)").arg(currency), number(leak_cost, 1)),
        gas_leak_mode);
    if (auto* p = findChild<QLabel*>(QStringLiteral("leak_panel")))
        p->setVisible(gas_leak_mode);
}

QImage AddImageWidget::render_image() {
    QImage out(size(), QImage::Format_RGB32);
    out.fill(QColor(42, 44, 54));
    QPainter p(&out);
    render(&p, QPoint(), QRegion(), QWidget::DrawChildren);
    p.end();
    return out;
}

QString annotated_picture_path(const data_info& d) {
    const QString dir = QDir::cleanPath(QString::fromStdWString(d.data_dir));
    return dir + QLatin1Char('/') + QFileInfo(dir).fileName() + QStringLiteral(".jpg");
}

int save_annotated_picture(AddImageWidget& w, const data_info& d, double spl_1m) {
    const QString dir = QString::fromStdWString(d.data_dir);
    w.write(dir + QStringLiteral("/grab.jpg"), 0, 0, d.freq_range_start, d.freq_range_end,
            d.distance, QString::fromStdString(d.time), QString::fromStdWString(d.gasleak_currency),
            d.gasleak_unit_mode, spl_1m, d.leak_rate, d.leak_level, d.leak_cost,
            QString::fromStdWString(device_type_display_name(d.device_type)), d.sign_mode == 2);
    // Written through the atomic replace: a full disk keeps the old picture.
    const std::wstring item = trim_dir_root(d.data_dir);
    return write_picture_file(item + L"/" + local_root_name(item) + L".jpg", w.render_image(),
                              "JPG", 90);
}
