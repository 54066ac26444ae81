// Data item files: header rules, frame layouts and the bounds of every
// length read from a file; note.json and data_edit.json (reading order,
// results, safe rewriting, the log line each failure leaves); and the
// independently written sample data sets against what their manifest says a
// correct reader finds; the generated ones against what the generator says
// it wrote.

#include "analysis/datafile/data_file.h"
#include "platform/text.h"
#include "tests/store/test_log.h"
#include "tools/samplegen/sample_gen.h"

#include <QtTest>

#include <json/json.h>

#include <cmath>
#include <sstream>

namespace {
std::string slurp(const std::wstring& path) {
    QFile f(QString::fromStdWString(path));
    f.open(QIODevice::ReadOnly);
    return f.readAll().toStdString();
}

Json::Value parse(const std::string& s) {
    Json::Value v;
    Json::CharReaderBuilder b;
    std::unique_ptr<Json::CharReader> r(b.newCharReader());
    std::string e;
    r->parse(s.data(), s.data() + s.size(), &v, &e);
    return v;
}

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

Json::Value load_manifest() {
    return parse(slurp(L"" HALVIX_SAMPLES_DIR "/basic.manifest.json"));
}

std::wstring item_dir(const Json::Value& item) {
    return utf8_to_wide(std::string(HALVIX_SAMPLES_DIR "/basic/") + item["dir"].asString());
}

// Values as one text, numbers of any type written alike ('|' between).
template <typename... T> QString fields(const T&... v) {
    std::ostringstream o;
    o.precision(10);
    ((o << v << '|'), ...);
    return QString::fromStdString(o.str());
}

bool one_of(const Json::Value& allowed, int value) {
    for (const auto& v : allowed)
        if (v.asInt() == value)
            return true;
    return false;
}
// The tone sits in its band of the level block; the largest excursion of
// the wave lies just after a pulse phase (45 or 225 degrees of a cycle).
void check_tone_and_pulses(const sample_item& it, const signal_frame& f) {
    const auto band = std::max_element(f.spectrum.begin(), f.spectrum.end());
    QCOMPARE(int(band - f.spectrum.begin()), int(it.tone_hz / (it.fs / 2.0 / 768)));
    QVERIFY(std::fabs(*band - it.tone_pa / std::sqrt(2.0)) < 1e-4);
    const auto at = std::max_element(f.wave.begin(), f.wave.end(),
                                     [](float a, float b) { return std::fabs(a) < std::fabs(b); });
    const double cycle = it.fs / 50.0;
    const double phase = std::fmod(double(at - f.wave.begin()), cycle) / cycle * 360.0;
    QVERIFY2((phase >= 45 && phase < 50) || (phase >= 225 && phase < 230),
             qPrintable(QString::number(phase)));
}
} // namespace

