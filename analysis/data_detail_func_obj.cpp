#include "analysis/data_detail_func_obj.h"

#include "analysis/signal_math.h"
#include "analysis/stft_fft_handoff.h"
#include "core/app_log.h"
#include "platform/atomic_file.h"
#include "platform/text.h"

#include <QElapsedTimer>
#include <QMetaMethod>

#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <new>

namespace {
constexpr int stft_window_size = 1920;
constexpr int stft_hop = 960;
constexpr int stft_group = 4;
constexpr int prpd_frames_max = 10;
constexpr float colour_bar_floor_top = 80;

int frame_signal_count(const signal_frame& f) {
    return std::max(0, std::min(f.sample_num, int(f.signal.size())));
}

int frame_wave_count(const signal_frame& f) {
    return std::max(0, std::min(f.wave_num, int(f.wave.size())));
}

// The bin holding a band limit, floor(hz / df), at least 0.
int band_bin(int hz, double df) {
    return int(std::clamp(std::floor(hz / df), 0.0, double(INT_MAX / 2)));
}
} // namespace

data_detail_func_obj::data_detail_func_obj(QObject* parent) : QObject(parent) {
    qRegisterMetaType<unsigned char*>("unsigned char*");
    qRegisterMetaType<QVector<QPointF>>("QVector<QPointF>");
}

data_detail_func_obj::~data_detail_func_obj() {
    app_log("data_detail_func_obj exit");
}

quint64 data_detail_func_obj::data_detail_handle_add(data_info d) {
    app_log("data_detail_handle_add %s", wide_to_utf8(d.data_dir).c_str());
    quint64 tag = 0;
    {
        std::lock_guard<std::mutex> lock(request_lock_);
        requests_.push_back(std::move(d));
        tag = ++last_tag_;
    }
    app_log("data_detail_handle_add");
    return tag;
}

bool data_detail_func_obj::has_pending_request() const {
    std::lock_guard<std::mutex> lock(request_lock_);
    return !requests_.empty();
}

void data_detail_func_obj::set_stft_view_size(int width, int height) {
    std::lock_guard<std::mutex> lock(request_lock_);
    view_width_ = width;
    view_height_ = height;
}

detail_run_info data_detail_func_obj::last_run() const {
    std::lock_guard<std::mutex> lock(request_lock_);
    return last_run_;
}

template <class T>
bool data_detail_func_obj::ensure_size(std::vector<T>& v, size_t n, const char* what) {
    if (v.size() == n)
        return true;
    const bool grows = n > v.capacity();
    try {
        v.assign(n, T());
    } catch (const std::bad_alloc&) {
        v.clear();
        v.shrink_to_fit();
        app_log("%s alloc %d", what ? what : "work buffer", int(n));
        return false;
    }
    if (grows) {
        ++allocations_;
        if (what)
            app_log("%s alloc", what);
    }
    return true;
}

data_detail_func_obj::scales data_detail_func_obj::scale_factors(const data_info& h) const {
    scales sc;
    if (h.app_type == 0) {
        // 16-bit converter counts to Pa; a missing sensitivity is the usual 50.
        const double sensitivity = h.mic_sensitivity > 0 ? h.mic_sensitivity : 50.0;
        sc.analysis = be_pa_per_count(sensitivity);
    } else {
        sc.analysis = sc.display = sc.prpd = le_pa_per_unit;
    }
    // distance_correct_enable is deliberately not applied here: every level
    // computed from s (spectrum, spectrogram rows, colour bar) expects a
    // plain Pa-per-unit factor, and a distance term would mix a level into
    // it. The scale stays the Pa-per-unit factor whatever the flag says.
    return sc;
}

