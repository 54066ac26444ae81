// The analysis worker at its edges: missing wave blocks, concurrent
// requests, a short run after a long one, report runs, odd sample rates and
// frame lengths, and the colour bar's hand-over across threads.

#include "detail_worker_fixture.h"

#include <QSemaphore>
#include <QThread>

#include <thread>

namespace {
constexpr int fs = 192000;
constexpr int n = 7680;

item_writer::frame le_frame(std::vector<float> samples) {
    item_writer::frame f;
    f.samples = std::move(samples);
    return f;
}
} // namespace

void tst_detail_worker::flat_waveform_without_wave_block() {
    std::vector<item_writer::frame> frames(3);
    for (int f = 0; f < 3; ++f)
        frames[size_t(f)].samples = item_writer::tone(n, f, 40000, 500, fs);
    QVERIFY(item_writer::write_item(item("nowave"), 0, frames));
    data_detail_func_obj w;
    collected c;
    collect(w, c);
    w.data_detail_handle_add(request_for(item("nowave"), 3));
    w.update_data(0);
    QCOMPARE(c.wave.size(), 3 * n);
    for (const QPointF& p : c.wave)
        QCOMPARE(p.y(), 0.0);
    QCOMPARE(c.wave_r[2], 0.0);
    QCOMPARE(c.wave_r[3], 0.0);
    // All peaks equal: every phase in the lowest row, nothing else.
    QCOMPARE(c.prpd.size(), 192);
    for (const QPointF& p : c.prpd)
        QCOMPARE(p.y(), 0.0);
    // The analysis signal is still there.
    QCOMPARE(peak_of(c.fft)->x(), 40000.0);
}

void tst_detail_worker::newest_request_wins_under_concurrent_adds() {
    data_detail_func_obj w;
    collected c;
    collect(w, c);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&w, t, this]() {
            for (int i = 0; i < 200; ++i)
                w.data_detail_handle_add(
                    request_for(item(QString("absent_%1_%2").arg(t).arg(i)), 25));
        });
    }
    // A reader of the view size meanwhile takes the same lock.
    for (int i = 0; i < 200; ++i)
        w.set_stft_view_size(100 + i, 0);
    for (auto& th : threads)
        th.join();
    w.data_detail_handle_add(request_for(item("tone"), 25));
    w.update_data(0);
    QCOMPARE(w.last_run().frames_read, 25);
    QCOMPARE(c.fft_n, 1);
    // Every earlier request was dropped with it: nothing is left to run.
    w.update_data(0);
    QCOMPARE(c.fft_n, 1);
    QCOMPARE(c.wave_n, 1);
}

void tst_detail_worker::prpd_ring_cleared_between_runs() {
    // A: ten frames of irregular peaks fill every cell.
    std::vector<item_writer::frame> a(10);
    uint32_t seed = 12345;
    for (int f = 0; f < 10; ++f) {
        std::vector<float> s(static_cast<size_t>(n));
        for (float& v : s) {
            seed = seed * 1103515245u + 12345u;
            v = float((seed >> 8) % 1000) / 1000.0f * 5.0f / float(pa_per_unit);
        }
        a[size_t(f)] = le_frame(s);
    }
    QVERIFY(item_writer::write_item(item("prpd_a"), 1, a));
    // B: one frame, 0.1 Pa everywhere but a 1 Pa pulse at 90 degrees.
    std::vector<float> s(size_t(n), float(0.1 / pa_per_unit));
    for (int i = 960; i < n; i += 3840)
        s[size_t(i)] = float(1.0 / pa_per_unit);
    QVERIFY(item_writer::write_item(item("prpd_b"), 1, {le_frame(s)}));

    data_detail_func_obj w;
    collected c;
    collect(w, c);
    w.data_detail_handle_add(request_for(item("prpd_a"), 10));
    w.update_data(2);
    QVERIFY(c.prpd.size() > 1000);
    w.data_detail_handle_add(request_for(item("prpd_b"), 1));
    w.update_data(2);
    // Only B's 384 cells: one point per phase bin, the pulse alone on top.
    QCOMPARE(c.prpd.size(), 192);
    int high = 0;
    for (const QPointF& p : c.prpd) {
        if (p.y() > 0.5) {
            ++high;
            QCOMPARE(p.x(), 90.0);
        } else {
            QCOMPARE(p.y(), 0.0);
        }
    }
    QCOMPARE(high, 1);
}

