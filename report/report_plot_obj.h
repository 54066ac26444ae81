#pragma once
// The two report pictures of a data item: the averaged spectrum and the PRPD
// scatter, kept from the analysis object's updates and saved as
// report_spectrum.jpg and report_prpd.jpg (800 x 400) in the item's
// directory. A handshake through its owner (update_one_plot after each chart
// update, save_report_plot when both are in) tells the report task when the
// files are written.
// Threading: lives on a plot thread of its own; its slots run there. The
// charts are drawn by widget-free painter code, never by a QChart.
// busy_seconds() may be read from any thread.

#include "report/report_chart_painter.h"

#include <QObject>
#include <QPointF>
#include <QVector>

#include <atomic>
#include <string>

class report_plot_obj : public QObject {
    Q_OBJECT
public:
    explicit report_plot_obj(QObject* parent = nullptr);
    ~report_plot_obj() override;

    // Time spent drawing and saving pictures since construction.
    double busy_seconds() const { return busy_ns_.load() / 1e9; }
    // The charts as they stand (plot thread, or while the thread is idle).
    const report_chart& spectrum() const { return spectrum_; }
    const report_chart& prpd() const { return prpd_; }

Q_SIGNALS:
    void update_one_plot();
    void save_report_plot_finish();

public Q_SLOTS:
    void update_wave_fft(QVector<QPointF> p, double x0, double x1, double y0, double y1);
    void update_wave_prpd(QVector<QPointF> p, double x0, double x1, double y0, double y1);
    // Writes path + "/report_spectrum.jpg" and path + "/report_prpd.jpg".
    void save_report_plot(std::wstring path);

private:
    report_chart spectrum_;
    report_chart prpd_;
    std::atomic<long long> busy_ns_{0};
};