void data_detail_func_obj::update_data(int func) {
    QElapsedTimer total;
    total.start();
    app_log("data_detail_func_obj::update_data0");
    data_info d;
    int target_rows = 0;
    bool empty = false;
    quint64 tag = 0;
    {
        std::lock_guard<std::mutex> lock(request_lock_);
        if (requests_.empty()) {
            empty = true;
        } else {
            d = requests_.back();
            requests_.clear();
            tag = last_tag_;
        }
        target_rows = view_height_;
    }
    if (empty)
        app_log("data_detail_func_obj::update_data empty");
    else
        Q_EMIT update_run_tag(tag);
    if (d.data_dir.empty())
        return;
    const std::string dir = wide_to_utf8(d.data_dir);
    app_log("update_data b:%s", dir.c_str());

    detail_run_info info;
    const int requested_start = std::max(d.dd_start_frame_idx, 0);
    const int count = d.frame_read_num;
    int start = requested_start;
    if (d.frame_num - start < count)
        start = std::max(d.frame_num - count, 0);
    info.requested_start = requested_start;
    info.start_used = start;
    info.requested_count = count;

    QElapsedTimer stage;
    stage.start();
    frames_.clear();
    // The item's rate stands in while the header has none, so band defaults
    // derived from it (half the rate) still make sense.
    data_info h;
    h.fs = d.fs;
    int32_t read = count;
    bool at_end = false;
    if (count > 0)
        read_data_frames(d.data_dir + L"/Data.dat", start, read, frames_, h, at_end);
    const int frames_read = int(frames_.size());
    info.t_read = stage.nsecsElapsed() * 1e-9;
    info.frames_read = frames_read;
    app_log("read_data_frames %d %d %d %d %d", d.dd_start_frame_idx, start, count, frames_read,
            frames_read == count ? 1 : 0);
    auto finish_info = [&]() {
        std::lock_guard<std::mutex> lock(request_lock_);
        last_run_ = info;
    };
    if (frames_.empty()) {
        app_log("update_data frames.empty()");
        finish_info();
        return;
    }
    const int fs = d.fs > 0 ? d.fs : h.fs;
    if (fs <= 0) {
        // Without a sampling rate nothing has a time or frequency axis; the
        // plots are emptied so the previous item's results do not linger.
        app_log("update_data fs:%d, no sampling rate: plots left empty", fs);
        frames_.clear();
        wave_points_.clear();
        fft_points_.clear();
        prpd_points_.clear();
        if (func == 0) {
            Q_EMIT update_wave(wave_points_, 0, 0, 0, 0);
            Q_EMIT update_stft_clear();
        }
        Q_EMIT update_wave_fft(fft_points_, 0, 0, 0, 0);
        Q_EMIT update_wave_prpd(prpd_points_, 0, 0, 0, 0);
        finish_info();
        return;
    }

    const scales sc = scale_factors(h);
    const double dt = 1.0 / fs;
    const int n = frames_[0]->wave_num;
    const double x0 = n * dt * start;
    const double duration = n * dt * frames_read;

    if (func == 0) {
        stage.restart();
        if (d.data_type == 0)
            run_pictures(requested_start, start, d.pic_num);
        info.t_pic = stage.nsecsElapsed() * 1e-9;
        stage.restart();
        run_wave(x0, duration, dt, sc.display);
        info.t_wave = stage.nsecsElapsed() * 1e-9;
    }
    if (func == 1)
        run_raw_picture(d);

    stage.restart();
    run_spectrum(h, fs, sc.analysis);
    info.t_spectrum = stage.nsecsElapsed() * 1e-9;

    if (func == 0) {
        stage.restart();
        stft_min_ = stft_max_ = 0;
        if (frames_read < 2 || !run_stft(h, fs, sc.analysis, x0, duration, target_rows))
            Q_EMIT update_stft_clear();
        info.stft_min = stft_min_;
        info.stft_max = stft_max_;
        info.t_stft = stage.nsecsElapsed() * 1e-9;
    }

    stage.restart();
    run_prpd(fs, sc.prpd);
    info.t_prpd = stage.nsecsElapsed() * 1e-9;

    frames_.clear();
    info.ran = true;
    info.t_total = total.nsecsElapsed() * 1e-9;
    finish_info();
    app_log("update_data finish %.3f f:%.3f s:%.3f p:%.3f w:%.3f p:%.3f", info.t_total,
            info.t_spectrum, info.t_stft, info.t_prpd, info.t_wave, info.t_pic);
}

