// Header rules, frame layouts and the bounds of every length read from a file.

#include "analysis/datafile/data_file.h"
#include "platform/text.h"
#include "tools/samplegen/sample_gen.h"

#include <QtTest>

#include <cmath>
#include <sstream>

namespace {

sample_frame_content frame_content(uint32_t tag, int n, float level_pa) {
    sample_frame_content c;
    c.tag = tag;
    for (int i = 0; i < n; ++i) {
        c.counts.push_back(int16_t(i % 2 ? -i : i));
        c.wave_pa.push_back(0.5f * float(i));
    }
    c.spectrum.assign(768, 0.001f);
    c.spectrum[100] = level_pa;
    c.raw_picture = {0xff, 0xd8, 1, 2};
    c.picture = {0xff, 0xd8, 3, 4, 5};
    c.spl = 80.5f;
    return c;
}

std::string header(const char* app_name, const char* version) {
    return std::string("{\"app_name\":\"") + app_name + "\",\"app_version\":\"" + version +
           "\",\"beamforming\":{}}";
}

// Result, count, tags and end flag of reading up to want frames from start.
QString read_summary(const std::wstring& path, int32_t start, int32_t want) {
    std::vector<signal_frame_ptr> frames;
    data_info d;
    bool at_end = false;
    const int rc = read_data_frames(path, start, want, frames, d, at_end);
    QString out = QString("rc=%1 n=%2").arg(rc).arg(want);
    for (const auto& f : frames)
        out += " " + QString::number(f->tag);
    return out + (at_end ? " end" : " more");
}

int32_t frame_count(const std::wstring& path) {
    int32_t count = -1;
    return count_data_frames(path, count) == 0 ? count : -1;
}

void put_be32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    b[at] = uint8_t(v >> 24);
    b[at + 1] = uint8_t(v >> 16);
    b[at + 2] = uint8_t(v >> 8);
    b[at + 3] = uint8_t(v);
}
void put_le32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

} // namespace

class tst_datafile_edges : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;
    std::wstring file(const char* name) { return tmp.filePath(name).toStdWString(); }

