// halvix-cli analyse end to end: the shared samples of all three writers,
// generated sets of each writer, and a written item with known pulse phases.

#include "cli_run.h"
#include "item_writer.h"
#include "sample_sets.h"

#include <QImage>

#include <cmath>
#include <set>

namespace {
// Frequency and level of the spectrum's highest point.
std::pair<double, double> spectrum_peak(const Json::Value& o) {
    std::pair<double, double> best(0, -1e9);
    for (const Json::Value& p : o["spectrum"]["points"])
        if (p[1].asDouble() > best.second)
            best = {p[0].asDouble(), p[1].asDouble()};
    return best;
}
} // namespace

class tst_cli_analyse : public QObject {
    Q_OBJECT
    QTemporaryDir home;

    cli_result analyse(const QStringList& args) {
        return run_cli(home.path(), QStringList{"analyse"} + args, 60000);
    }
    Json::Value analyse_json(const QString& dir) {
        const cli_result r = analyse({dir, "--json"});
        return r.code == 0 ? parse_json(r.out) : Json::Value();
    }

private Q_SLOTS:
    void shared_samples_all_writers() {
        const Json::Value m = load_manifest();
        std::set<std::string> writers;
        for (const Json::Value& it : m["items"]) {
            const Json::Value& sig = it["signal"];
            const Json::Value& info = it["expected_info"];
            if (it["skip"].asBool() || sig.empty())
                continue;
            const Json::Value o =
                analyse_json(QString(HALVIX_SAMPLES_DIR "/basic/") + it["dir"].asCString());
            QVERIFY2(o.isObject(), it["dir"].asCString());
            QCOMPARE(o["frames_read"].asInt(), std::min(it["frame_num"][0].asInt(), 25));
            // Spectrum peak at the tone, at the level averaged from zero.
            const auto peak = spectrum_peak(o);
            QCOMPARE(peak.first, sig["peak_point_freq"].asDouble());
            QVERIFY(std::fabs(peak.second - sig["peak_level_default_run_db"].asDouble()) < 0.05);
            // One spectrogram row per 100 Hz of the band.
            const Json::Value& stft = o["stft"];
            QCOMPARE(stft["rows"].asInt(),
                     info["freq_range_end"].asInt() / 100 - info["freq_range_start"].asInt() / 100);
            QCOMPARE(o["colorbar_rows"].asInt(), stft["rows"].asInt());
            QVERIFY(stft["max"].asDouble() > stft["min"].asDouble());
            // Picture slots only for recordings of type 0.
            QCOMPARE(int(o["pictures"].size()), info["data_type"].asInt() == 0 ? 6 : 0);
            if (info["sign_mode"].asInt() == 2) {
                const double l = o["spl"].asDouble() + 10 * std::log2(info["distance"].asDouble());
                double rate = 0.165 * std::exp(0.0578 * l) * info["gasleak_rect"].asDouble();
                if (info["gasleak_unit_mode"].asInt() == 1)
                    rate /= 28.3185;
                QVERIFY(std::fabs(o["gas_leak"]["rate"].asDouble() - rate) <
                        1e-6 * std::max(1.0, rate));
                QVERIFY(o["gas_leak"]["level"].asDouble() >= 1);
            } else {
                QVERIFY(!o.isMember("gas_leak"));
            }
            writers.insert(info["app_name"].asString());
        }
        QCOMPARE(writers.size(), size_t(3));
    }

    // The sample generator and the analysis must agree on each writer's
    // sample units: a generated tone comes back at its own frequency and
    // pressure, averaged from zero with weight 0.9 over the frames.
    void generated_sets_analyse_to_their_pressure() {
        QTemporaryDir dir;
        for (int writer = 0; writer < 3; ++writer) {
            sample_options o = small_set(2, 12, 7680);
            o.writer = writer;
            sample_set set;
            const QString root = dir.filePath(QString::number(writer));
            QCOMPARE(generate_sample_set(root.toStdWString(), o, &set), 0);
            int checked = 0;
            for (const sample_item& it : set.items) {
                if (it.tone_hz <= 0)
                    continue;
                const auto peak =
                    spectrum_peak(analyse_json(root + "/" + QString::fromStdWString(it.dir_name)));
                QCOMPARE(peak.first, it.tone_hz);
                // Frame k carries the tone 0.1*(k % 10) dB louder; RMS level re 20 uPa.
                double expected = 0;
                for (int k = 0; k < it.frames; ++k) {
                    const double pa = it.tone_pa * std::pow(10.0, 0.1 * (k % 10) / 20.0);
                    expected = (20 * std::log10(pa / std::sqrt(2.0)) + 94 + 9 * expected) / 10;
                }
                QVERIFY2(std::fabs(peak.second - expected) < 0.2,
                         qPrintable(QString::number(writer)));
                ++checked;
            }
            QVERIFY(checked > 0);
        }
    }

    void pulses_rows_csv_and_png() {
        QTemporaryDir tmp;
        // 12 frames at 192 kHz: faint noise and a 2 Pa pulse at 135 degrees.
        std::vector<item_writer::frame> frames(12);
        for (int f = 0; f < 12; ++f) {
            frames[size_t(f)].samples = item_writer::tone(7680, f, 30000, 0.01, 192000);
            for (int i = 0; i < 7680; ++i)
                if ((int64_t(f) * 7680 + i) % 3840 == 1440)
                    frames[size_t(f)].samples[size_t(i)] = float(2.0 * 3 / 125);
        }
        const QString dir = tmp.path() + "/item";
        QVERIFY(item_writer::write_item(dir, 1, frames));
        const QString png = tmp.path() + "/stft.png";
        cli_result r = analyse({dir, "--rows", "100", "--png", png, "--json"});
        QCOMPARE(r.code, 0);
        const Json::Value o = parse_json(r.out);
        // 95 windows give 20 columns; the pulse is the one point above half.
        QList<double> high;
        for (const Json::Value& p : o["prpd"]["points"])
            if (p[1].asDouble() > 0.5)
                high << p[0].asDouble();
        QCOMPARE(std::make_tuple(o["stft"]["rows"].asInt(), o["stft"]["columns"].asInt(), high),
                 std::make_tuple(100, 20, QList<double>{135.0}));
        const QImage img(png);
        QVERIFY(img.width() > 800 && img.height() == 480);

        r = analyse({dir, "--csv", "--start", "4", "--count", "3", "--func", "2"});
        QCOMPARE(r.code, 0);
        const QList<QByteArray> lines = r.out.trimmed().split('\n');
        QCOMPARE(std::make_pair(lines.size(), lines.first()),
                 std::make_pair(1 + 3641, QByteArray("frequency_hz,level_db")));
        QVERIFY(lines.at(1).startsWith("5000,"));

        // Bad input is refused with a message, not a crash.
        QCOMPARE(analyse({tmp.path() + "/nothing"}).code, 1);
        QCOMPARE(analyse({dir, "--func", "9"}).code, 2);
        QCOMPARE(analyse({}).code, 2);
    }
};

QTEST_MAIN(tst_cli_analyse)
#include "tst_cli_analyse.moc"
