// Numeric pieces of the analysis, against values worked out by hand from
// their formulas.

#include "analysis/gas_leak.h"
#include "analysis/rainbow_table.h"
#include "analysis/real_fft.h"
#include "analysis/signal_math.h"

#include <QtTest>

#include <cmath>
#include <limits>

namespace {
bool same(rgb8 c, int r, int g, int b) {
    return c.r == r && c.g == g && c.b == b;
}
bool operator==(rgb8 a, rgb8 b) {
    return same(a, b.r, b.g, b.b);
}
} // namespace

class tst_analysis_kernels : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rainbow_band_edges() {
        const int edges[][4] = {{0, 128, 0, 255},   {1, 128, 0, 255},   {27, 63, 0, 255},
                                {28, 60, 0, 255},   {51, 3, 0, 255},    {52, 0, 1, 255},
                                {102, 0, 251, 255}, {103, 0, 255, 252}, {153, 0, 255, 2},
                                {154, 3, 255, 0},   {204, 253, 255, 0}, {205, 255, 251, 0},
                                {254, 255, 6, 0},   {255, 255, 0, 0}};
        for (const auto& e : edges)
            QVERIFY2(same(rainbow_table()[size_t(e[0])], e[1], e[2], e[3]),
                     qPrintable(QString::number(e[0])));
    }

    void gas_leak_distance_level_units_and_cost() {
        // 1 m: the level is the SPL itself; 2 m adds 10 dB.
        QVERIFY(qAbs(calc_gas_leak(60, 1, 1, 0, 0, 0, 0).rate - 5.291967976435959) < 1e-9);
        QCOMPARE(spl_at_one_metre(60, 2), 70.0);
        QVERIFY(qAbs(calc_gas_leak(60, 2, 1, 0, 0, 0, 0).rate - 0.165 * std::exp(0.0578 * 70)) <
                1e-9);
        // Level: (L - 34) / 7, raised to at least 1.
        for (auto c :
             {std::pair{34.0, 1.0}, {20.0, 1.0}, {41.0, 1.0}, {48.0, 2.0}, {130.0, 96.0 / 7}})
            QVERIFY(qAbs(calc_gas_leak(c.first, 1, 1, 0, 0, 0, 0).level - c.second) < 1e-12);
        const gas_leak_result lpm = calc_gas_leak(60, 2, 1.5, 0, 0.2, 0.8, 0.002);
        QVERIFY(qAbs(lpm.rate - 14.149160631860005) < 1e-9);
        QVERIFY(qAbs(lpm.cost - 14893.429119752851) < 1e-6);
        QVERIFY(qAbs(lpm.level - 5.142857142857143) < 1e-12);
        const gas_leak_result cfm = calc_gas_leak(60, 2, 1.5, 1, 0.2, 0.8, 0.002);
        QVERIFY(qAbs(cfm.rate - 0.4996437181298446) < 1e-12);
        QVERIFY(qAbs(cfm.cost - 532.2284828514006) < 1e-6);
        // A distance from a file of 0 or below stays finite: taken as 0.3 m,
        // 60 + 10*log2(0.3) = 42.630 dB at 1 m.
        for (double dist : {0.0, -2.0, std::nan("")}) {
            const gas_leak_result r = calc_gas_leak(60, dist, 1, 0, 1, 1, 1);
            QVERIFY(std::isfinite(r.cost));
            QVERIFY(qAbs(r.rate - 0.165 * std::exp(0.0578 * 42.63034405833794)) < 1e-9);
            QVERIFY(qAbs(r.level - 1.2329062940482771) < 1e-9);
        }
    }

    void amplitude_spectrum_levels() {
        const int n = 7680;
        real_fft fft(n);
        QCOMPARE(fft.size(), n);
        std::vector<float> level(n / 2 + 1);
        // A tone of 1 Pa RMS (amplitude sqrt 2) in bin 1600 reads 0 dB re 1 Pa.
        for (int i = 0; i < n; ++i)
            fft.input()[i] = float(std::sqrt(2.0) * std::sin(2 * M_PI * 1600 * i / n));
        fft.execute();
        QVERIFY(amplitude_spectrum_db(fft.output(), n, 200, 3840, level.data()));
        QVERIFY(qAbs(level[1600]) < 1e-3);
        QVERIFY(level[1500] < -100);
        // Bin 0 carries no sqrt 2; the last bin does.
        for (int i = 0; i < n; ++i)
            fft.input()[i] = (i % 2 ? -0.5f : 0.5f) + 0.25f;
        fft.execute();
        QVERIFY(amplitude_spectrum_db(fft.output(), n, 0, 0, level.data()));
        QVERIFY(amplitude_spectrum_db(fft.output(), n, n / 2, n / 2, level.data()));
        QVERIFY(qAbs(level[0] - 20 * std::log10(0.25)) < 1e-3);
        QVERIFY(qAbs(level[n / 2] - 20 * std::log10(0.5 * std::sqrt(2.0))) < 1e-3);
        // Silence is not finite.
        for (int i = 0; i < n; ++i)
            fft.input()[i] = 0;
        fft.execute();
        QVERIFY(!amplitude_spectrum_db(fft.output(), n, 200, 3840, level.data()));
    }

    void power_spectrum_of_a_tone() {
        const int n = 1920;
        real_fft fft(n);
        for (int i = 0; i < n; ++i)
            fft.input()[i] = float(3.0 * std::cos(2 * M_PI * 400 * i / n) + 2.0);
        fft.execute();
        std::vector<float> p(n / 2 + 1);
        power_spectrum(fft.output(), n, 0, n / 2, p.data());
        QVERIFY(qAbs(p[400] - 4.5f) < 1e-4); // A^2 / 2
        QVERIFY(qAbs(p[0] - 4.0f) < 1e-4);   // DC squared
        QVERIFY(p[300] < 1e-8f);
    }

    void column_count_rule() {
        for (auto c : {std::pair{199, 48}, {15, 0}, {16, 4}, {31, 4}, {32, 8}, {0, 0}})
            QCOMPARE(stft_column_count(c.first), c.second);
    }

    void row_reduction_boundaries() {
        // Rows in, rows out, output row, its first and last input row: 910 to
        // 100 is a factor of 9.1; halves round away from zero (10 to 4: 2.5).
        const int spans[][5] = {{910, 100, 0, 0, 9}, {910, 100, 1, 9, 18}, {910, 100, 99, 901, 909},
                                {10, 4, 0, 0, 3},    {10, 4, 1, 3, 5},     {10, 4, 2, 5, 8},
                                {10, 4, 3, 8, 9}};
        for (const auto& c : spans) {
            const row_span s = reduce_row_span(c[2], c[0], c[1]);
            QCOMPARE(s.first, c[3]);
            QCOMPARE(s.last, c[4]);
        }
        // The shared boundary row feeds both neighbours.
        std::vector<float> in(10 * 2, 0.0f);
        in[3 * 2 + 1] = 7; // row 3, column 1
        in[9 * 2 + 0] = 5; // last row, column 0
        std::vector<float> out(4 * 2, -1.0f);
        reduce_rows_max(in.data(), 10, 2, 4, out.data());
        QCOMPARE(out, (std::vector<float>{0, 7, 0, 7, 0, 0, 5, 0}));
    }

    void rainbow_mapping() {
        const float nan = std::numeric_limits<float>::quiet_NaN();
        const float v[7] = {0, 0.5f, 1, 2, -1, nan, -std::numeric_limits<float>::infinity()};
        uint8_t rgb[21];
        values_to_rainbow(v, 7, 0, 1, rgb);
        const int idx[7] = {0, 127, 255, 255, 0, 0, 0};
        for (int i = 0; i < 7; ++i)
            QVERIFY(
                same(rainbow_table()[size_t(idx[i])], rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]));
        values_to_rainbow(v, 3, 2, 2, rgb); // max = min: all entry 0
        QVERIFY(same(rainbow_table()[0], rgb[6], rgb[7], rgb[8]));
        float mn, mx;
        QVERIFY(finite_min_max(v, 7, mn, mx));
        QCOMPARE(mn, -1.0f);
        QCOMPARE(mx, 2.0f);
        QVERIFY(!finite_min_max(v + 5, 2, mn, mx));
    }

    void colour_bar_lengths() {
        // Levels 0, 40, 80 dB: bars of 0, 128 and 256 pixels from the right.
        // A top below 80 dB is lifted to 80: 10 dB above a 10 dB floor in a
        // 70 dB range is floor(10 / 70 * 256) = 36 pixels.
        const float level[5] = {0, 40, 80, 10, 20};
        std::vector<uint8_t> img(5 * 256 * 3);
        colour_bar(level, 3, 80, img.data());
        colour_bar(level + 3, 2, 80, img.data() + 3 * 256 * 3);
        auto px = [&](int row, int x) {
            const uint8_t* p = img.data() + (size_t(row) * 256 + size_t(x)) * 3;
            return rgb8{p[0], p[1], p[2]};
        };
        const rgb8 bg{42, 44, 54};
        for (int x : {0, 128, 255})
            QVERIFY(px(2, x) == bg); // lowest frequency at the bottom, level 0
        QVERIFY(px(1, 255) == rainbow_table()[0]);
        QVERIFY(px(1, 128) == rainbow_table()[127]);
        QVERIFY(px(1, 127) == bg);
        QVERIFY(px(0, 0) == rainbow_table()[255]);
        QVERIFY(!(px(3, 255 - 35) == bg));
        QVERIFY(px(3, 255 - 36) == bg);
    }
};

QTEST_APPLESS_MAIN(tst_analysis_kernels)
#include "tst_analysis_kernels.moc"