private slots:
    // Each header text applied to one record that starts with fs 1234,
    // sensitivity 7, gain 9, time "kept" and data type 4; the listed fields
    // are compared.
    void header_text_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        // Tag, header text, fields expected. The gain text is dB: one step per
        // 6 dB, toward zero; not a number: 0.
        const char* const rows[][3] = {
            {"no beamforming: its fields stay", R"({"app_name":"TarvoOrnApp"})",
             "rc=0 fs=1234 sens=7 gain=9 ver=0.0.0.0 band=5000-617 app=0 tail=0"},
            {"empty beamforming: defaults", R"({"beamforming":{}})", "fs=192000 sens=50 gain=0"},
            {"gain -13", R"({"beamforming":{"micGain":"-13"}})", "gain=-2"},
            {"gain 14", R"({"beamforming":{"micGain":"14"}})", "gain=2"},
            {"gain 5", R"({"beamforming":{"micGain":"5"}})", "gain=0"},
            {"gain 7dB", R"({"beamforming":{"micGain":"7dB"}})", "gain=1"},
            {"gain x", R"({"beamforming":{"micGain":"x"}})", "gain=0"},
            {"vuvoraro", R"({"app_name":"vuvoraro"})", "app=2 tail=1 band=2000-617"},
            {"other writer, distance and band",
             R"({"app_name":"Other","geometry":{"distance":2.5},"freqRangeStart":123,)"
             R"("freqRangeEnd":456,"sign_mode":2})",
             "app=3 dist=2.5 band=123-456 sign=2"},
            {"Sable 9.9: no tail", R"({"app_name":"TarvoSableApp","app_version":"9.9"})",
             "app=1 tail=0 ver=9.9 band=5000-617"},
            {"members of a wrong type keep defaults",
             R"({"datetime":5,"data_type":"1","distanceCorrectEnable":1,)"
             R"("beamforming":{"daq":"x","micSensitivity":[],"micGain":12},"geometry":7,)"
             R"("app_version":1.5,"sign_mode":{},"freqRangeStart":null})",
             "rc=0 time=kept type=4 corr=0 fs=192000 sens=50 gain=0 ver=0.0.0.0 sign=0 "
             "band=5000-96000"},
            {"rate 0: default", R"({"beamforming":{"daq":0}})", "fs=192000"},
            {"array", "[1,2]", "rc=-1"},
            {"cut", R"({"a":)", "rc=-1"}};
        for (const auto& r : rows)
            QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]);
        QTest::newRow("deep nesting") << QString(5000, '[') << "rc=-1";
    }
    void header_text() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        data_info d;
        d.fs = 1234;
        d.mic_sensitivity = 7;
        d.mic_gain = 9;
        d.time = "kept";
        d.data_type = 4;
        const int rc = apply_data_head_text(text.toStdString(), d);
        std::ostringstream o;
        o << " rc=" << rc << " fs=" << d.fs << " sens=" << d.mic_sensitivity
          << " gain=" << d.mic_gain << " ver=" << d.app_version << " band=" << d.freq_range_start
          << "-" << d.freq_range_end << " app=" << d.app_type << " tail=" << d.has_tail
          << " dist=" << d.distance << " sign=" << d.sign_mode << " time=" << d.time
          << " type=" << d.data_type << " corr=" << d.distance_correct_enable << " ";
        const QString got = QString::fromStdString(o.str());
        for (const QString& field : expected.split(' '))
            QVERIFY2(got.contains(" " + field + " "), qPrintable(field + " not in" + got));
    }

    void version_decides_the_tail() {
        for (const char* v : {"1.0.0.55", "1.1", "2", "1.0.0.55.1", "99999999999999999999"})
            QVERIFY2(app_version_has_tail(v), v);
        for (const char* v : {"1.0.0.54", "0.0.0.0", "", "1.0.0.5x5", "-1.0.0.60"})
            QVERIFY2(!app_version_has_tail(v), v);
    }

    void big_endian_wave_rule_and_levels() {
        sample_frame_content c = frame_content(7, 6, 2.0f);
        std::vector<uint8_t> with = encode_frame_be(c, true);
        std::vector<uint8_t> without = encode_frame_be(c, false); // K = 768
        signal_frame a, b;
        QCOMPARE(decode_frame_be(with.data(), uint32_t(with.size()), a, 1.0, false), 0);
        QCOMPARE(decode_frame_be(without.data(), uint32_t(without.size()), b, 1.0, false), 0);
        // Tag, samples, largest count, bands, largest band, picture length, level.
        QCOMPARE(
            QVector<double>({double(a.tag), double(a.sample_num), a.signal_abs_max,
                             double(a.spectrum_num), a.spectrum_max, double(a.picture_len), a.spl}),
            QVector<double>({7, 6, 5, 768, 2, 5, 20.0f * std::log10(2.0f) + 94.0f}));
        QCOMPARE(a.signal, (std::vector<float>{0, -1, 2, -3, 4, -5}));
        QCOMPARE(a.wave, (std::vector<float>{0, 0.5f, 1, 1.5f, 2, 2.5f}));
        QCOMPARE(b.wave, std::vector<float>(6, 0.0f));
        QCOMPARE(b.wave_num, 6);
        QCOMPARE(a.raw_picture, c.raw_picture);
        QCOMPARE(a.picture, c.picture);
        // The gain correction adds 6 dB per doubling.
        signal_frame g;
        decode_frame_be(with.data(), uint32_t(with.size()), g, 4.0, true);
        QVERIFY(std::fabs(g.spl_corrected - (g.spl + 12.0)) < 1e-9);
    }

    void little_endian_layout() {
        sample_frame_content c = frame_content(0x4c45, 5, 1.0f);
        std::vector<uint8_t> p = encode_frame_le(c);
        signal_frame f;
        QCOMPARE(decode_frame_le(p.data(), uint32_t(p.size()), f), 0);
        // Tag, samples, bands, largest band (not in this layout), raw picture, level.
        QCOMPARE(QVector<double>({double(f.tag), double(f.sample_num), double(f.spectrum_num),
                                  f.spectrum_max, double(f.raw_picture_len), f.spl}),
                 QVector<double>({0x4c45, 5, 768, 0, 0, 80.5}));
        QCOMPARE(f.signal, c.wave_pa);
        QCOMPARE(f.wave, c.wave_pa);
        QCOMPARE(f.picture, c.picture);

        // The level float lies past the picture: a payload that ends before
        // it keeps everything else and leaves the level at 0.
        signal_frame cut;
        QCOMPARE(decode_frame_le(p.data(), uint32_t(p.size() - 9), cut), 3);
        QCOMPARE(cut.picture, c.picture);
        QCOMPARE(cut.spl, 0.0);
    }

    void lengths_past_the_payload_are_refused() {
        const sample_frame_content c = frame_content(1, 4, 1.0f);
        const std::vector<uint8_t> le = encode_frame_le(c);
        // Offsets of the little-endian fields in the generator's layout.
        const size_t q_at = 16, x_at = 40, s_at = 44 + 32;
        const size_t m_at = s_at + 4 + 768 * 4, b_at = m_at + 4 + 4 * 8;
        struct {
            size_t at;
            uint32_t value;
            int result;
        } cases[] = {{q_at, 0xfffffff0u, 1},         {x_at, 0x7fffffffu, 1}, {s_at, 0xffffffffu, 1},
                     {s_at, uint32_t(le.size()), 1}, {m_at, 0x80000000u, 1}, {b_at, 0xfffffffcu, 2},
                     {b_at, uint32_t(le.size()), 2}};
        for (const auto& k : cases) {
            std::vector<uint8_t> p = le;
            put_le32(p, k.at, k.value);
            signal_frame f;
            QCOMPARE(decode_frame_le(p.data(), uint32_t(p.size()), f), k.result);
        }
        // Every truncation of both layouts decodes without reading past it.
        const std::vector<uint8_t> be = encode_frame_be(c, true);
        for (size_t n = 0; n < be.size(); ++n) {
            std::vector<uint8_t> p(be.begin(), be.begin() + long(n));
            signal_frame f;
            QVERIFY(decode_frame_be(p.data(), uint32_t(n), f, 1.0, false) != 0);
        }
        for (size_t n = 0; n + 8 < le.size(); ++n) { // 8 unread bytes end the layout
            std::vector<uint8_t> p(le.begin(), le.begin() + long(n));
            signal_frame f;
            QVERIFY(decode_frame_le(p.data(), uint32_t(n), f) != 0);
        }
        std::vector<uint8_t> p = be;
        put_be32(p, 4, 0x7fffffffu); // sample count far beyond the payload
        signal_frame f;
        QCOMPARE(decode_frame_be(p.data(), uint32_t(p.size()), f, 1.0, false), 6);
        QCOMPARE(f.sample_num, 0);
    }

    void frames_by_index_and_by_walking() {
        std::vector<std::vector<uint8_t>> payloads;
        for (uint32_t i = 0; i < 5; ++i)
            payloads.push_back(encode_frame_be(frame_content(100 + i, 8, 1.0f + float(i)), true));
        std::vector<uint32_t> index;
        const auto bytes =
            build_data_dat(header("TarvoOrnApp", "1.0.0.55"), payloads, true, &index);
        QCOMPARE(write_bytes(file("tail.dat"), bytes), 0);
        // The same frames without a tail, from an older writer.
        QCOMPARE(write_bytes(file("walk.dat"),
                             build_data_dat(header("TarvoOrnApp", "1.0.0.54"), payloads, false)),
                 0);

        data_info d;
        QCOMPARE(read_data_head(file("tail.dat"), d), 0);
        QVERIFY(d.has_tail);
        QCOMPARE(d.index_table, index);
        QCOMPARE(read_data_head(file("tail.dat"), d), 0);
        QCOMPARE(d.index_table, index); // read again: replaced, not appended
        data_info w = d;
        QCOMPARE(read_data_head(file("walk.dat"), w), 0);
        QVERIFY(!w.has_tail);
        QVERIFY(w.index_table.empty());

        for (const char* name : {"tail.dat", "walk.dat"}) {
            QCOMPARE(frame_count(file(name)), 5); // the tail is not counted as a frame
            QCOMPARE(read_summary(file(name), 1, 2), QString("rc=0 n=2 101 102 more"));
            QCOMPARE(read_summary(file(name), 3, 10), QString("rc=0 n=2 103 104 end"));
            QCOMPARE(read_summary(file(name), 4, 1), QString("rc=0 n=1 104 end"));
            QCOMPARE(read_summary(file(name), 5, 3), QString("rc=0 n=0 end"));
            QCOMPARE(read_summary(file(name), 50, 3), QString("rc=0 n=0 end"));
        }

        // A short index table: starts beyond it walk from the header.
        std::string tail = "{\"index_table\":[" + std::to_string(index[0]) + "]}";
        std::vector<uint8_t> mixed(bytes.begin(),
                                   bytes.begin() + long(index[4] + 4 + payloads[4].size()));
        mixed.insert(mixed.end(), tail.begin(), tail.end());
        for (int i = 0; i < 4; ++i)
            mixed.push_back(uint8_t(tail.size() >> (8 * i)));
        QCOMPARE(write_bytes(file("short_index.dat"), mixed), 0);
        QCOMPARE(read_summary(file("short_index.dat"), 3, 1), QString("rc=0 n=1 103 more"));
        data_info s;
        QCOMPARE(read_data_head(file("short_index.dat"), s), 0);
        QCOMPARE(s.index_table.size(), size_t(1));

        // Unknown writer: frames are read as empty records.
        QCOMPARE(
            write_bytes(file("other.dat"), build_data_dat(header("Other", "1"), payloads, false)),
            0);
        std::vector<signal_frame_ptr> frames;
        int32_t n = 10;
        bool at_end = false;
        QCOMPARE(read_data_frames(file("other.dat"), 0, n, frames, d, at_end), 0);
        QCOMPARE(n, 5);
        QCOMPARE(frames[0]->tag, 0u);
        QCOMPARE(frames[0]->sample_num, 0);
        QVERIFY(frames[0]->picture.empty());
    }

    void damaged_files_end_early() {
        std::vector<std::vector<uint8_t>> payloads;
        for (uint32_t i = 0; i < 3; ++i)
            payloads.push_back(encode_frame_le(frame_content(i, 8, 1.0f)));
        std::vector<uint32_t> index;
        const auto good = build_data_dat(header("vuvoraro", "1"), payloads, true, &index);
        // Header length beyond the file: unreadable header.
        std::vector<uint8_t> b = good;
        put_le32(b, 0, 0xfffffff0u);
        QCOMPARE(write_bytes(file("bad_head.dat"), b), 0);
        data_info d;
        QCOMPARE(read_data_head(file("bad_head.dat"), d), -1);
        QCOMPARE(read_summary(file("bad_head.dat"), 0, 3), QString("rc=-1 n=0 more"));

        // Tail length negative or huge: no index, the frames are walked.
        for (uint32_t t : {0u, 0xffffffffu, 0x7fffffffu}) {
            b = good;
            put_le32(b, b.size() - 4, t);
            QCOMPARE(write_bytes(file("bad_tail.dat"), b), 0);
            data_info e;
            QCOMPARE(read_data_head(file("bad_tail.dat"), e), 0);
            QVERIFY(e.index_table.empty());
            QCOMPARE(read_summary(file("bad_tail.dat"), 1, 1), QString("rc=0 n=1 1 more"));
        }

        // A frame longer than the largest payload ends the frames.
        b = good;
        put_be32(b, index[1], data_frame_payload_max + 1);
        QCOMPARE(write_bytes(file("huge_frame.dat"), b), 0);
        QCOMPARE(read_summary(file("huge_frame.dat"), 0, 3), QString("rc=0 n=1 0 end"));
        QCOMPARE(frame_count(file("huge_frame.dat")), 1);

        // A truncated last frame is not read.
        b = good;
        b.resize(index[2] + 10);
        QCOMPARE(write_bytes(file("cut.dat"), b), 0);
        QCOMPARE(read_summary(file("cut.dat"), 0, 9), QString("rc=0 n=2 0 1 end"));

        // Header JSON broken, empty file, missing file.
        QCOMPARE(write_bytes(file("json.dat"), build_data_dat("{\"a\":", payloads, false)), 0);
        QCOMPARE(read_data_head(file("json.dat"), d), -1);
        QCOMPARE(write_bytes(file("empty.dat"), {}), 0);
        data_info e;
        QCOMPARE(read_data_head(file("empty.dat"), e), 0);
        QCOMPARE(e.app_version, std::string());
        QCOMPARE(read_summary(file("empty.dat"), 0, 2), QString("rc=0 n=0 end"));
        QCOMPARE(read_data_head(file("none.dat"), e), ENOENT);
        QCOMPARE(read_summary(file("none.dat"), 0, 1), QString("rc=%1 n=0 more").arg(ENOENT));
        QCOMPARE(frame_count(file("none.dat")), -1);
    }
};
QTEST_GUILESS_MAIN(tst_datafile_edges)
#include "tst_datafile_edges.moc"
