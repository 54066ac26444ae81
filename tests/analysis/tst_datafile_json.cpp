// note.json and data_edit.json: reading order, results, safe rewriting, and
// the log line each failure leaves.

#include "analysis/datafile/data_file.h"
#include "platform/text.h"
#include "tests/store/test_log.h"
#include "tools/samplegen/sample_gen.h"

#include <QtTest>

#include <json/json.h>

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
} // namespace

class tst_datafile_json : public QObject {
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
};

QTEST_GUILESS_MAIN(tst_datafile_json)
#include "tst_datafile_json.moc"
