#include "report/report_plot_obj.h"

#include "core/app_log.h"
#include "platform/atomic_file.h"
#include "platform/text.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImageWriter>

namespace {
// Encodes the picture by the file's suffix (default quality) and replaces
// the file whole: a report never picks up a half-written picture.
bool save_picture(const QImage& img, const std::wstring& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpg");
    if (!writer.write(img))
        return false;
    return platform::write_file_replace(wide_to_utf8(path),
                                        std::string(bytes.constData(), size_t(bytes.size()))) == 0;
}
} // namespace

report_plot_obj::report_plot_obj(QObject* parent)
    : QObject(parent), spectrum_(report_spectrum_chart()), prpd_(report_prpd_chart()) {
    app_log("report_plot_obj::report_plot_obj");
}

report_plot_obj::~report_plot_obj() {
    app_log("report_plot_obj exit");
}

void report_plot_obj::update_wave_fft(QVector<QPointF> p, double x0, double x1, double y0,
                                      double y1) {
    app_log("report_plot_obj::update_wave_fft %.f ~ %.f, %f ~ %f", x0, x1, y0, y1);
    set_report_axis_range(spectrum_.x, x0, x1);
    set_report_axis_range(spectrum_.y, y0, y1);
    spectrum_.points = std::move(p);
    Q_EMIT update_one_plot();
}

void report_plot_obj::update_wave_prpd(QVector<QPointF> p, double, double, double, double) {
    // The phase and amplitude axes keep 0..360 and 0..1.05.
    prpd_.points = std::move(p);
    Q_EMIT update_one_plot();
}

void report_plot_obj::save_report_plot(std::wstring path) {
    QElapsedTimer timer;
    timer.start();
    const bool spectrum_ok =
        save_picture(render_report_chart(spectrum_), path + L"/report_spectrum.jpg");
    const bool prpd_ok = save_picture(render_report_chart(prpd_), path + L"/report_prpd.jpg");
    busy_ns_ += timer.nsecsElapsed();
    Q_EMIT save_report_plot_finish();
    app_log("save_report_plot %d %d", spectrum_ok ? 1 : 0, prpd_ok ? 1 : 0);
}