void data_detail_func_obj::run_pictures(int requested_start, int start_used, int pic_num) {
    const int shift = requested_start - start_used;
    const int nf = int(frames_.size());
    for (int i = 0; i < pic_num; ++i) {
        const int j = i + shift;
        QImage img;
        double spl = 0;
        if (i < nf && j >= 0 && j < nf) {
            const signal_frame& f = *frames_[size_t(j)];
            const int len = std::min(f.picture_len, int(f.picture.size()));
            if (len > 0)
                img = QImage::fromData(f.picture.data(), len, "JPG");
            spl = f.spl;
        }
        Q_EMIT update_pic(i, img, i == 0);
        if (i == 0)
            Q_EMIT update_spl(spl);
    }
}

void data_detail_func_obj::run_wave(double x0, double duration, double dt, double display_scale) {
    int total = 0;
    for (const auto& f : frames_)
        total += frame_wave_count(*f);
    if (total > wave_points_.capacity())
        ++allocations_;
    wave_points_.resize(total);
    QPointF* p = wave_points_.data();
    float mn = FLT_MAX;
    float mx = -FLT_MAX;
    float x = float(x0);
    for (const auto& f : frames_) {
        const int wn = frame_wave_count(*f);
        const float* w = f->wave.data();
        for (int i = 0; i < wn; ++i) {
            // A sample that is no number is drawn as 0 and kept out of the range.
            float y = float(w[i] * display_scale);
            if (!std::isfinite(y))
                y = 0;
            mn = std::min(mn, y);
            mx = std::max(mx, y);
            *p++ = QPointF(x, y);
            x = float(x + dt);
        }
    }
    const double ymax = total > 0 ? std::max(std::fabs(mn), mx) / 0.9 : 0.0;
    Q_EMIT update_wave(wave_points_, x0, x0 + duration, -ymax, ymax);
    app_log("emit update_wave");
}

void data_detail_func_obj::run_raw_picture(const data_info& d) {
    const size_t idx = d.data_type == 1 ? frames_.size() - 1 : 0;
    const signal_frame& f = *frames_[idx];
    const int len = std::min(f.raw_picture_len, int(f.raw_picture.size()));
    if (len <= 0) {
        app_log("save raw img len:%d", f.raw_picture_len);
        return;
    }
    // Replaced whole or not at all: a report must not pick up half a picture.
    const int err = platform::write_file_atomic(
        wide_to_utf8(d.data_dir + L"/grab_raw.jpg"),
        std::string(reinterpret_cast<const char*>(f.raw_picture.data()), size_t(len)));
    if (err != 0)
        app_log("save raw img errno:%d", err);
}

