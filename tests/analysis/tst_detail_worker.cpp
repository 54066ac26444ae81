// The analysis worker on written items: what each run emits, against values
// worked out from the formulas. (The shared samples are run end to end by
// the halvix-cli analyse test.)

#include "core/app_log.h"
#include "detail_worker_fixture.h"

namespace {
constexpr int fs = 192000;
constexpr int n = 7680;

// 25 frames: a 40 kHz tone of 1 Pa in the analysis signal; the display
// wave adds a 3 Pa pulse at 90 degrees of every 50 Hz period.
std::vector<item_writer::frame> tone_frames(int count) {
    std::vector<item_writer::frame> frames(static_cast<size_t>(count));
    for (int f = 0; f < count; ++f) {
        auto& fr = frames[size_t(f)];
        const std::vector<float> pa = item_writer::tone(n, f, 40000, 1.0, fs);
        fr.samples.resize(size_t(n));
        fr.wave = pa;
        for (int i = 0; i < n; ++i) {
            fr.samples[size_t(i)] = float(pa[size_t(i)] / pa_per_count);
            if ((int64_t(f) * n + i) % 3840 == 960)
                fr.wave[size_t(i)] += 3.0f;
        }
        fr.picture = item_writer::jpeg_of_width(16 + f);
        fr.raw_picture = item_writer::jpeg_of_width(300 + f);
    }
    return frames;
}
} // namespace

void tst_detail_worker::initTestCase() {
    QVERIFY(tmp_.isValid());
    QCOMPARE(log_open(log_path().toStdWString()), 0);
    QVERIFY(item_writer::write_item(item("tone"), 0, tone_frames(25)));
}

void tst_detail_worker::tone_run_spectrum_spectrogram_wave_prpd() {
    data_detail_func_obj w;
    collected c;
    collect(w, c);
    w.data_detail_handle_add(request_for(item("tone"), 25));
    w.update_data(0);
    const detail_run_info info = w.last_run();
    QVERIFY(info.ran);
    QCOMPARE(info.frames_read, 25);
    QCOMPARE(info.start_used, 0);

    // Spectrum: bins 200..3840 of 25 Hz; the tone's bin averaged from zero
    // over 25 frames with weight 0.9.
    QCOMPARE(c.fft_n, 1);
    QCOMPARE(c.fft.size(), 3641);
    QCOMPARE(c.fft_r[0], 5000.0);
    QCOMPARE(c.fft_r[1], 96000.0);
    const QPointF* peak = peak_of(c.fft);
    QCOMPARE(peak->x(), 40000.0);
    const double expected = (1 - std::pow(0.9, 25)) * tone_db(1.0);
    QVERIFY2(qAbs(peak->y() - expected) < 0.02, qPrintable(QString::number(peak->y())));
    double lo = 1e9;
    for (const QPointF& p : c.fft)
        lo = std::min(lo, p.y());
    QVERIFY(qAbs(c.fft_r[3] - (peak->y() + 0.05 * (peak->y() - lo))) < 1e-3);
    QVERIFY(qAbs(c.fft_r[2] - (lo - 0.05 * (peak->y() - lo))) < 1e-3);

    // Spectrogram: 199 windows -> 48 columns; bins 50..959 -> 910 rows,
    // highest frequency on top, so 40 kHz (bin 400) is row 909 - 350.
    QCOMPARE(c.stft_n, 1);
    QCOMPARE(c.clear_n, 0);
    QCOMPARE(c.stft_w, 48);
    QCOMPARE(c.stft_h, 910);
    QCOMPARE(c.stft.size(), QSize(48, 910));
    QCOMPARE(c.stft_r[0], 0.0);
    QVERIFY(qAbs(c.stft_r[1] - 1.0) < 1e-12);
    QCOMPARE(c.stft_r[2], 5000.0);
    QCOMPARE(c.stft_r[3], 96000.0);
    for (int col : {0, 24, 47}) {
        const QColor hot = c.stft.pixelColor(col, 559);
        QVERIFY2(hot.red() == 255 && hot.blue() == 0 && hot.green() < 20,
                 qPrintable(QString("col %1 g %2").arg(col).arg(hot.green())));
        QVERIFY(c.stft.pixelColor(col, 100).red() < 255 || c.stft.pixelColor(col, 100).green() > 0);
    }
    // Colour bar: one row per bin, the tone's row has the full bar.
    QCOMPARE(c.bar_n, 1);
    QCOMPARE(c.bar.size(), QSize(256, 910));
    QVERIFY(c.bar.pixelColor(0, 559) != QColor(42, 44, 54));
    QCOMPARE(c.bar.pixelColor(0, 100), QColor(42, 44, 54));

    // Waveform: every sample, time accumulated from x0, symmetric range.
    QCOMPARE(c.wave_n, 1);
    QCOMPARE(c.wave.size(), 25 * n);
    QCOMPARE(c.wave_r[0], 0.0);
    QVERIFY(qAbs(c.wave_r[1] - 1.0) < 1e-12);
    // The time axis accumulates in single precision: after 191999 steps of
    // 1/192000 s it stands at 0.99831080 (float emulation), not 0.99999479.
    QCOMPARE(c.wave.last().x(), 0.9983108043670654);
    double amax = 0;
    for (const QPointF& p : c.wave)
        amax = std::max(amax, std::fabs(p.y()));
    QVERIFY(amax > 2.9); // the pulses fall on zero crossings of the tone
    QVERIFY(qAbs(c.wave_r[3] - amax / 0.9) < 1e-6);
    QCOMPARE(c.wave_r[2], -c.wave_r[3]);

    // PRPD: 10 frames fill all 3840 cells; the pulses stand out at 90 deg.
    QCOMPARE(c.prpd_n, 1);
    QVERIFY(c.prpd.size() > 1 && c.prpd.size() <= 3840);
    int high = 0;
    for (const QPointF& p : c.prpd) {
        if (p.y() > 0.5) {
            ++high;
            QCOMPARE(p.x(), 90.0);
        }
    }
    QVERIFY(high >= 1);

    // Pictures of the six slots; the first is the preview and gives the SPL.
    QCOMPARE(int(c.pics.size()), 6);
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(c.pics[size_t(i)].width(), 16 + i);
        QCOMPARE(bool(c.preview[size_t(i)]), i == 0);
    }
    QCOMPARE(c.spl_n, 1);
    QVERIFY(qAbs(c.spl - 54.0) < 1e-3); // 20*log10(0.01) + 94

    // A second identical run reuses every work buffer.
    const int allocations = w.work_buffer_allocations();
    w.data_detail_handle_add(request_for(item("tone"), 25));
    w.update_data(0);
    QCOMPARE(w.work_buffer_allocations(), allocations);
    QCOMPARE(c.fft_n, 2);
}