void tst_detail_worker::report_and_other_funcs() {
    const QString raw = item("tone") + "/grab_raw.jpg";
    QFile::remove(raw);
    data_detail_func_obj w;
    collected c;
    collect(w, c);
    w.data_detail_handle_add(request_for(item("tone"), 25));
    w.update_data(1);
    QCOMPARE(QImage(raw).width(), 300); // frame 0's raw picture
    QCOMPARE(c.fft_n, 1);
    QCOMPARE(c.prpd_n, 1);
    QCOMPARE(c.wave_n, 0);
    QCOMPARE(c.stft_n + c.clear_n + c.bar_n, 0);
    QVERIFY(c.pics.empty());
    QCOMPARE(c.spl_n, 0);
    // Recordings of type 1 take the last frame's raw picture.
    data_info d = request_for(item("tone"), 25);
    d.data_type = 1;
    w.data_detail_handle_add(d);
    w.update_data(1);
    QCOMPARE(QImage(raw).width(), 324);
    QFile::remove(raw);
    // Any other func: spectrum and PRPD only, no file.
    w.data_detail_handle_add(request_for(item("tone"), 25));
    w.update_data(7);
    QVERIFY(!QFile::exists(raw));
    QCOMPARE(c.fft_n, 3);
    QCOMPARE(c.prpd_n, 3);
    QCOMPARE(c.wave_n, 0);
}

void tst_detail_worker::low_sample_rate_and_unequal_frames() {
    // 8 kHz: no phase bins (and the default band lies above it).
    std::vector<item_writer::frame> slow(3);
    for (int f = 0; f < 3; ++f)
        slow[size_t(f)] = le_frame(item_writer::tone(n, f, 1000, 0.01, 8000));
    QVERIFY(item_writer::write_item(item("slow"), 1, slow, 8000));
    data_detail_func_obj w;
    collected c;
    collect(w, c);
    qint64 log_at = log_size();
    w.data_detail_handle_add(request_for(item("slow"), 3, 0, 25, 8000));
    w.update_data(0);
    QCOMPARE(c.prpd_n, 1);
    QVERIFY(c.prpd.isEmpty());
    QCOMPARE(c.fft_n, 1);
    QVERIFY(c.fft.isEmpty());
    QCOMPARE(c.clear_n, 1);
    QCOMPARE(c.wave.size(), 3 * n);
    // Each empty plot says why.
    QString log = log_since(log_at);
    QVERIFY(log.contains("wave_prpd empty: 8000 Hz gives no samples per phase bin"));
    QVERIFY(log.contains("update_wave_fft empty: band 5000..96000 Hz outside 0..3840 Hz"));
    QVERIFY(log.contains("update_stft_clear: 0 rows, 4 columns"));

    // Frames of 7680, 5010 and 7680 samples: 7 + (1 + 4) + (1 + 7) = 20
    // windows -> 4 columns; the short frame is left out of the spectrum.
    const double u = 1.0 / pa_per_unit;
    std::vector<item_writer::frame> odd = {le_frame(item_writer::tone(n, 0, 40000, u, fs)),
                                           le_frame(item_writer::tone(5010, 0, 40000, u, fs)),
                                           le_frame(item_writer::tone(n, 2, 40000, u, fs))};
    QVERIFY(item_writer::write_item(item("odd"), 1, odd));
    collected c2;
    data_detail_func_obj w2;
    collect(w2, c2);
    log_at = log_size();
    w2.data_detail_handle_add(request_for(item("odd"), 3));
    w2.update_data(0);
    log = log_since(log_at);
    QVERIFY(log.contains("update_wave_fft frame of 5010 samples left out (block 7680)"));
    QVERIFY(log.contains("wave_prpd frame 1: last phase group has 10 of 20 samples"));
    QCOMPARE(c2.stft_w, 4);
    QCOMPARE(c2.stft_h, 910);
    QVERIFY(qAbs(peak_of(c2.fft)->y() - (1 - 0.81) * tone_db(1.0)) < 0.01);
    // PRPD: 384 + 251 + 384 groups, all within the ring.
    QVERIFY(!c2.prpd.isEmpty());
}