class tst_datafile : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;

    std::wstring path(const char* name) const { return tmp.filePath(name).toStdWString(); }
    // A vuvoraro item without its index tail.
    std::wstring make_item(const char* name) {
        QDir(tmp.path()).mkpath(name);
        const std::string head = "{\"datetime\":\"2024-01-02 03:04:05\",\"app_name\":\"vuvoraro\","
                                 "\"geometry\":{\"distance\":3.0},\"gasleak_rect\":0.5}";
        write_bytes(path(name) + L"/Data.dat", build_data_dat(head, {}, false));
        return path(name);
    }
    test_log log;
    bool logged(const std::string& line) const {
        return log.text().contains(QString::fromStdString(line));
    }

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
        QCOMPARE(std::make_pair(b.wave, b.wave_num),
                 std::make_pair(std::vector<float>(6, 0.0f), 6));
        QCOMPARE(std::make_pair(a.raw_picture, a.picture),
                 std::make_pair(c.raw_picture, c.picture));
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
        QCOMPARE(write_bytes(path("tail.dat"), bytes), 0);
        // The same frames without a tail, from an older writer.
        QCOMPARE(write_bytes(path("walk.dat"),
                             build_data_dat(header("TarvoOrnApp", "1.0.0.54"), payloads, false)),
                 0);

        data_info d;
        QCOMPARE(read_data_head(path("tail.dat"), d), 0);
        QCOMPARE(read_data_head(path("tail.dat"), d), 0); // read again: replaced, not appended
        QCOMPARE(std::make_pair(d.has_tail, d.index_table), std::make_pair(true, index));
        data_info w = d;
        QCOMPARE(read_data_head(path("walk.dat"), w), 0);
        QCOMPARE(std::make_pair(w.has_tail, w.index_table.size()),
                 std::make_pair(false, size_t(0)));

        for (const char* name : {"tail.dat", "walk.dat"}) {
            QCOMPARE(frame_count(path(name)), 5); // the tail is not counted as a frame
            QCOMPARE(read_summary(path(name), 1, 2), QString("rc=0 n=2 101 102 more"));
            QCOMPARE(read_summary(path(name), 3, 10), QString("rc=0 n=2 103 104 end"));
            QCOMPARE(read_summary(path(name), 4, 1), QString("rc=0 n=1 104 end"));
            QCOMPARE(read_summary(path(name), 5, 3), QString("rc=0 n=0 end"));
            QCOMPARE(read_summary(path(name), 50, 3), QString("rc=0 n=0 end"));
        }

        // A short index table: starts beyond it walk from the header.
        std::string tail = "{\"index_table\":[" + std::to_string(index[0]) + "]}";
        std::vector<uint8_t> mixed(bytes.begin(),
                                   bytes.begin() + long(index[4] + 4 + payloads[4].size()));
        mixed.insert(mixed.end(), tail.begin(), tail.end());
        for (int i = 0; i < 4; ++i)
            mixed.push_back(uint8_t(tail.size() >> (8 * i)));
        QCOMPARE(write_bytes(path("short_index.dat"), mixed), 0);
        QCOMPARE(read_summary(path("short_index.dat"), 3, 1), QString("rc=0 n=1 103 more"));
        data_info s;
        QCOMPARE(read_data_head(path("short_index.dat"), s), 0);
        QCOMPARE(s.index_table.size(), size_t(1));

        // Unknown writer: frames are read as empty records.
        QCOMPARE(
            write_bytes(path("other.dat"), build_data_dat(header("Other", "1"), payloads, false)),
            0);
        std::vector<signal_frame_ptr> frames;
        int32_t n = 10;
        bool at_end = false;
        QCOMPARE(read_data_frames(path("other.dat"), 0, n, frames, d, at_end), 0);
        QCOMPARE(
            std::make_tuple(n, frames[0]->tag, frames[0]->sample_num, frames[0]->picture.size()),
            std::make_tuple(5, 0u, 0, size_t(0)));
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
        QCOMPARE(write_bytes(path("bad_head.dat"), b), 0);
        data_info d;
        QCOMPARE(read_data_head(path("bad_head.dat"), d), -1);
        QCOMPARE(read_summary(path("bad_head.dat"), 0, 3), QString("rc=-1 n=0 more"));

        // Tail length negative or huge: no index, the frames are walked.
        for (uint32_t t : {0u, 0xffffffffu, 0x7fffffffu}) {
            b = good;
            put_le32(b, b.size() - 4, t);
            QCOMPARE(write_bytes(path("bad_tail.dat"), b), 0);
            data_info e;
            QCOMPARE(read_data_head(path("bad_tail.dat"), e), 0);
            QVERIFY(e.index_table.empty());
            QCOMPARE(read_summary(path("bad_tail.dat"), 1, 1), QString("rc=0 n=1 1 more"));
        }

        // A frame longer than the largest payload ends the frames.
        b = good;
        put_be32(b, index[1], data_frame_payload_max + 1);
        QCOMPARE(write_bytes(path("huge_frame.dat"), b), 0);
        QCOMPARE(read_summary(path("huge_frame.dat"), 0, 3), QString("rc=0 n=1 0 end"));
        QCOMPARE(frame_count(path("huge_frame.dat")), 1);

        // A truncated last frame is not read.
        b = good;
        b.resize(index[2] + 10);
        QCOMPARE(write_bytes(path("cut.dat"), b), 0);
        QCOMPARE(read_summary(path("cut.dat"), 0, 9), QString("rc=0 n=2 0 1 end"));

        // Header JSON broken, empty file, missing file.
        QCOMPARE(write_bytes(path("json.dat"), build_data_dat("{\"a\":", payloads, false)), 0);
        QCOMPARE(read_data_head(path("json.dat"), d), -1);
        QCOMPARE(write_bytes(path("empty.dat"), {}), 0);
        data_info e;
        QCOMPARE(std::make_pair(read_data_head(path("empty.dat"), e), e.app_version),
                 std::make_pair(0, std::string()));
        QCOMPARE(read_summary(path("empty.dat"), 0, 2), QString("rc=0 n=0 end"));
        QCOMPARE(read_data_head(path("none.dat"), e), ENOENT);
        QCOMPARE(read_summary(path("none.dat"), 0, 1), QString("rc=%1 n=0 more").arg(ENOENT));
        QCOMPARE(frame_count(path("none.dat")), -1);
    }

    void note_results_and_defaults() {
        data_info d;
        d.favorite = 1;
        d.discharge = 3;
        d.sound_abs_max = 9;
        d.valid_type = 1;
        const std::string text = "{\"name\":\"阀门 'x'\",\"favorite\":7,\"spl\":88.5,"
                                 "\"gasleak_unite_mode\":1,\"gasleak_unit_mode\":0}";
        QCOMPARE(read_data_note(nullptr, d, &text), 0);
        QCOMPARE(d.data_name, std::wstring(L"阀门 'x'"));
        // Favorite, discharge and level ceiling (defaults when absent), validity
        // (no default: unchanged), SPL, unit (note.json's own spelling only).
        QCOMPARE(QVector<double>({double(d.favorite), double(d.discharge), d.sound_abs_max,
                                  double(d.valid_type), d.spl, double(d.gasleak_unit_mode)}),
                 QVector<double>({1, 0, 0.01, 1, 88.5, 1}));

        const std::string wrong = "{\"name\":5,\"favorite\":\"1\",\"spl\":\"x\",\"discharge\":2.5}";
        data_info w;
        w.data_name = L"kept";
        w.spl = 1;
        QCOMPARE(read_data_note(nullptr, w, &wrong), 0);
        QCOMPARE(w.data_name, std::wstring(L"kept"));
        QCOMPARE(QVector<double>({double(w.favorite), double(w.discharge), w.spl}),
                 QVector<double>({0, 0, 1}));

        QCOMPARE(read_data_note(nullptr, d, nullptr), 0);
        const std::string array = "[]";
        QCOMPARE(read_data_note(nullptr, d, &array), -2);
        const std::wstring note = path("broken.json"), empty = path("empty.json"),
                           missing = path("missing.json"), folder = path("folder.json");
        write_text(note, "{\"name\":");
        write_text(empty, "");
        QDir(tmp.path()).mkpath("folder.json");
        QCOMPARE(read_data_note(&note, d), -2);
        QCOMPARE(read_data_note(&empty, d), -1);
        QCOMPARE(read_data_note(&missing, d), ENOENT);
        // A directory in the note's place is an error result, never an exception.
        QVERIFY(read_data_note(&folder, d) != 0);
        QVERIFY(logged("read_data_note " + wide_to_utf8(note) + " "));
        QVERIFY(logged("read_data_note errno:2 " + wide_to_utf8(missing)));
    }

    void edit_overrides_note_and_header() {
        data_info d;
        d.data_dir = make_item("edited");
        write_text(d.data_dir + L"/note.json",
                   "{\"name\":\"from note\",\"note\":\"n\",\"spl\":70}");
        write_text(d.data_dir + L"/data_edit.json",
                   "{\"data_name\":\"from edit\",\"time\":\"2025-06-07 08:09:10\","
                   "\"distance\":9.5,\"gasleak_rect\":2.5,\"gasleak_unit_mode\":1}");
        QCOMPARE(read_data_item(d), 0);
        QCOMPARE(QString::fromStdWString(d.data_name + L"|" + d.data_note), QString("from edit|n"));
        QCOMPARE(d.time, std::string("2025-06-07 08:09:10"));
        QCOMPARE(d.distance_text, std::string("3 ")); // printed from the header
        QCOMPARE(QVector<double>({d.distance, d.spl, d.gasleak_rect, double(d.gasleak_unit_mode)}),
                 QVector<double>({9.5, 70, 2.5, 1}));
        QVERIFY(logged(wide_to_utf8(d.data_dir) + "/Data.dat read_tail data_tail_size:"));

        data_info e;
        e.data_dir = d.data_dir;
        QCOMPARE(read_data_edit(e), 0);
        write_text(d.data_dir + L"/data_edit.json", "");
        QCOMPARE(read_data_edit(e), 1);
        write_text(d.data_dir + L"/data_edit.json", "{oops");
        QCOMPARE(read_data_edit(e), 2);
        e.data_dir = path("nowhere");
        QCOMPARE(read_data_edit(e), ENOENT);
    }

    void save_edit_round_trip_and_failure() {
        data_info d;
        d.data_dir = make_item("save_edit");
        d.data_name = L"名字 'q'";
        d.data_note = L"note";
        d.distance = 4.4;
        d.spl = 77.7;
        d.time = "2024-03-19 09:21:56";
        d.gasleak_currency = L"USD";
        d.gasleak_rect = 1.5;
        d.gasleak_unit_mode = 1;
        d.gasleak_power_ratio = 0.2;
        d.gasleak_energy_cost = 1.1;
        d.gasleak_gas_cost = 0.003;
        QCOMPARE(save_data_edit(d), 0);
        const std::string text = slurp(d.data_dir + L"/data_edit.json");
        QVERIFY(text.find('\n') == text.size() - 1); // one compact line
        QCOMPARE(parse(text).size(), Json::ArrayIndex(11));
        data_info r;
        r.data_dir = d.data_dir;
        QCOMPARE(read_data_edit(r), 0);
        QCOMPARE(r.data_name + r.gasleak_currency, d.data_name + d.gasleak_currency);
        QCOMPARE(r.time, d.time);
        QCOMPARE(
            QVector<double>({r.distance, r.spl, r.gasleak_gas_cost, double(r.gasleak_unit_mode)}),
            QVector<double>({4.4, 77.7, 0.003, 1}));
        QCOMPARE(QDir(QString::fromStdWString(d.data_dir)).entryList(QDir::Files).size(), 2);

        d.data_dir = path("no/such/dir");
        QVERIFY(save_data_edit(d) != 0); // reported, not skipped
    }

    void note_change_keeps_other_keys() {
        const std::wstring note = make_item("note_change") + L"/note.json";
        write_text(note,
                   "{\"name\":\"主变\",\"extra\":{\"a\":[1,2]},\"discharge\":0,\"custom\":\"k\"}");
        data_info d;
        d.discharge = 4;
        d.favorite = 1;
        d.valid_type = 1;
        QCOMPARE(save_data_note_change(note, d), 0);
        // Every other key kept as it was; the three flags written.
        QCOMPARE(
            parse(slurp(note)),
            parse("{\"name\":\"主变\",\"extra\":{\"a\":[1,2]},\"discharge\":4,\"custom\":\"k\","
                  "\"favorite\":1,\"data_valid_type\":1}"));

        // Broken or empty notes are reported and left untouched.
        write_text(note, "{\"name\":");
        QCOMPARE(save_data_note_change(note, d), -2);
        QCOMPARE(slurp(note), std::string("{\"name\":"));
        QVERIFY(logged("save_data_note_change parse fail " + wide_to_utf8(note)));
        write_text(note, "");
        QVERIFY(save_data_note_change(note, d) != 0);
        QCOMPARE(slurp(note), std::string());
        const std::wstring missing = path("note_change/missing.json");
        QCOMPARE(save_data_note_change(missing, d), ENOENT);
        QVERIFY(logged("save_data_note_change errno:2 " + wide_to_utf8(missing)));
    }

    void item_matches_manifest_data() {
        QTest::addColumn<int>("index");
        const Json::Value m = load_manifest();
        QVERIFY(m["items"].isArray());
        for (Json::ArrayIndex i = 0; i < m["items"].size(); ++i)
            QTest::newRow(m["items"][i]["dir"].asCString()) << int(i);
    }
    void item_matches_manifest() {
        QFETCH(int, index);
        const Json::Value item = load_manifest()["items"][Json::ArrayIndex(index)];
        if (item["skip"].asBool())
            QSKIP("item is not a data item");
        const Json::Value& e = item["expected_info"];
        data_info d;
        d.data_dir = item_dir(item);
        QCOMPARE(read_data_item(d), 0);

        // Every value of the record, texts and numbers written alike.
        const auto txt = [&e](const char* key) { return e[key].asString(); };
        const auto num = [&e](const char* key) { return e[key].asDouble(); };
        QCOMPARE(fields(wide_to_utf8(d.data_name), wide_to_utf8(d.data_note), d.distance,
                        d.distance_text, d.time, d.app_name, d.app_version, d.app_type, d.data_type,
                        d.fs, d.mic_gain, d.mic_sensitivity, d.distance_correct_enable, d.spl,
                        d.valid_type, d.favorite, d.discharge, d.has_tail, d.freq_range_start,
                        d.freq_range_end, wide_to_utf8(d.device_type), d.sound_abs_max, d.sign_mode,
                        d.fpass1, d.fpass2, wide_to_utf8(d.gasleak_currency), d.gasleak_rect,
                        d.gasleak_unit_mode, d.gasleak_power_ratio, d.gasleak_energy_cost,
                        d.gasleak_gas_cost),
                 fields(txt("data_name"), txt("data_note"), num("distance"), txt("distance_text"),
                        txt("time"), txt("app_name"), txt("app_version"), num("app_type"),
                        num("data_type"), num("fs"), num("mic_gain"), num("mic_sensitivity"),
                        e["distance_correct_enable"].asBool(), num("spl"), num("valid_type"),
                        num("favorite"), num("discharge"), e["has_tail"].asBool(),
                        num("freq_range_start"), num("freq_range_end"), txt("device_type"),
                        num("sound_abs_max"), num("sign_mode"), num("fpass1"), num("fpass2"),
                        txt("gasleak_currency"), num("gasleak_rect"), num("gasleak_unit_mode"),
                        num("gasleak_power_ratio"), num("gasleak_energy_cost"),
                        num("gasleak_gas_cost")));
        QCOMPARE(int(d.index_table.size()), item["index_table_len"].asInt());

        const std::wstring dat = item_dir(item) + L"/Data.dat";

        int32_t counted = -1;
        QCOMPARE(count_data_frames(dat, counted), 0);
        QVERIFY2(one_of(item["frame_num"], counted), qPrintable(QString::number(counted)));

        std::vector<signal_frame_ptr> frames;
        int32_t n = 1000;
        bool at_end = false;
        QCOMPARE(read_data_frames(dat, 0, n, frames, d, at_end), 0);
        QVERIFY(at_end);
        QVERIFY(one_of(item["frames_readable"], n));
        const Json::Value& spl = item["frame_spl"];
        const Json::Value& tags = item["frame_tags"];
        QCOMPARE(int(spl.size()), n);
        for (int i = 0; i < n; ++i) {
            const signal_frame& f = *frames[size_t(i)];
            QVERIFY2(std::fabs(f.spl - spl[i].asDouble()) < 1e-4,
                     qPrintable(QString("frame %1: %2").arg(i).arg(f.spl)));
            if (tags.isArray() && tags.size() > Json::ArrayIndex(i))
                QCOMPARE(f.tag, tags[i].asUInt());
            const int samples = item["signal"]["samples"].asInt();
            QCOMPARE(std::make_tuple(f.spl_corrected, f.sample_num, f.wave_num),
                     std::make_tuple(f.spl, samples, samples));
            // A whole JPEG: as long as announced, from its start marker on.
            QVERIFY(f.picture_len > 1 && int(f.picture.size()) == f.picture_len);
            QCOMPARE(std::make_pair(f.picture[0], f.picture[1]),
                     std::make_pair(uint8_t(0xff), uint8_t(0xd8)));
        }
    }

    void first_picture_is_frame_zeros_picture() {
        const Json::Value item = load_manifest()["items"][0];
        const std::wstring dat = item_dir(item) + L"/Data.dat";
        std::vector<signal_frame_ptr> frames;
        data_info d;
        int32_t n = 1;
        bool at_end = false;
        QCOMPARE(read_data_frames(dat, 0, n, frames, d, at_end), 0);
        QCOMPARE(read_first_picture(dat), frames[0]->picture);
        QVERIFY(read_first_picture(item_dir(item) + L"/missing.dat").empty());
    }

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

QTEST_GUILESS_MAIN(tst_datafile)
#include "tst_datafile.moc"
