#pragma once
// Shared pieces of the analysis worker tests: a collector of every result
// signal, the request for an item, and the test class.

#include "analysis/data_detail_func_obj.h"
#include "analysis/stft_fft_handoff.h"
#include "item_writer.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

// Everything one run emitted (direct connections: the worker runs on the
// test thread).
struct collected {
    QVector<QPointF> wave, fft, prpd;
    double wave_r[4] = {}, fft_r[4] = {};
    int wave_n = 0, fft_n = 0, prpd_n = 0, stft_n = 0, clear_n = 0, bar_n = 0, spl_n = 0;
    QImage stft;
    int stft_w = 0, stft_h = 0;
    double stft_r[4] = {};
    QImage bar;
    std::vector<QImage> pics;
    std::vector<bool> preview;
    double spl = -1;
};

inline void collect(data_detail_func_obj& w, collected& c) {
    QObject::connect(&w, &data_detail_func_obj::update_wave,
                     [&c](QVector<QPointF> p, double a, double b, double y0, double y1) {
                         c.wave = p;
                         c.wave_r[0] = a, c.wave_r[1] = b, c.wave_r[2] = y0, c.wave_r[3] = y1;
                         ++c.wave_n;
                     });
    QObject::connect(&w, &data_detail_func_obj::update_wave_fft,
                     [&c](QVector<QPointF> p, double a, double b, double y0, double y1) {
                         c.fft = p;
                         c.fft_r[0] = a, c.fft_r[1] = b, c.fft_r[2] = y0, c.fft_r[3] = y1;
                         ++c.fft_n;
                     });
    QObject::connect(&w, &data_detail_func_obj::update_wave_prpd,
                     [&c](QVector<QPointF> p, double, double, double, double) {
                         c.prpd = p;
                         ++c.prpd_n;
                     });
    QObject::connect(&w, &data_detail_func_obj::update_stft,
                     [&c](QImage img, int w, int h, double a, double b, double y0, double y1) {
                         c.stft = img;
                         c.stft_w = w, c.stft_h = h;
                         c.stft_r[0] = a, c.stft_r[1] = b, c.stft_r[2] = y0, c.stft_r[3] = y1;
                         ++c.stft_n;
                     });
    QObject::connect(&w, &data_detail_func_obj::update_stft_fft,
                     [&c](unsigned char* buf, int w, int h) {
                         auto owned = stft_fft_buffer_take(buf);
                         if (owned)
                             c.bar = QImage(owned.get(), w, h, w * 3, QImage::Format_RGB888).copy();
                         ++c.bar_n;
                     });
    QObject::connect(&w, &data_detail_func_obj::update_stft_clear, [&c]() { ++c.clear_n; });
    QObject::connect(&w, &data_detail_func_obj::update_pic, [&c](int idx, QImage img, bool pre) {
        if (int(c.pics.size()) <= idx) {
            c.pics.resize(size_t(idx) + 1);
            c.preview.resize(size_t(idx) + 1);
        }
        c.pics[size_t(idx)] = img;
        c.preview[size_t(idx)] = pre;
    });
    QObject::connect(&w, &data_detail_func_obj::update_spl, [&c](double v) {
        c.spl = v;
        ++c.spl_n;
    });
}

// The detail view's request for an item.
inline data_info request_for(const QString& dir, int frame_num, int start = 0, int count = 25,
                             int fs = 192000) {
    data_info d;
    d.data_dir = dir.toStdWString();
    d.frame_num = frame_num;
    d.dd_start_frame_idx = start;
    d.frame_read_num = count;
    d.pic_num = 6;
    d.data_type = 0;
    d.fs = fs;
    d.distance = 1;
    return d;
}

// Pa per count of the big-endian layout at sensitivity 50.
constexpr double pa_per_count = 1000.0 / 50 * 1.407374883553 / 16384;
// Pa per unit of the little-endian layouts.
constexpr double pa_per_unit = 125.0 / 3;

// RMS level in dB re 20 uPa of a tone of peak amplitude a (Pa).
inline double tone_db(double a) {
    return 20 * std::log10(a / std::sqrt(2.0)) + 94;
}

inline const QPointF* peak_of(const QVector<QPointF>& p) {
    const QPointF* best = nullptr;
    for (const QPointF& q : p)
        if (!best || q.y() > best->y())
            best = &q;
    return best;
}

// Re-emits worker results on the thread it lives on (queued hop).
class result_relay : public QObject {
    Q_OBJECT
Q_SIGNALS:
    void fft(QVector<QPointF> p, double x0, double x1, double y0, double y1);
    void bar(unsigned char* buffer, int w, int h);
};

class tst_detail_worker : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    // Main runs (tst_detail_worker.cpp).
    void tone_run_spectrum_spectrogram_wave_prpd();
    void row_reduction_keeps_colour_bar_rows();
    void window_moved_back_with_picture_slots();
    void one_frame_clears_spectrogram();
    void silent_frame_stops_average();
    // Edges (tst_detail_worker_edges.cpp).
    void flat_waveform_without_wave_block();
    void newest_request_wins_under_concurrent_adds();
    void prpd_ring_cleared_between_runs();
    void report_and_other_funcs();
    void low_sample_rate_and_unequal_frames();
    void queued_results_and_colour_bar_ownership();
    void missing_item_emits_nothing();
    void scale_sensitivity_distance_and_unknown_writer();

private:
    QString item(const QString& name) const { return tmp_.path() + "/" + name; }
    QString log_path() const { return tmp_.path() + "/test.log"; }
    // Log text written since the given size.
    QString log_since(qint64 from) const {
        QFile f(log_path());
        if (!f.open(QIODevice::ReadOnly) || !f.seek(from))
            return QString();
        return QString::fromUtf8(f.readAll());
    }
    qint64 log_size() const { return QFileInfo(log_path()).size(); }
    QTemporaryDir tmp_;
};
