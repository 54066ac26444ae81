#pragma once
// The numeric kernels of the analysis worker, on plain buffers, so each can
// be checked on its own against values worked out from the formulas.
// Threading: any thread; no state.

#include <QPointF>
#include <QVector>

#include <complex>
#include <cstddef>
#include <cstdint>

// Amplitude spectrum in dB re 1 of an unnormalised real FFT of n samples,
// for bins k0..k1 (inclusive, k1 <= n/2), written to level[k]:
// bin 0 is |X0|/n, every other bin the RMS level |Xk|/n*sqrt(2).
// Returns false when any of those values is NaN or infinite.
bool amplitude_spectrum_db(const std::complex<float>* x, int n, int k0, int k1, float* level);

// Power spectrum of an unnormalised real FFT of n samples for bins k0..k1-1:
// bin 0 is (X0/n)^2, every other bin 2*|Xk|^2/n^2.
void power_spectrum(const std::complex<float>* x, int n, int k0, int k1, float* power);

// Spectrogram columns for a number of analysis windows: windows/4, rounded
// toward zero to a multiple of 4.
int stft_column_count(int windows);

// Halves taken away from zero.
int round_half_away(double v);

// Input rows that output row r takes when rows are reduced to target rows by
// maxima: first..last inclusive; neighbouring outputs share their boundary row.
struct row_span {
    int first;
    int last;
};
row_span reduce_row_span(int r, int rows, int target);

// Row-major rows x cols into target x cols, each output row the column-wise
// maximum of its span. Needs 0 < target < rows.
void reduce_rows_max(const float* in, int rows, int cols, int target, float* out);

// Maps values to rainbow colours (RGB 8-8-8): entry trunc((v-min)/(max-min)*255)
// clamped to 0..255; entry 0 when max <= min or v is not finite.
void values_to_rainbow(const float* v, size_t count, float min, float max, uint8_t* rgb);

// Smallest and largest finite value; false when there is none.
bool finite_min_max(const float* v, size_t count, float& min, float& max);

// Colour bar of rows x 256 RGB pixels from per-bin levels (level[0] is the
// lowest frequency, drawn in the bottom row). Each row is a bar growing from
// the right edge, as long as the level's share of max(floor_top, max) - min,
// coloured by position; the rest is the background colour.
void colour_bar(const float* level, int rows, float floor_top, uint8_t* rgb);

// Phase-resolved pattern: the first `filled` peak cells (phase bin = cell
// index mod 192) normalised to the cells' range and binned into a 120 x 192
// mask (mask must hold 23040 bytes); each free cell yields one point
// (degrees, 0..1). Returns the number of points.
int prpd_points(const double* ring, int filled, uint8_t* mask, QVector<QPointF>& points);

constexpr int prpd_phase_bins = 192;
constexpr int prpd_rows = 120;
constexpr int prpd_cells = 3840;
constexpr double prpd_phase_step = 1.875;
