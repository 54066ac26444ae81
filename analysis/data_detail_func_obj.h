#pragma once
// The analysis worker: turns a run of frames of a data item into the
// waveform, averaged spectrum, spectrogram with its colour bar, PRPD scatter,
// the frame pictures and the SPL, and hands them back as queued signals.
// Threading: the object lives on its own worker thread and runs one request
// at a time in update_data(). data_detail_handle_add(), set_stft_view_size()
// and last_run() may be called from any thread; they take the request lock.

#include "analysis/datafile/data_file.h"
#include "analysis/real_fft.h"
#include "store/records.h"

#include <QImage>
#include <QObject>
#include <QPointF>
#include <QVector>

#include <cstdint>
#include <mutex>
#include <vector>

Q_DECLARE_METATYPE(unsigned char*)

// What the last run did, for callers that print it (the command line).
struct detail_run_info {
    bool ran = false; // frames were read and analysed
    int requested_start = 0;
    int start_used = 0;
    int requested_count = 0;
    int frames_read = 0;
    // Seconds per stage, as the run's log line reports them.
    double t_total = 0;
    double t_spectrum = 0;
    double t_stft = 0;
    double t_prpd = 0;
    double t_wave = 0;
    double t_pic = 0;
    double t_read = 0;
    // Value range of the spectrogram (0 when there was none).
    double stft_min = 0;
    double stft_max = 0;
};

class data_detail_func_obj : public QObject {
    Q_OBJECT
public:
    explicit data_detail_func_obj(QObject* parent = nullptr);
    ~data_detail_func_obj() override;

    // Queues a request; the next update_data() serves the newest one.
    // Returns the request's tag (increasing from 1), which the run serving
    // it announces with update_run_tag before its results.
    quint64 data_detail_handle_add(data_info d);
    // True while a queued request waits for a run.
    bool has_pending_request() const;
    // Pixel size of the spectrogram display; height is the target row count
    // (0 = no reduction).
    void set_stft_view_size(int width, int height);
    detail_run_info last_run() const;
    // Work buffers (re)allocated since construction; stays put while sizes
    // repeat, which is how reuse between runs is checked.
    int work_buffer_allocations() const { return allocations_; }

public Q_SLOTS:
    // 0 = detail view, 1 = report (raw picture, spectrum, PRPD), other =
    // spectrum and PRPD only.
    void update_data(int func);

Q_SIGNALS:
    void update_wave(QVector<QPointF> p, double x0, double x1, double y0, double y1);
    void update_wave_fft(QVector<QPointF> p, double x0, double x1, double y0, double y1);
    void update_wave_prpd(QVector<QPointF> p, double x0, double x1, double y0, double y1);
    void update_stft(QImage img, int w, int h, double x0, double x1, double y0, double y1);
    // RGB 8-8-8 rows, w = 256. The receiver owns the buffer: it must claim it
    // with stft_fft_buffer_take() (analysis/stft_fft_handoff.h) and must not
    // use it when that returns null. Not emitted while nothing is connected.
    void update_stft_fft(unsigned char* buffer, int w, int h);
    void update_stft_clear();
    void update_pic(int idx, QImage img, bool is_preview);
    void update_spl(double v);
    // First signal of every run that takes a request: the results that
    // follow (up to the next update_run_tag) belong to the request with
    // this tag. Receivers that queue several requests keep only the results
    // of their newest one, however late a superseded run delivers.
    void update_run_tag(quint64 tag);

private:
    struct scales {
        double analysis = 1; // signal units to Pa
        double display = 1;
        double prpd = 1;
    };
    template <class T> bool ensure_size(std::vector<T>& v, size_t n, const char* what);
    scales scale_factors(const data_info& h) const;
    void run_pictures(int requested_start, int start_used, int pic_num);
    void run_wave(double x0, double duration, double dt, double display_scale);
    void run_raw_picture(const data_info& d);
    void run_spectrum(const data_info& h, int fs, double s);
    bool run_stft(const data_info& h, int fs, double s, double x0, double duration,
                  int target_rows);
    int stft_window_count() const;
    void run_prpd(int fs, double prpd_scale);

    mutable std::mutex request_lock_;
    std::vector<data_info> requests_;
    quint64 last_tag_ = 0;
    int view_width_ = 0;
    int view_height_ = 0;
    detail_run_info last_run_;

    std::vector<signal_frame_ptr> frames_;
    QVector<QPointF> wave_points_;
    QVector<QPointF> fft_points_;
    QVector<QPointF> prpd_points_;

    real_fft fft_;
    std::vector<float> fft_level_; // L of one block
    std::vector<float> fft_avg_;   // running average A

    real_fft stft_fft_;
    std::vector<float> stft_window_;
    std::vector<float> stft_acc_;       // column accumulator G
    std::vector<float> stft_power_avg_; // E
    std::vector<float> stft_level_avg_; // frame level average F
    std::vector<float> stft_level_sum_; // per-frame level sum S
    std::vector<float> stft_power_;     // P of one window
    std::vector<float> stft_data_;      // columns x rows, row-major by row
    std::vector<float> stft_reduced_;
    std::vector<uint8_t> stft_image_;

    std::vector<uint8_t> prpd_mask_;
    std::vector<double> prpd_ring_;

    float stft_min_ = 0;
    float stft_max_ = 0;
    int allocations_ = 0;
};
