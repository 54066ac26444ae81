#include "analysis/signal_math.h"

#include "analysis/rainbow_table.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>

bool amplitude_spectrum_db(const std::complex<float>* x, int n, int k0, int k1, float* level) {
    // 20*log10(|X|/n*sqrt 2) as 10*log10(2*|X|^2/n^2): one logarithm, no root.
    const float inv_n2 = float(1.0 / (double(n) * double(n)));
    bool finite = true;
    for (int k = k0; k <= k1; ++k) {
        const float re = x[k].real();
        const float im = x[k].imag();
        const float p = k == 0 ? re * re * inv_n2 : 2.0f * (re * re + im * im) * inv_n2;
        const float l = 10.0f * std::log10(p);
        level[k] = l;
        if (!std::isfinite(l))
            finite = false;
    }
    return finite;
}

void power_spectrum(const std::complex<float>* x, int n, int k0, int k1, float* power) {
    const float inv_n2 = 1.0f / (float(n) * float(n));
    for (int k = k0; k < k1; ++k) {
        const float re = x[k].real();
        const float im = x[k].imag();
        if (k == 0)
            power[k] = re * re * inv_n2;
        else
            power[k] = 2.0f * (re * re + im * im) * inv_n2;
    }
}

int stft_column_count(int windows) {
    if (windows <= 0)
        return 0;
    return (windows / 4) / 4 * 4;
}

int round_half_away(double v) {
    return int(std::round(v));
}

row_span reduce_row_span(int r, int rows, int target) {
    const double factor = double(rows) / target;
    row_span s;
    s.first = round_half_away(r * factor);
    s.last = std::min(round_half_away((r + 1) * factor), rows - 1);
    return s;
}

void reduce_rows_max(const float* in, int rows, int cols, int target, float* out) {
    for (int r = 0; r < target; ++r) {
        const row_span s = reduce_row_span(r, rows, target);
        float* dst = out + size_t(r) * cols;
        std::memcpy(dst, in + size_t(s.first) * cols, sizeof(float) * size_t(cols));
        for (int i = s.first + 1; i <= s.last; ++i) {
            const float* src = in + size_t(i) * cols;
            for (int c = 0; c < cols; ++c)
                dst[c] = std::max(dst[c], src[c]);
        }
    }
}

bool finite_min_max(const float* v, size_t count, float& min, float& max) {
    min = FLT_MAX;
    max = -FLT_MAX;
    bool any = false;
    for (size_t i = 0; i < count; ++i) {
        if (!std::isfinite(v[i]))
            continue;
        min = std::min(min, v[i]);
        max = std::max(max, v[i]);
        any = true;
    }
    return any;
}

void values_to_rainbow(const float* v, size_t count, float min, float max, uint8_t* rgb) {
    const auto& table = rainbow_table();
    const bool spread = max > min;
    const double scale = spread ? 255.0 / (double(max) - double(min)) : 0.0;
    for (size_t i = 0; i < count; ++i) {
        int idx = 0;
        if (spread && std::isfinite(v[i])) {
            const double t = (double(v[i]) - double(min)) * scale;
            idx = t <= 0 ? 0 : (t >= 255 ? 255 : int(t));
        }
        const rgb8 c = table[size_t(idx)];
        rgb[3 * i] = c.r;
        rgb[3 * i + 1] = c.g;
        rgb[3 * i + 2] = c.b;
    }
}

void colour_bar(const float* level, int rows, float floor_top, uint8_t* rgb) {
    static constexpr uint8_t background[3] = {42, 44, 54};
    const auto& table = rainbow_table();
    float fmin = 0;
    float fmax = 0;
    const bool any = finite_min_max(level, size_t(rows), fmin, fmax);
    const double range = double(std::max(floor_top, fmax)) - fmin;
    for (int r = 0; r < rows; ++r) {
        int bar = 0;
        if (any && range > 0 && std::isfinite(level[r])) {
            const double share = (double(level[r]) - fmin) / range * 256.0;
            bar = int(std::floor(std::min(share, 256.0)));
        }
        uint8_t* row = rgb + size_t(rows - 1 - r) * 256 * 3;
        for (int p = 0; p < 256; ++p) {
            uint8_t* px = row + size_t(255 - p) * 3;
            if (p < bar) {
                const rgb8 c = table[size_t(p)];
                px[0] = c.r;
                px[1] = c.g;
                px[2] = c.b;
            } else {
                std::memcpy(px, background, 3);
            }
        }
    }
}

int prpd_points(const double* ring, int filled, uint8_t* mask, QVector<QPointF>& points) {
    points.clear();
    std::memset(mask, 0, size_t(prpd_rows) * prpd_phase_bins);
    // A peak that is no number counts as 0: it must neither stretch the
    // scale nor reach a row index.
    const auto peak = [ring](int i) { return std::isfinite(ring[i]) ? ring[i] : 0.0; };
    double min = FLT_MAX;
    double max = 0.01;
    for (int i = 0; i < filled; ++i) {
        min = std::min(min, peak(i));
        max = std::max(max, peak(i));
    }
    const double range = max - min + 0.001;
    for (int i = 0; i < filled; ++i) {
        const int b = i % prpd_phase_bins;
        const double a = (peak(i) - min) / range;
        int row = int(std::floor((prpd_rows - 1) * std::clamp(a, 0.0, 1.0)));
        row = std::clamp(row, 0, prpd_rows - 1);
        uint8_t& cell = mask[size_t(row) * prpd_phase_bins + size_t(b)];
        if (cell)
            continue;
        cell = 255;
        points.append(QPointF(b * prpd_phase_step, a));
    }
    return points.size();
}