void tst_detail_worker::row_reduction_keeps_colour_bar_rows() {
    data_detail_func_obj w;
    collected c;
    collect(w, c);
    w.set_stft_view_size(300, 100);
    w.data_detail_handle_add(request_for(item("tone"), 25));
    w.update_data(0);
    QCOMPARE(c.stft_h, 100);
    QCOMPARE(c.stft.size(), QSize(48, 100));
    QCOMPARE(c.bar.height(), 910);
    // Row 559 lies in output row 61 (559 / 9.1 = 61.4): the maximum keeps it red.
    const QColor hot = c.stft.pixelColor(24, 61);
    QVERIFY(hot.red() == 255 && hot.blue() == 0 && hot.green() < 20);
    // Target heights at or above the row count leave the rows alone.
    w.set_stft_view_size(300, 910);
    w.data_detail_handle_add(request_for(item("tone"), 25));
    w.update_data(0);
    QCOMPARE(c.stft_h, 910);
}

void tst_detail_worker::window_moved_back_with_picture_slots() {
    std::vector<item_writer::frame> frames(100);
    for (int f = 0; f < 100; ++f) {
        frames[size_t(f)].samples = item_writer::tone(1920, f, 20000, 0.01, fs);
        frames[size_t(f)].picture = item_writer::jpeg_of_width(16 + f);
        frames[size_t(f)].spl = float(1000 + f);
    }
    QVERIFY(item_writer::write_item(item("hundred"), 1, frames));
    data_detail_func_obj w;
    collected c;
    collect(w, c);
    w.data_detail_handle_add(request_for(item("hundred"), 100, 95, 25));
    w.update_data(0);
    const detail_run_info info = w.last_run();
    QCOMPARE(info.requested_start, 95);
    QCOMPARE(info.start_used, 75);
    QCOMPARE(info.frames_read, 25);
    QCOMPARE(int(c.pics.size()), 6);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(c.pics[size_t(i)].width(), 16 + 95 + i);
    QVERIFY(c.pics[5].isNull());
    QCOMPARE(c.spl, 1095.0);
    // The time axis starts at the frame used first.
    QVERIFY(qAbs(c.wave_r[0] - 75 * 1920.0 / fs) < 1e-9);
    QVERIFY(qAbs(c.wave_r[1] - 100 * 1920.0 / fs) < 1e-9);
    QCOMPARE(c.stft_r[0], c.wave_r[0]);
}

void tst_detail_worker::one_frame_clears_spectrogram() {
    std::vector<item_writer::frame> frames(1);
    frames[0].samples = item_writer::tone(n, 0, 40000, 1.0 / pa_per_unit, fs);
    QVERIFY(item_writer::write_item(item("single"), 1, frames));
    data_detail_func_obj w;
    collected c;
    collect(w, c);
    w.data_detail_handle_add(request_for(item("single"), 1));
    w.update_data(0);
    QCOMPARE(c.clear_n, 1);
    QCOMPARE(c.stft_n, 0);
    QCOMPARE(c.bar_n, 0);
    // One frame: 0.1 of the level.
    QVERIFY(qAbs(peak_of(c.fft)->y() - 0.1 * tone_db(1.0)) < 0.01);
}

void tst_detail_worker::silent_frame_stops_average() {
    std::vector<item_writer::frame> frames(4);
    for (int f = 0; f < 4; ++f)
        frames[size_t(f)].samples = f == 2 ? std::vector<float>(size_t(n), 0.0f)
                                           : item_writer::tone(n, f, 40000, 1.0 / pa_per_unit, fs);
    QVERIFY(item_writer::write_item(item("silent"), 1, frames));
    data_detail_func_obj w;
    collected c;
    collect(w, c);
    w.data_detail_handle_add(request_for(item("silent"), 4));
    w.update_data(0);
    // Frames 0 and 1 averaged from zero; the silent frame ends the average.
    const QPointF* peak = peak_of(c.fft);
    QCOMPARE(peak->x(), 40000.0);
    QVERIFY(qAbs(peak->y() - (1 - 0.81) * tone_db(1.0)) < 0.01);
    // The spectrogram of the silent stretch still maps to colours.
    QCOMPARE(c.stft_n, 1);
}

QTEST_MAIN(tst_detail_worker)