void data_detail_func_obj::run_spectrum(const data_info& h, int fs, double s) {
    fft_points_.clear();
    double x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    const int n = frame_signal_count(*frames_[0]);
    // The exact bin width: rates that the block length does not divide
    // (44.1 kHz in 4096 samples) would otherwise put every bin at the wrong
    // frequency. Where it divides (192 kHz in 7680) the value is the same.
    const double df = n > 0 ? double(fs) / n : 0.0;
    bool ready = n >= 2 && df > 0;
    if (!ready)
        app_log("update_wave_fft empty: %d samples at %d Hz give no bin width", n, fs);
    if (ready && fft_.size() != n) {
        app_log("frame_signal_copy fft_point fft_mem alloc");
        ready = fft_.resize(n) && ensure_size(fft_level_, size_t(n / 2 + 1), nullptr) &&
                ensure_size(fft_avg_, size_t(n / 2 + 1), nullptr);
        if (ready)
            ++allocations_;
        else
            app_log("update_wave_fft empty: no FFT of %d points", n);
    }
    if (ready) {
        const int k0 = band_bin(h.freq_range_start, df);
        const int k1 = std::min(n / 2, band_bin(h.freq_range_end, df));
        if (k0 > k1)
            app_log("update_wave_fft empty: band %d..%d Hz outside 0..%d Hz", h.freq_range_start,
                    h.freq_range_end, fs / 2);
        if (k0 <= k1) {
            float* level = fft_level_.data();
            float* avg = fft_avg_.data();
            std::fill(avg + k0, avg + k1 + 1, 0.0f);
            float* in = fft_.input();
            for (const auto& f : frames_) {
                // A shorter frame has no full block; it is left out, never padded.
                if (frame_signal_count(*f) < n) {
                    app_log("update_wave_fft frame of %d samples left out (block %d)",
                            frame_signal_count(*f), n);
                    continue;
                }
                const float* sig = f->signal.data();
                for (int i = 0; i < n; ++i) {
                    const double v = double(sig[i]) * s;
                    in[i] = std::fabs(v) <= FLT_MAX ? float(v) : 0.0f; // no number counts as 0
                }
                fft_.execute();
                if (!amplitude_spectrum_db(fft_.output(), n, k0, k1, level))
                    break;
                for (int k = k0; k <= k1; ++k)
                    avg[k] = (level[k] + 94.0f + 9.0f * avg[k]) / 10.0f;
            }
            if (k1 - k0 + 1 > fft_points_.capacity())
                ++allocations_;
            fft_points_.reserve(k1 - k0 + 1);
            float mn = FLT_MAX;
            float mx = -FLT_MAX;
            for (int k = k0; k <= k1; ++k) {
                fft_points_.append(QPointF(k * df, avg[k]));
                mn = std::min(mn, avg[k]);
                mx = std::max(mx, avg[k]);
            }
            x0 = k0 * df;
            x1 = k1 * df;
            y0 = mn - 0.05 * (double(mx) - mn);
            y1 = mx + 0.05 * (double(mx) - mn);
        }
    }
    Q_EMIT update_wave_fft(fft_points_, x0, x1, y0, y1);
    app_log("emit update_wave_fft");
}

int data_detail_func_obj::stft_window_count() const {
    int windows = 0;
    int prev = 0;
    for (size_t f = 0; f < frames_.size(); ++f) {
        const int n = frame_signal_count(*frames_[f]);
        if (f > 0 && prev >= stft_hop && n >= stft_hop)
            ++windows;
        if (n >= stft_window_size)
            windows += (n - stft_window_size) / stft_hop + 1;
        prev = n;
    }
    return windows;
}

