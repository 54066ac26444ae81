// halvix-cli analyse end to end: the shared samples of all three writers and
// a written item with known pulse phases.

#include "item_writer.h"
#include "tools/samplegen/sample_gen.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace {
struct cli_result {
    int code = -1;
    QByteArray out;
};

cli_result run_cli(const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start(qEnvironmentVariable("HALVIX_TEST_BUILD_DIR") + "/cli/halvix-cli",
            QStringList{"analyse"} + args);
    cli_result r;
    if (!p.waitForFinished(60000))
        return r;
    r.code = p.exitCode();
    r.out = p.readAllStandardOutput();
    return r;
}

// Frequency and level of the spectrum's highest point.
QPair<double, double> spectrum_peak(const QJsonObject& o) {
    QPair<double, double> best(0, -1e9);
    for (const QJsonValue& p : o.value("spectrum").toObject().value("points").toArray())
        if (p.toArray().at(1).toDouble() > best.second)
            best = {p.toArray().at(0).toDouble(), p.toArray().at(1).toDouble()};
    return best;
}

QJsonObject manifest() {
    QFile f(QStringLiteral(HALVIX_SAMPLES_DIR) + "/basic.manifest.json");
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(f.readAll()).object();
}
} // namespace

class tst_cli_analyse : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void shared_samples_all_writers() {
        const QJsonObject m = manifest();
        if (m.isEmpty())
            QSKIP("shared samples not present");
        QSet<QString> writers;
        for (const QJsonValue& v : m.value("items").toArray()) {
            const QJsonObject it = v.toObject();
            const QJsonObject sig = it.value("signal").toObject();
            const QJsonObject info = it.value("expected_info").toObject();
            if (it.value("skip").toBool() || sig.isEmpty())
                continue;
            const QString dir = QStringLiteral(HALVIX_SAMPLES_DIR) + "/" +
                                m.value("dataset").toString() + "/" + it.value("dir").toString();
            const cli_result r = run_cli({dir});
            QCOMPARE(r.code, 0);
            const QJsonObject o = QJsonDocument::fromJson(r.out).object();
            const int frames = it.value("frame_num").toArray().at(0).toInt();
            QCOMPARE(o.value("frames_read").toInt(), std::min(frames, 25));
            // Spectrum peak at the tone, at the level averaged from zero.
            const QPair<double, double> peak = spectrum_peak(o);
            QCOMPARE(peak.first, sig.value("peak_point_freq").toDouble());
            QVERIFY(qAbs(peak.second - sig.value("peak_level_default_run_db").toDouble()) < 0.05);
            // One spectrogram row per 100 Hz of the band.
            const QJsonObject stft = o.value("stft").toObject();
            QCOMPARE(stft.value("rows").toInt(), info.value("freq_range_end").toInt() / 100 -
                                                     info.value("freq_range_start").toInt() / 100);
            QCOMPARE(o.value("colorbar_rows").toInt(), stft.value("rows").toInt());
            QVERIFY(stft.value("max").toDouble() > stft.value("min").toDouble());
            // Picture slots only for recordings of type 0.
            QCOMPARE(o.value("pictures").toArray().size(),
                     info.value("data_type").toInt() == 0 ? 6 : 0);
            if (info.value("sign_mode").toInt() == 2) {
                const double l =
                    o.value("spl").toDouble() + 10 * std::log2(info.value("distance").toDouble());
                double rate = 0.165 * std::exp(0.0578 * l) * info.value("gasleak_rect").toDouble();
                if (info.value("gasleak_unit_mode").toInt() == 1)
                    rate /= 28.3185;
                const QJsonObject leak = o.value("gas_leak").toObject();
                QVERIFY(qAbs(leak.value("rate").toDouble() - rate) < 1e-6 * std::max(1.0, rate));
                QVERIFY(leak.value("level").toDouble() >= 1);
            } else {
                QVERIFY(!o.contains("gas_leak"));
            }
            writers.insert(info.value("app_name").toString());
        }
        QCOMPARE(writers.size(), 3);
    }

    // The sample generator and the analysis must agree on each writer's
    // sample units: a generated tone comes back at its own frequency and
    // pressure, averaged from zero with weight 0.9 over the frames.
    void generated_sets_analyse_to_their_pressure() {
        QTemporaryDir dir;
        for (int writer = 0; writer < 3; ++writer) {
            sample_options o;
            o.items = 2;
            o.writer = writer;
            o.frames = 12;
            o.picture_width = 64;
            o.picture_height = 48;
            sample_set set;
            const QString root = dir.filePath(QString::number(writer));
            QCOMPARE(generate_sample_set(root.toStdWString(), o, &set), 0);
            int checked = 0;
            for (const sample_item& it : set.items) {
                if (it.tone_hz <= 0)
                    continue;
                const cli_result r =
                    run_cli({root + "/" + QString::fromStdWString(it.dir_name), "--json"});
                QCOMPARE(r.code, 0);
                const QPair<double, double> peak =
                    spectrum_peak(QJsonDocument::fromJson(r.out).object());
                QCOMPARE(peak.first, it.tone_hz);
                // Frame k carries the tone 0.1*(k % 10) dB louder; RMS level re 20 uPa.
                double expected = 0;
                for (int k = 0; k < it.frames; ++k) {
                    const double pa = it.tone_pa * std::pow(10.0, 0.1 * (k % 10) / 20.0);
                    const double level = 20 * std::log10(pa / std::sqrt(2.0)) + 94;
                    expected = (level + 9 * expected) / 10;
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
        cli_result r = run_cli({dir, "--rows", "100", "--png", png, "--json"});
        QCOMPARE(r.code, 0);
        const QJsonObject o = QJsonDocument::fromJson(r.out).object();
        QCOMPARE(o.value("stft").toObject().value("rows").toInt(), 100);
        QCOMPARE(o.value("stft").toObject().value("columns").toInt(), 20); // 95 windows
        int high = 0;
        for (const QJsonValue& p : o.value("prpd").toObject().value("points").toArray()) {
            const QJsonArray a = p.toArray();
            if (a.at(1).toDouble() > 0.5) {
                ++high;
                QCOMPARE(a.at(0).toDouble(), 135.0);
            }
        }
        QCOMPARE(high, 1);
        const QImage img(png);
        QVERIFY(!img.isNull());
        QVERIFY(img.width() > 800 && img.height() == 480);

        r = run_cli({dir, "--csv", "--start", "4", "--count", "3", "--func", "2"});
        QCOMPARE(r.code, 0);
        const QList<QByteArray> lines = r.out.trimmed().split('\n');
        QCOMPARE(lines.first(), QByteArray("frequency_hz,level_db"));
        QCOMPARE(lines.size(), 1 + 3641);
        QVERIFY(lines.at(1).startsWith("5000,"));

        // Bad input is refused with a message, not a crash.
        QCOMPARE(run_cli({tmp.path() + "/nothing"}).code, 1);
        QCOMPARE(run_cli({dir, "--func", "9"}).code, 2);
        QCOMPARE(run_cli({}).code, 2);
    }
};

QTEST_MAIN(tst_cli_analyse)
#include "tst_cli_analyse.moc"