void tst_detail_worker::queued_results_and_colour_bar_ownership() {
    QThread thread;
    thread.start();
    auto* w = new data_detail_func_obj;
    w->moveToThread(&thread);
    result_relay relay;
    connect(w, &data_detail_func_obj::update_wave_fft, &relay, &result_relay::fft);
    connect(w, &data_detail_func_obj::update_stft_fft, &relay, &result_relay::bar);
    QSignalSpy fft_spy(&relay, &result_relay::fft);
    QSignalSpy bar_spy(&relay, &result_relay::bar);
    const size_t pending = stft_fft_buffer_pending();

    w->data_detail_handle_add(request_for(item("tone"), 25));
    QMetaObject::invokeMethod(w, "update_data", Qt::QueuedConnection, Q_ARG(int, 0));
    QVERIFY(fft_spy.wait(20000));
    QTRY_COMPARE(bar_spy.count(), 1);
    QCOMPARE(fft_spy.at(0).at(0).value<QVector<QPointF>>().size(), 3641);
    QCOMPARE(bar_spy.at(0).at(1).toInt(), 256);
    QCOMPARE(bar_spy.at(0).at(2).toInt(), 910);
    auto owned = stft_fft_buffer_take(bar_spy.at(0).at(0).value<unsigned char*>());
    QVERIFY(owned);
    QCOMPARE(stft_fft_buffer_pending(), pending);

    // A receiver closed before delivery drops the buffer; it is reclaimed
    // after a few more, so repeated closes never pile up memory.
    disconnect(w, &data_detail_func_obj::update_stft_fft, &relay, &result_relay::bar);
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
    QVERIFY(stft_fft_buffer_pending() <= stft_fft_buffer_keep);

    thread.quit();
    thread.wait();
    delete w;
}

void tst_detail_worker::missing_item_emits_nothing() {
    data_detail_func_obj w;
    collected c;
    collect(w, c);
    w.update_data(0); // nothing queued
    data_info empty;
    w.data_detail_handle_add(empty);
    w.update_data(0);
    w.data_detail_handle_add(request_for(item("does_not_exist"), 25));
    w.update_data(0);
    QCOMPARE(c.fft_n + c.wave_n + c.prpd_n + c.stft_n + c.clear_n + c.spl_n, 0);
    QVERIFY(c.pics.empty());
    QVERIFY(!w.last_run().ran);
    QCOMPARE(w.last_run().frames_read, 0);
}

void tst_detail_worker::scale_sensitivity_distance_and_unknown_writer() {
    auto single_frame_peak = [this](const QString& name, int writer, const std::string& extra,
                                    const std::string& sensitivity, double distance,
                                    double amplitude) {
        std::vector<item_writer::frame> frames(1);
        frames[0].samples = item_writer::tone(n, 0, 40000, amplitude, fs);
        if (!item_writer::write_item(item(name), writer, frames, fs, extra, sensitivity))
            return -1000.0;
        data_detail_func_obj w;
        collected c;
        collect(w, c);
        data_info d = request_for(item(name), 1);
        d.distance = distance;
        w.data_detail_handle_add(d);
        w.update_data(2);
        const QPointF* p = peak_of(c.fft);
        return p ? p->y() : -1000.0;
    };
    // Writer 0 at sensitivity 100: half the Pa per count, 6.02 dB lower.
    const double counts = 1.0 / pa_per_count;
    const double at50 = single_frame_peak("sens50", 0, "", "50", 1, counts);
    const double at100 = single_frame_peak("sens100", 0, "", "100", 1, counts);
    QVERIFY(qAbs(at50 - 0.1 * tone_db(1.0)) < 0.01);
    QVERIFY(qAbs(at100 - 0.1 * tone_db(0.5)) < 0.01);
    // The distance-correction flag leaves the Pa scale alone: the same tone
    // reads the same level at 2 m and 0.5 m, flag on or off.
    const std::string on = ",\"distanceCorrectEnable\":true";
    const double u = 1.0 / pa_per_unit;
    QVERIFY(qAbs(single_frame_peak("dist_on", 1, on, "50", 2, u) - 0.1 * tone_db(1.0)) < 0.01);
    QVERIFY(qAbs(single_frame_peak("dist_half", 1, on, "50", 0.5, u) - 0.1 * tone_db(1.0)) < 0.01);
    QVERIFY(qAbs(single_frame_peak("dist_off", 1, "", "50", 2, u) - 0.1 * tone_db(1.0)) < 0.01);

    // A writer that is not decoded: frames without samples give empty
    // results, never a crash.
    std::vector<item_writer::frame> frames(3);
    for (auto& f : frames)
        f.samples = item_writer::tone(n, 0, 40000, 1, fs);
    QVERIFY(item_writer::write_item(item("other"), 3, frames));
    data_detail_func_obj w;
    collected c;
    collect(w, c);
    w.data_detail_handle_add(request_for(item("other"), 3));
    w.update_data(0);
    QCOMPARE(w.last_run().frames_read, 3);
    QVERIFY(c.wave.isEmpty());
    QCOMPARE(c.wave_r[3], 0.0);
    QVERIFY(c.fft.isEmpty());
    QCOMPARE(c.clear_n, 1);
    QVERIFY(c.prpd.isEmpty());
}