bool data_detail_func_obj::run_stft(const data_info& h, int fs, double s, double x0,
                                    double duration, int target_rows) {
    if (fs <= 0) {
        app_log("update_stft_clear: no sampling rate");
        return false;
    }
    // Exact, as for the spectrum: rows and their labels stay at the right
    // frequencies at every rate.
    const double df = double(fs) / stft_window_size;
    const int k0 = band_bin(h.freq_range_start, df);
    const int k1 = std::min(stft_window_size / 2, band_bin(h.freq_range_end, df));
    const int rows = k1 - k0;
    // Windows are counted where they really are, so frames of unequal length
    // never leave columns unfilled.
    const int columns = stft_column_count(stft_window_count());
    if (rows <= 0 || columns <= 0) {
        app_log("update_stft_clear: %d rows, %d columns", std::max(rows, 0), columns);
        return false;
    }

    if (stft_fft_.size() != stft_window_size) {
        app_log("frame_signal_copy_stft fft_mem_free_stft alloc");
        const size_t bins = stft_window_size / 2 + 1;
        if (!stft_fft_.resize(stft_window_size)) {
            app_log("update_stft_clear: no FFT of %d points", stft_window_size);
            return false;
        }
        if (!ensure_size(stft_window_, stft_window_size, nullptr) ||
            !ensure_size(stft_acc_, bins, nullptr) ||
            !ensure_size(stft_power_avg_, bins, nullptr) ||
            !ensure_size(stft_level_avg_, bins, nullptr) ||
            !ensure_size(stft_level_sum_, bins, nullptr) ||
            !ensure_size(stft_power_, bins, nullptr))
            return false;
        ++allocations_;
        const double two_pi = 2.0 * M_PI;
        for (int i = 0; i < stft_window_size; ++i)
            stft_window_[size_t(i)] = float(1.0 - std::cos(two_pi * i / stft_window_size));
    }
    const int out_rows = (target_rows > 0 && target_rows < rows) ? target_rows : rows;
    if (!ensure_size(stft_data_, size_t(columns) * rows, "stft_data") ||
        !ensure_size(stft_image_, size_t(columns) * out_rows * 3, "stft_image"))
        return false;
    if (out_rows != rows && !ensure_size(stft_reduced_, size_t(columns) * out_rows, nullptr))
        return false;

    const float* w = stft_window_.data();
    float* in = stft_fft_.input();
    float* power = stft_power_.data();
    float* e = stft_power_avg_.data();
    float* g = stft_acc_.data();
    float* sum = stft_level_sum_.data();
    float* level = stft_level_avg_.data();
    float* data = stft_data_.data();
    const float level_offset = float(20.0 * std::log10(s) + 94.0);
    int window = 0;
    bool level_set = false;

    auto process_window = [&]() {
        stft_fft_.execute();
        power_spectrum(stft_fft_.output(), stft_window_size, k0, k1, power);
        if (window == 0) {
            std::copy(power + k0, power + k1, e + k0);
        } else {
            for (int k = k0; k < k1; ++k)
                e[k] = (9.0f * e[k] + power[k]) / 10.0f;
        }
        if (window % stft_group == 0)
            std::fill(g + k0, g + k1, 0.0f);
        for (int k = k0; k < k1; ++k) {
            const float lg = std::log10(e[k]);
            g[k] += lg;
            sum[k] += 10.0f * lg + level_offset;
        }
        const int column = window / stft_group;
        if (window % stft_group == stft_group - 1 && column < columns) {
            for (int k = k0; k < k1; ++k)
                data[size_t(rows - 1 - (k - k0)) * columns + size_t(column)] = g[k] / stft_group;
        }
        ++window;
    };

    int prev_n = 0;
    for (size_t f = 0; f < frames_.size(); ++f) {
        const float* sig = frames_[f]->signal.data();
        const int n = frame_signal_count(*frames_[f]);
        std::fill(sum + k0, sum + k1, 0.0f);
        int frame_windows = 0;
        // The window that straddles the frame boundary.
        if (f > 0 && prev_n >= stft_hop && n >= stft_hop) {
            const float* prev = frames_[f - 1]->signal.data() + (prev_n - stft_hop);
            for (int i = 0; i < stft_hop; ++i)
                in[i] = prev[i] * w[i];
            for (int i = 0; i < stft_hop; ++i)
                in[stft_hop + i] = sig[i] * w[stft_hop + i];
            process_window();
            ++frame_windows;
        }
        for (int at = 0; at + stft_window_size <= n; at += stft_hop) {
            for (int i = 0; i < stft_window_size; ++i)
                in[i] = sig[at + i] * w[i];
            process_window();
            ++frame_windows;
        }
        if (frame_windows > 0) {
            for (int k = k0; k < k1; ++k)
                sum[k] /= float(frame_windows);
            if (!level_set) {
                std::copy(sum + k0, sum + k1, level + k0);
                level_set = true;
            } else {
                for (int k = k0; k < k1; ++k)
                    level[k] = (9.0f * level[k] + sum[k]) / 10.0f;
            }
        }
        prev_n = n;
    }

    float mn = 0;
    float mx = 0;
    if (!finite_min_max(data, size_t(columns) * rows, mn, mx))
        mn = mx = 0;
    const float* shown = data;
    if (out_rows != rows) {
        reduce_rows_max(data, rows, columns, out_rows, stft_reduced_.data());
        shown = stft_reduced_.data();
    }
    stft_min_ = mn;
    stft_max_ = mx;
    app_log("stft min:%.3f max:%.3f", double(mn), double(mx));
    values_to_rainbow(shown, size_t(columns) * out_rows, mn, mx, stft_image_.data());
    const QImage img =
        QImage(stft_image_.data(), columns, out_rows, columns * 3, QImage::Format_RGB888).copy();
    // The band as labelled, cut to the frequencies the rows can hold: a band
    // reaching past half the rate must not stretch the rows over it.
    const double nyquist = fs / 2.0;
    Q_EMIT update_stft(img, columns, out_rows, x0, x0 + duration,
                       std::clamp(double(h.freq_range_start), 0.0, nyquist),
                       std::clamp(double(h.freq_range_end), 0.0, nyquist));
    app_log("emit update_stft");

    // Only made when someone listens: the receiver owns it.
    static const QMetaMethod bar_signal =
        QMetaMethod::fromSignal(&data_detail_func_obj::update_stft_fft);
    if (isSignalConnected(bar_signal)) {
        unsigned char* bar = stft_fft_buffer_new(size_t(rows) * 256 * 3);
        if (bar) {
            colour_bar(level + k0, rows, colour_bar_floor_top, bar);
            Q_EMIT update_stft_fft(bar, 256, rows);
        }
    }
    return true;
}

