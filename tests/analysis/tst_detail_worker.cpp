// The analysis worker on written items: what each run emits, against values
// worked out from the formulas, and its edges: missing wave blocks,
// concurrent requests, report runs, odd sample rates and frame lengths, and
// the colour bar's hand-over across threads. (The shared samples are run end
// to end by the halvix-cli analyse test.)

#include "analysis/data_detail_func_obj.h"
#include "analysis/stft_fft_handoff.h"
#include "item_writer.h"
#include "tests/store/test_log.h"

#include <QScopeGuard>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <cmath>
#include <thread>

namespace {
constexpr int fs = 192000;
constexpr int n = 7680;
// Pa per count of the big-endian layout at sensitivity 50; per unit of the
// little-endian layouts.
constexpr double pa_per_count = 1000.0 / 50 * 1.407374883553 / 16384;
constexpr double pa_per_unit = 125.0 / 3;
const QColor bar_background(42, 44, 54);

// RMS level in dB re 20 uPa of a tone of peak amplitude a (Pa).
double tone_db(double a) {
    return 20 * std::log10(a / std::sqrt(2.0)) + 94;
}

QVector<int> widths(const std::vector<QImage>& pics) {
    QVector<int> out;
    for (const QImage& p : pics)
        out << p.width();
    return out;
}

QPointF peak_of(const QVector<QPointF>& p, bool lowest = false) {
    QPointF best(0, lowest ? 1e9 : -1e9);
    for (const QPointF& q : p)
        if (lowest ? q.y() < best.y() : q.y() > best.y())
            best = q;
    return best;
}

// Points above 0.5, or -1 when one of them lies elsewhere than at phase x.
int high_points_at(const QVector<QPointF>& p, double x) {
    int high = 0;
    for (const QPointF& q : p)
        if (q.y() > 0.5 && (++high, q.x() != x))
            return -1;
    return high;
}

// 25 frames: a 40 kHz tone of 1 Pa in the analysis signal; the display
// wave adds a 3 Pa pulse at 90 degrees of every 50 Hz period.
std::vector<item_writer::frame> tone_frames() {
    std::vector<item_writer::frame> frames(25);
    for (int f = 0; f < 25; ++f) {
        auto& fr = frames[size_t(f)];
        fr.wave = item_writer::tone(n, f, 40000, 1.0, fs);
        for (float pa : fr.wave)
            fr.samples.push_back(float(pa / pa_per_count));
        for (int i = 0; i < n; ++i)
            if ((int64_t(f) * n + i) % 3840 == 960)
                fr.wave[size_t(i)] += 3.0f;
        fr.picture = item_writer::jpeg_of_width(16 + f);
        fr.raw_picture = item_writer::jpeg_of_width(300 + f);
    }
    return frames;
}

// The detail view's request for an item.
data_info request_for(const QString& dir, int frame_num, int start = 0, int rate = fs) {
    data_info d;
    d.data_dir = dir.toStdWString();
    d.frame_num = frame_num;
    d.dd_start_frame_idx = start;
    d.frame_read_num = 25;
    d.pic_num = 6;
    d.fs = rate;
    d.distance = 1;
    return d;
}

// Everything the runs of one worker emitted (direct connections: the worker
// runs on the test thread).
struct collected {
    QVector<QPointF> wave, fft, prpd;
    double wave_r[4] = {}, fft_r[4] = {}, stft_r[4] = {};
    int wave_n = 0, fft_n = 0, prpd_n = 0, stft_n = 0, clear_n = 0, bar_n = 0, spl_n = 0;
    QImage stft, bar;
    QSize stft_size; // as signalled
    std::vector<QImage> pics;
    std::vector<bool> preview;
    double spl = -1;
    // Signals so far: wave, spectrum, PRPD, spectrogram, cleared, colour bar, SPL.
    QVector<int> counts() const { return {wave_n, fft_n, prpd_n, stft_n, clear_n, bar_n, spl_n}; }
    QVector<int> sizes() const { return {wave.size(), fft.size(), prpd.size()}; }
};

void keep_range(double* r, double x0, double x1, double y0, double y1) {
    r[0] = x0, r[1] = x1, r[2] = y0, r[3] = y1;
}

// A signalled range as x0..x1 by y0..y1 (compared with a tolerance).
QRectF area(const double* r) {
    return QRectF(QPointF(r[0], r[2]), QPointF(r[1], r[3]));
}

struct runner {
    using obj = data_detail_func_obj;
    obj w;
    collected c;
    runner() {
        QObject::connect(&w, &obj::update_wave,
                         [this](QVector<QPointF> p, double a, double b, double y0, double y1) {
                             c.wave = p, ++c.wave_n, keep_range(c.wave_r, a, b, y0, y1);
                         });
        QObject::connect(&w, &obj::update_wave_fft,
                         [this](QVector<QPointF> p, double a, double b, double y0, double y1) {
                             c.fft = p, ++c.fft_n, keep_range(c.fft_r, a, b, y0, y1);
                         });
        QObject::connect(&w, &obj::update_wave_prpd,
                         [this](QVector<QPointF> p) { c.prpd = p, ++c.prpd_n; });
        QObject::connect(
            &w, &obj::update_stft,
            [this](QImage img, int iw, int ih, double a, double b, double y0, double y1) {
                c.stft = img, c.stft_size = QSize(iw, ih), ++c.stft_n;
                keep_range(c.stft_r, a, b, y0, y1);
            });
        QObject::connect(&w, &obj::update_stft_fft, [this](unsigned char* buf, int bw, int bh) {
            if (auto owned = stft_fft_buffer_take(buf))
                c.bar = QImage(owned.get(), bw, bh, bw * 3, QImage::Format_RGB888).copy();
            ++c.bar_n;
        });
        QObject::connect(&w, &obj::update_stft_clear, [this] { ++c.clear_n; });
        QObject::connect(&w, &obj::update_pic, [this](int idx, QImage img, bool pre) {
            c.pics.resize(std::max(c.pics.size(), size_t(idx) + 1));
            c.preview.resize(c.pics.size());
            c.pics[size_t(idx)] = img, c.preview[size_t(idx)] = pre;
        });
        QObject::connect(&w, &obj::update_spl, [this](double v) { c.spl = v, ++c.spl_n; });
    }
    const collected& operator()(const data_info& d, int func = 0) {
        w.data_detail_handle_add(d);
        w.update_data(func);
        return c;
    }
};

} // namespace

