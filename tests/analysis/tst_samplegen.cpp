// The generated data sets read back with the reader: what the generator says
// it wrote is what the files hold.

#include "analysis/datafile/data_file.h"
#include "platform/text.h"
#include "tools/samplegen/sample_gen.h"

#include <QtTest>

#include <cmath>

class tst_samplegen : public QObject {
    Q_OBJECT

    // The tone sits in its band of the level block; the largest excursion of
    // the wave lies just after a pulse phase (45 or 225 degrees of a cycle).
    static void check_tone_and_pulses(const sample_item& it, const signal_frame& f) {
        const auto band = std::max_element(f.spectrum.begin(), f.spectrum.end());
        QCOMPARE(int(band - f.spectrum.begin()), int(it.tone_hz / (it.fs / 2.0 / 768)));
        QVERIFY(std::fabs(*band - it.tone_pa / std::sqrt(2.0)) < 1e-4);
        const auto at = std::max_element(f.wave.begin(), f.wave.end(), [](float a, float b) {
            return std::fabs(a) < std::fabs(b);
        });
        const double cycle = it.fs / 50.0;
        const double phase = std::fmod(double(at - f.wave.begin()), cycle) / cycle * 360.0;
        QVERIFY2((phase >= 45 && phase < 50) || (phase >= 225 && phase < 230),
                 qPrintable(QString::number(phase)));
    }
private slots:
    // Every writer's items read back as generated, the same seed gives the
    // same bytes.
    void every_writer_reads_back_and_repeats() {
        QTemporaryDir tmp, again;
        sample_options o;
        o.items = 12;
        o.frames = 3;
        o.samples = 1920;
        o.picture_width = 160;
        o.picture_height = 120;
        sample_set set, set2;
        QCOMPARE(generate_sample_set(tmp.path().toStdWString(), o, &set), 0);
        QCOMPARE(generate_sample_set(again.path().toStdWString(), o, &set2), 0);
        QCOMPARE(int(set.items.size()), 12);
        int writers[3] = {0, 0, 0}, leaks = 0, unnamed = 0, quoted = 0;
        for (const sample_item& it : set.items) {
            data_info d;
            d.data_dir = set.root + L"/" + it.dir_name;
            QCOMPARE(read_data_item(d), 0);
            ++writers[it.app_type];
            QCOMPARE(QVector<int>({d.app_type, d.has_tail, d.discharge, d.favorite, d.valid_type,
                                   d.sign_mode, d.mic_gain, d.fs}),
                     QVector<int>({it.app_type, it.has_tail, it.discharge, it.favorite,
                                   it.valid_type, it.sign_mode, it.mic_gain_text / 6, it.fs}));
            QCOMPARE(d.index_table, it.index_table);
            QCOMPARE(d.time, it.time);
            QCOMPARE(d.data_name + L"|" + d.data_note, it.name + L"|" + it.note);
            leaks += it.gas_leak;
            unnamed += it.name.empty();
            quoted += it.name.find(L'\'') != std::wstring::npos;
            if (it.gas_leak)
                QVERIFY(d.gasleak_rect > 0);

            std::vector<signal_frame_ptr> frames;
            int32_t n = 100;
            bool at_end = false;
            QCOMPARE(read_data_frames(d.data_dir + L"/Data.dat", 0, n, frames, d, at_end), 0);
            QCOMPARE(n, o.frames);
            for (int k = 0; k < n; ++k) {
                const signal_frame& f = *frames[size_t(k)];
                QVERIFY(std::fabs(f.spl - it.frame_spl[size_t(k)]) < 1e-4);
                QCOMPARE(f.sample_num, o.samples);
                QImage pic;
                QVERIFY(pic.loadFromData(f.picture.data(), int(f.picture.size()), "JPG"));
                QCOMPARE(pic.size(), QSize(160, 120));
                if (k == 0 && it.tone_hz > 0 && !it.pd_phase_deg.empty())
                    check_tone_and_pulses(it, f);
                if (it.app_type == 0) {
                    QVERIFY(f.raw_picture_len > 0);
                    // Raw counts times the scale give the display wave.
                    float worst = 0;
                    for (int i = 0; i < f.sample_num; ++i)
                        worst =
                            std::max(worst, std::fabs(float(f.signal[size_t(i)] * it.pa_per_count) -
                                                      f.wave[size_t(i)]));
                    QVERIFY(worst <= it.pa_per_count);
                }
            }
            QCOMPARE(QImage(QString::fromStdWString(d.data_dir + L"/grab.jpg")).size(),
                     QSize(160, 120));
            const QString rel = QString::fromStdWString(it.dir_name) + "/Data.dat";
            QFile fa(tmp.filePath(rel)), fb(again.filePath(rel));
            QVERIFY(fa.open(QIODevice::ReadOnly) && fb.open(QIODevice::ReadOnly));
            QVERIFY(fa.readAll() == fb.readAll());
        }
        QVERIFY(writers[0] > 0 && writers[1] > 0 && writers[2] > 0);
        QVERIFY(leaks > 0);
        QCOMPARE(unnamed, 1);
        QCOMPARE(quoted, 1);
    }
};

QTEST_GUILESS_MAIN(tst_samplegen)
#include "tst_samplegen.moc"