void data_detail_func_obj::run_prpd(int fs, double prpd_scale) {
    if (prpd_mask_.empty()) {
        app_log("prpdylistmask alloc %d, %d, %d", prpd_phase_bins, prpd_rows,
                prpd_phase_bins * prpd_rows);
        ensure_size(prpd_mask_, size_t(prpd_phase_bins) * prpd_rows, nullptr);
    }
    if (prpd_ring_.empty()) {
        app_log("prpdrms alloc");
        ensure_size(prpd_ring_, size_t(prpd_cells), nullptr);
    }
    // Samples per phase bin of one 50 Hz period; 0 below 9600 Hz, where no
    // pattern can be formed.
    const int spb = int(fs * 0.02 / prpd_phase_bins);
    // Every run starts from an empty ring: cells this run does not fill are
    // left out rather than showing the previous item.
    int filled = 0;
    int q = 0;
    if (spb <= 0)
        app_log("wave_prpd empty: %d Hz gives no samples per phase bin", fs);
    if (spb > 0 && !prpd_mask_.empty() && !prpd_ring_.empty()) {
        double* ring = prpd_ring_.data();
        const size_t used = std::min(frames_.size(), size_t(prpd_frames_max));
        for (size_t f = 0; f < used; ++f) {
            const int wn = frame_wave_count(*frames_[f]);
            const float* wave = frames_[f]->wave.data();
            // A last group shorter than spb takes the peak of what is there.
            if (wn % spb != 0)
                app_log("wave_prpd frame %d: last phase group has %d of %d samples", int(f),
                        wn % spb, spb);
            for (int at = 0; at < wn; at += spb) {
                const int end = std::min(wn, at + spb);
                double peak = -1.0;
                for (int i = at; i < end; ++i) {
                    const double v = std::fabs(wave[i] * prpd_scale);
                    peak = std::max(peak, std::isfinite(v) ? v : 0.0); // no number counts as 0
                }
                ring[q] = peak;
                q = (q + 1) % prpd_cells;
                filled = std::min(filled + 1, prpd_cells);
            }
        }
    }
    int points = 0;
    if (!prpd_mask_.empty() && !prpd_ring_.empty())
        points = prpd_points(prpd_ring_.data(), filled, prpd_mask_.data(), prpd_points_);
    else
        prpd_points_.clear();
    app_log("wave_prpd %d", points);
    Q_EMIT update_wave_prpd(prpd_points_, 0, 0, 0, 0);
    app_log("emit update_wave_prpd");
}