class tst_detail_worker : public QObject {
    Q_OBJECT
    QTemporaryDir tmp_;
    QString item(const QString& name) const { return tmp_.path() + "/" + name; }
    test_log log_;

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(tmp_.isValid());
        QVERIFY(item_writer::write_item(item("tone"), 0, tone_frames()));
    }

    void tone_run_spectrum_spectrogram_wave_prpd() {
        runner run;
        const collected& c = run(request_for(item("tone"), 25));
        QVERIFY(run.w.last_run().ran);
        QCOMPARE(run.w.last_run().frames_read, 25);
        QCOMPARE(c.counts(), QVector<int>({1, 1, 1, 1, 0, 1, 1}));

        // Spectrum: bins 200..3840 of 25 Hz; the tone's bin averaged from zero
        // over 25 frames with weight 0.9; 5 % margins on the level axis.
        QCOMPARE(c.fft.size(), 3641);
        const QPointF peak = peak_of(c.fft);
        QCOMPARE(peak.x(), 40000.0);
        QVERIFY(qAbs(peak.y() - (1 - std::pow(0.9, 25)) * tone_db(1.0)) < 0.02);
        const double lo = peak_of(c.fft, true).y(), margin = 0.05 * (peak.y() - lo);
        QCOMPARE(area(c.fft_r),
                 QRectF(QPointF(5000, lo - margin), QPointF(96000, peak.y() + margin)));

        // Spectrogram: 199 windows -> 48 columns; bins 50..959 -> 910 rows,
        // highest frequency on top, so 40 kHz (bin 400) is row 909 - 350.
        QCOMPARE(c.stft.size(), QSize(48, 910));
        QCOMPARE(area(c.stft_r), QRectF(QPointF(0, 5000), QPointF(1, 96000)));
        for (int col : {0, 24, 47}) {
            const QColor hot = c.stft.pixelColor(col, 559);
            QVERIFY(hot.red() == 255 && hot.blue() == 0 && hot.green() < 20);
            QVERIFY(c.stft.pixelColor(col, 100) != hot);
        }
        // Colour bar: one row per bin, the tone's row has the full bar.
        QCOMPARE(c.bar.size(), QSize(256, 910));
        QVERIFY(c.bar.pixelColor(0, 559) != bar_background);
        QCOMPARE(c.bar.pixelColor(0, 100), bar_background);

        // Waveform: every sample, time accumulated from x0, symmetric range.
        QCOMPARE(c.wave.size(), 25 * n);
        // The time axis accumulates in single precision: after 191999 steps of
        // 1/192000 s it stands at 0.99831080 (float emulation), not 0.99999479.
        QCOMPARE(c.wave.last().x(), 0.9983108043670654);
        double amax = 0;
        for (const QPointF& p : c.wave)
            amax = std::max(amax, std::fabs(p.y()));
        QVERIFY(amax > 2.9); // the pulses fall on zero crossings of the tone
        QCOMPARE(area(c.wave_r), QRectF(QPointF(0, -amax / 0.9), QPointF(1, amax / 0.9)));

        // PRPD: 10 frames fill all 3840 cells; the pulses stand out at 90 deg.
        QVERIFY(c.prpd.size() > 1 && c.prpd.size() <= 3840);
        QVERIFY(high_points_at(c.prpd, 90) >= 1);

        // Pictures of the six slots; the first is the preview and gives the SPL.
        QCOMPARE(widths(c.pics), QVector<int>({16, 17, 18, 19, 20, 21}));
        QCOMPARE(c.preview, std::vector<bool>({true, false, false, false, false, false}));
        QVERIFY(qAbs(c.spl - 54.0) < 1e-3); // 20*log10(0.01) + 94

        // A second identical run reuses every work buffer.
        const int allocations = run.w.work_buffer_allocations();
        run(request_for(item("tone"), 25));
        QCOMPARE(run.w.work_buffer_allocations(), allocations);
        QCOMPARE(c.fft_n, 2);

        // A view 100 rows high: row 559 lies in output row 61 (559 / 9.1 =
        // 61.4), the maximum keeps it red; the colour bar keeps every row.
        run.w.set_stft_view_size(300, 100);
        run(request_for(item("tone"), 25));
        QCOMPARE(c.stft.size(), QSize(48, 100));
        QCOMPARE(c.stft_size, c.stft.size());
        QCOMPARE(c.bar.height(), 910);
        const QColor reduced = c.stft.pixelColor(24, 61);
        QVERIFY(reduced.red() == 255 && reduced.blue() == 0 && reduced.green() < 20);
        // Target heights at or above the row count leave the rows alone.
        run.w.set_stft_view_size(300, 910);
        QCOMPARE(run(request_for(item("tone"), 25)).stft.height(), 910);
    }

    void window_moved_back_with_picture_slots() {
        std::vector<item_writer::frame> frames(100);
        for (int f = 0; f < 100; ++f) {
            frames[size_t(f)].samples = item_writer::tone(1920, f, 20000, 0.01, fs);
            frames[size_t(f)].picture = item_writer::jpeg_of_width(16 + f);
            frames[size_t(f)].spl = float(1000 + f);
        }
        QVERIFY(item_writer::write_item(item("hundred"), 1, frames));
        runner run;
        const collected& c = run(request_for(item("hundred"), 100, 95));
        const detail_run_info info = run.w.last_run();
        QCOMPARE(QVector<int>({info.requested_start, info.start_used, info.frames_read}),
                 QVector<int>({95, 75, 25}));
        QCOMPARE(widths(c.pics), QVector<int>({111, 112, 113, 114, 115, 0})); // the last slot empty
        QCOMPARE(c.spl, 1095.0);
        // The time axis starts at the frame used first.
        QCOMPARE(QPointF(c.wave_r[0], c.wave_r[1]), QPointF(0.75, 1.0));
        QCOMPARE(c.stft_r[0], c.wave_r[0]);
    }

    // One item per row, a 40 kHz tone of 1 Pa in every frame marked t: its
    // spectrum peak is the running average (weight 0.9, from zero) of the
    // tone's level in Pa as the header scales it.
    void spectrum_level_data() {
        QTest::addColumn<int>("writer");
        QTest::addColumn<QString>("frames"); // t: tone, 0: silence, s: 5010 samples of tone
        QTest::addColumn<int>("sensitivity");
        QTest::addColumn<double>("weight");
        QTest::addColumn<int>("columns");    // spectrogram columns; 0: cleared
        QTest::addColumn<QString>("header"); // more header keys
        QTest::addColumn<QStringList>("logs");
        const auto row = [](const char* tag, int writer, const char* frames, int sensitivity,
                            double weight, int columns, const char* header = "",
                            const QStringList& logs = {}) {
            QTest::newRow(tag) << writer << QString(frames) << sensitivity << weight << columns
                               << QString(header) << logs;
        };
        row("one frame: a tenth", 1, "t", 50, 0.1, 0);
        row("silent frame ends the average", 1, "tt0t", 50, 0.19, 4);
        // 7 + (1 + 4) + (1 + 7) windows.
        row("short frame left out of the spectrum", 1, "tst", 50, 0.19, 4, "",
            {"update_wave_fft frame of 5010 samples left out (block 7680)",
             "wave_prpd frame 1: last phase group has 10 of 20 samples"});
        row("big-endian at sensitivity 50", 0, "t", 50, 0.1, 0);
        row("big-endian at sensitivity 100: half the Pa per count", 0, "t", 100, 0.1, 0);
        // The distance-correction flag leaves the Pa scale alone.
        row("correction on at 2 m", 1, "t", 50, 0.1, 0,
            ",\"distanceCorrectEnable\":true,\"geometry\":{\"distance\":2}");
    }
    void spectrum_level() {
        QFETCH(int, writer);
        QFETCH(QString, frames);
        QFETCH(int, sensitivity);
        QFETCH(QString, header);
        QFETCH(double, weight);
        QFETCH(int, columns);
        QFETCH(QStringList, logs);
        // Samples of 1 Pa at sensitivity 50; the header's sensitivity scales them.
        const double pa = 50.0 / sensitivity;
        const double amplitude = 1 / (writer == 0 ? pa_per_count : pa_per_unit);
        std::vector<item_writer::frame> written;
        for (int f = 0; f < frames.size(); ++f) {
            const int samples = frames[f] == 's' ? 5010 : n;
            written.push_back(item_writer::frame(
                frames[f] == '0' ? std::vector<float>(size_t(n), 0.0f)
                                 : item_writer::tone(samples, f, 40000, amplitude, fs)));
        }
        const QString dir = item(QTest::currentDataTag());
        QVERIFY(item_writer::write_item(dir, writer, written, fs, header.toStdString(),
                                        std::to_string(sensitivity)));
        runner run;
        log_.mark();
        const collected& c = run(request_for(dir, frames.size()));
        const QPointF peak = peak_of(c.fft);
        QCOMPARE(peak.x(), 40000.0);
        QVERIFY2(qAbs(peak.y() - weight * tone_db(pa)) < 0.01,
                 qPrintable(QString::number(peak.y())));
        QCOMPARE(c.clear_n, int(columns == 0));
        QCOMPARE(c.stft_n + c.bar_n, columns ? 2 : 0);
        if (columns)
            QCOMPARE(c.stft.size(), QSize(columns, 910));
        const QString log = log_.text();
        for (const QString& line : logs)
            QVERIFY2(log.contains(line), qPrintable(line));
    }

    // A tone lands at its own frequency at rates that the block lengths do
    // not divide: in the spectrum's points and range, and in the spectrogram
    // row read back through the range the image is labelled with.
    void frequencies_at_every_rate_data() {
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("samples"); // per frame
        QTest::addColumn<double>("hz");
        QTest::addColumn<int>("band_end"); // header's freqRangeEnd
        QTest::newRow("44.1 kHz, 4096") << 44100 << 4096 << 10002.0 << 22050;
        QTest::newRow("48 kHz, 4096") << 48000 << 4096 << 10002.0 << 24000;
        QTest::newRow("44.1 kHz, 7680") << 44100 << 7680 << 17000.0 << 22050;
        QTest::newRow("44.1 kHz, band past half the rate") << 44100 << 4096 << 10002.0 << 96000;
        QTest::newRow("192 kHz, 7680") << 192000 << 7680 << 40000.0 << 96000;
    }
    void frequencies_at_every_rate() {
        QFETCH(int, rate);
        QFETCH(int, samples);
        QFETCH(double, hz);
        QFETCH(int, band_end);
        std::vector<item_writer::frame> frames;
        for (int f = 0; f < 8; ++f)
            frames.push_back(item_writer::frame(item_writer::tone(samples, f, hz, 0.02, rate)));
        const QString dir = item(QString("rate_%1").arg(QTest::currentDataTag()));
        QVERIFY(item_writer::write_item(dir, 1, frames, rate,
                                        ",\"freqRangeEnd\":" + std::to_string(band_end)));
        runner run;
        const collected& c = run(request_for(dir, 8, 0, rate));

        const double df = double(rate) / samples;
        const double nyquist = rate / 2.0;
        QVERIFY2(qAbs(peak_of(c.fft).x() - hz) <= df,
                 qPrintable(QString::number(peak_of(c.fft).x())));
        QVERIFY(qAbs(c.fft_r[1] - std::min(double(band_end), nyquist)) < df);
        QCOMPARE(c.fft.last().x(), c.fft_r[1]);
        QVERIFY(qAbs(c.fft[1].x() - c.fft[0].x() - df) < 1e-9);

        // The hottest row of a column, as frequency on the labelled range.
        const double df_s = rate / 1920.0;
        QCOMPARE(c.stft_n, 1);
        QCOMPARE(c.stft_r[2], 5000.0);
        QCOMPARE(c.stft_r[3], std::min(double(band_end), nyquist));
        const int rows = c.stft.height();
        QCOMPARE(rows, std::min(960, int(band_end / df_s)) - int(5000 / df_s));
        for (int col = 0; col < c.stft.width(); ++col) {
            int hot = -1, green = 256;
            for (int r = 0; r < rows; ++r) {
                const QColor p = c.stft.pixelColor(col, r);
                if (p.red() == 255 && p.blue() == 0 && p.green() < green)
                    hot = r, green = p.green();
            }
            const double f = c.stft_r[3] - (hot + 0.5) * (c.stft_r[3] - c.stft_r[2]) / rows;
            QVERIFY2(qAbs(f - hz) <= df_s, qPrintable(QString("column %1: %2 Hz").arg(col).arg(f)));
        }
        // The colour bar has one row per spectrogram row.
        QCOMPARE(c.bar.height(), rows);
    }

    // Frames whose length is not a multiple of the 960-sample hop: columns
    // come from the windows actually formed (3 in the first frame, 4 with
    // the straddling one in each later frame: 123 windows, 28 columns), not
    // from the total length (which would give 32, the last ones never
    // filled), and every column holds the tone.
    void columns_from_the_windows_formed() {
        std::vector<item_writer::frame> frames;
        for (int f = 0; f < 31; ++f)
            frames.push_back(item_writer::frame(item_writer::tone(4096, f, 40000, 0.02, fs)));
        QVERIFY(item_writer::write_item(item("odd_frames"), 1, frames));
        runner run;
        data_info d = request_for(item("odd_frames"), 31);
        d.frame_read_num = 31;
        const collected& c = run(d);
        QCOMPARE(c.stft.size(), QSize(28, 910));
        for (int col = 0; col < 28; ++col) {
            const QColor hot = c.stft.pixelColor(col, 559); // 40 kHz, as at 7680 samples
            QVERIFY2(hot.red() == 255 && hot.blue() == 0, qPrintable(QString::number(col)));
        }
    }

    void flat_waveform_without_wave_block() {
        std::vector<item_writer::frame> frames(3);
        for (int f = 0; f < 3; ++f)
            frames[size_t(f)].samples = item_writer::tone(n, f, 40000, 500, fs);
        QVERIFY(item_writer::write_item(item("nowave"), 0, frames));
        runner run;
        const collected& c = run(request_for(item("nowave"), 3));
        // A flat wave and range; all PRPD peaks equal: every phase in the
        // lowest row, nothing else; the analysis signal is still there.
        QCOMPARE(QVector<double>({peak_of(c.wave).y(), peak_of(c.wave, true).y(), c.wave_r[2],
                                  c.wave_r[3], peak_of(c.prpd).y(), peak_of(c.fft).x()}),
                 QVector<double>({0, 0, 0, 0, 0, 40000}));
        QCOMPARE(QVector<int>({c.wave.size(), c.prpd.size()}), QVector<int>({3 * n, 192}));
    }

    void newest_request_wins_under_concurrent_adds() {
        runner run;
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back([&run, t, this]() {
                for (int i = 0; i < 200; ++i)
                    run.w.data_detail_handle_add(
                        request_for(item(QString("absent_%1_%2").arg(t).arg(i)), 25));
            });
        }
        // A reader of the view size meanwhile takes the same lock.
        for (int i = 0; i < 200; ++i)
            run.w.set_stft_view_size(100 + i, 0);
        for (auto& th : threads)
            th.join();
        const collected& c = run(request_for(item("tone"), 25));
        QCOMPARE(run.w.last_run().frames_read, 25);
        // Every earlier request was dropped with it: nothing is left to run.
        run.w.update_data(0);
        QCOMPARE(c.fft_n, 1);
        QCOMPARE(c.wave_n, 1);
    }

    // Each run fills the PRPD cells afresh, and samples that are not finite
    // count as zero there and in every range.
    void prpd_ring_cleared_and_non_finite_samples() {
        // A: ten frames of irregular peaks fill every cell.
        std::vector<item_writer::frame> a(10);
        uint32_t seed = 12345;
        for (auto& f : a) {
            for (int i = 0; i < n; ++i) {
                seed = seed * 1103515245u + 12345u;
                f.samples.push_back(float((seed >> 8) % 1000) / 1000.0f * 5.0f /
                                    float(pa_per_unit));
            }
        }
        QVERIFY(item_writer::write_item(item("prpd_a"), 1, a));
        // B: one frame, 0.1 Pa everywhere but a 1 Pa pulse at 90 degrees, and
        // NaN and infinities elsewhere in the period.
        std::vector<float> s(size_t(n), float(0.1 / pa_per_unit));
        for (int i = 960; i < n; i += 3840)
            s[size_t(i)] = float(1.0 / pa_per_unit);
        s[100] = std::nanf("");
        s[2000] = std::numeric_limits<float>::infinity();
        s[3000] = -std::numeric_limits<float>::infinity();
        QVERIFY(item_writer::write_item(item("prpd_b"), 1, {item_writer::frame(s)}));

        runner run;
        QVERIFY(run(request_for(item("prpd_a"), 10), 2).prpd.size() > 1000);
        // Only B's 384 cells: one point per phase bin, the pulse alone on top.
        const collected& c = run(request_for(item("prpd_b"), 1));
        QCOMPARE(c.prpd.size(), 192);
        QCOMPARE(high_points_at(c.prpd, 90), 1);
        QCOMPARE(std::count_if(c.prpd.begin(), c.prpd.end(), [](QPointF p) { return p.y() == 0; }),
                 191L);
        for (const QPointF& p : c.prpd)
            QVERIFY(std::isfinite(p.y()) && p.y() >= 0 && p.y() <= 1.05);
        for (const double* r : {c.wave_r, c.fft_r})
            for (int i = 0; i < 4; ++i)
                QVERIFY(std::isfinite(r[i]));
    }

    void report_and_other_funcs() {
        const QString raw = item("tone") + "/grab_raw.jpg";
        QFile::remove(raw);
        runner run;
        const collected& c = run(request_for(item("tone"), 25), 1);
        QCOMPARE(QImage(raw).width(), 300); // frame 0's raw picture
        QCOMPARE(c.counts(), QVector<int>({0, 1, 1, 0, 0, 0, 0}));
        QVERIFY(c.pics.empty());
        // Recordings of type 1 take the last frame's raw picture.
        data_info d = request_for(item("tone"), 25);
        d.data_type = 1;
        run(d, 1);
        QCOMPARE(QImage(raw).width(), 324);
        QFile::remove(raw);
        // Any other func: spectrum and PRPD only, no file.
        run(request_for(item("tone"), 25), 7);
        QVERIFY(!QFile::exists(raw));
        QCOMPARE(c.counts(), QVector<int>({0, 3, 3, 0, 0, 0, 0}));
    }

    void low_sample_rate_gives_empty_plots_and_says_why() {
        // 8 kHz: no phase bins, and the default band lies above it.
        std::vector<item_writer::frame> slow(3);
        for (int f = 0; f < 3; ++f)
            slow[size_t(f)] = item_writer::frame(item_writer::tone(n, f, 1000, 0.01, 8000));
        QVERIFY(item_writer::write_item(item("slow"), 1, slow, 8000));
        runner run;
        log_.mark();
        const collected& c = run(request_for(item("slow"), 3, 0, 8000));
        QCOMPARE(c.counts().mid(0, 5), QVector<int>({1, 1, 1, 0, 1}));
        QCOMPARE(c.sizes(), QVector<int>({3 * n, 0, 0}));
        const QString log = log_.text();
        QVERIFY(log.contains("wave_prpd empty: 8000 Hz gives no samples per phase bin"));
        QVERIFY(log.contains("update_wave_fft empty: band 5000..96000 Hz outside 0..4000 Hz"));
        QVERIFY(log.contains("update_stft_clear: 0 rows, 4 columns"));
    }

    void queued_results_and_colour_bar_ownership() {
        QThread thread;
        thread.start();
        auto* w = new data_detail_func_obj;
        w->moveToThread(&thread);
        const auto stop = qScopeGuard([&] {
            thread.quit();
            thread.wait();
            delete w;
        });
        // Receivers on this thread: the results cross by queued connections.
        QObject here;
        int fft_points = 0, bars = 0;
        unsigned char* bar = nullptr;
        connect(w, &data_detail_func_obj::update_wave_fft, &here,
                [&](QVector<QPointF> p) { fft_points = p.size(); });
        auto bar_link = connect(w, &data_detail_func_obj::update_stft_fft, &here,
                                [&](unsigned char* b, int bw, int bh) {
                                    bar = b, ++bars;
                                    QCOMPARE(QSize(bw, bh), QSize(256, 910));
                                });
        const size_t pending = stft_fft_buffer_pending();
        w->data_detail_handle_add(request_for(item("tone"), 25));
        QMetaObject::invokeMethod(w, "update_data", Qt::QueuedConnection, Q_ARG(int, 0));
        QTRY_COMPARE_WITH_TIMEOUT(bars, 1, 20000);
        QTRY_COMPARE(fft_points, 3641);
        QVERIFY(stft_fft_buffer_take(bar));
        QVERIFY(!stft_fft_buffer_take(bar)); // taken once only
        QCOMPARE(stft_fft_buffer_pending(), pending);

        // A receiver closed before delivery drops the buffer; it is reclaimed
        // after a few more, so repeated closes never pile up memory.
        disconnect(bar_link);
        QSemaphore done;
        connect(
            w, &data_detail_func_obj::update_wave_prpd, w, [&done]() { done.release(); },
            Qt::DirectConnection);
        for (int run = 0; run < int(stft_fft_buffer_keep) + 3; ++run) {
            auto* gone = new QObject;
            connect(w, &data_detail_func_obj::update_stft_fft, gone,
                    [](unsigned char*, int, int) { QFAIL("delivered to a closed receiver"); });
            w->data_detail_handle_add(request_for(item("tone"), 25));
            QMetaObject::invokeMethod(w, "update_data", Qt::QueuedConnection, Q_ARG(int, 0));
            QVERIFY(done.tryAcquire(1, 20000));
            delete gone; // its pending delivery goes with it
        }
        QCOMPARE(stft_fft_buffer_pending(), stft_fft_buffer_keep);
    }

    void missing_item_or_unknown_writer_gives_nothing() {
        runner run;
        run.w.update_data(0); // nothing queued
        run(data_info());
        const collected& c = run(request_for(item("does_not_exist"), 25));
        QCOMPARE(c.counts(), QVector<int>(7, 0));
        QVERIFY(c.pics.empty());
        QVERIFY(!run.w.last_run().ran);
        QCOMPARE(run.w.last_run().frames_read, 0);

        // A writer that is not decoded: frames without samples give empty
        // results, never a crash.
        std::vector<item_writer::frame> frames(
            3, item_writer::frame(item_writer::tone(n, 0, 40000, 1, fs)));
        QVERIFY(item_writer::write_item(item("other"), 3, frames));
        run(request_for(item("other"), 3));
        // Read, but nothing to show: empty plots, a flat range, a cleared spectrogram.
        QCOMPARE(std::make_tuple(run.w.last_run().frames_read, c.sizes(), c.wave_r[3], c.clear_n),
                 std::make_tuple(3, QVector<int>({0, 0, 0}), 0.0, 1));
    }
};

QTEST_MAIN(tst_detail_worker)
#include "tst_detail_worker.moc"
