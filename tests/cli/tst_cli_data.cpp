// halvix-cli as a user runs it: sample, import, datasets, items and info,
// their JSON and their exit codes, on a private data folder.

#include <QtTest>

#include <json/json.h>

#include <cmath>
#include <fstream>
#include <map>

namespace {

struct run_result {
    int code = -1;
    std::string out;
    QString err;
};

Json::Value parse(const std::string& text) {
    Json::Value v;
    Json::CharReaderBuilder b;
    std::unique_ptr<Json::CharReader> r(b.newCharReader());
    std::string e;
    if (!r->parse(text.data(), text.data() + text.size(), &v, &e))
        qWarning("not JSON: %s", text.c_str());
    return v;
}

Json::Value load_manifest() {
    std::ifstream in(HALVIX_SAMPLES_DIR "/basic.manifest.json");
    Json::Value root;
    Json::CharReaderBuilder b;
    std::string errors;
    Json::parseFromStream(b, in, &root, &errors);
    return root;
}

} // namespace

class tst_cli_data : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> home; // a fresh data folder for each case
    QTemporaryDir work;

    run_result cli(const QStringList& args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", home->filePath("xdg"));
        env.insert("HOME", home->path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(work.path());
        p.start(qEnvironmentVariable("HALVIX_TEST_BUILD_DIR") + "/cli/halvix-cli", args);
        run_result r;
        if (!p.waitForFinished(120000))
            return r;
        r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
        r.out = p.readAllStandardOutput().toStdString();
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

private slots:
    void init() { home = std::make_unique<QTemporaryDir>(); }

    void independent_samples_through_the_cli() {
        const Json::Value m = load_manifest();
        run_result r = cli({"import", HALVIX_SAMPLES_DIR "/basic"});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.find("Local data import completed!") != std::string::npos);

        r = cli({"datasets", "--json"});
        QCOMPARE(r.code, 0);
        const Json::Value sets = parse(r.out);
        QCOMPARE(sets.size(), 1u);
        QCOMPARE(sets[0]["name"].asString(), std::string("basic"));
        QCOMPARE(sets[0]["items"].asInt(), m["data_items"].asInt());
        QCOMPARE(sets[0]["app_name"].asString(), std::string("TarvoOrnApp"));
        QVERIFY(sets[0]["items"].isInt()); // numbers stay numbers

        // By name and by id alike.
        r = cli({"items", sets[0]["id"].asCString(), "--json"});
        QCOMPARE(r.code, 0);
        const Json::Value items = parse(r.out);
        QCOMPARE(int(items.size()), m["data_items"].asInt());
        std::map<std::string, Json::Value> by_dir;
        for (const Json::Value& got : items)
            by_dir[got["dir_name"].asString()] = got;
        for (const Json::Value& want : m["items"]) {
            const Json::Value& got = by_dir[want["dir"].asString()];
            QCOMPARE(got["data_name"].asString(), want["import_row"]["data_name"].asString());
            QVERIFY(std::fabs(got["spl"].asDouble() - want["import_row"]["spl"].asDouble()) < 6e-4);
            QCOMPARE(got["frame_num"].asInt(), want["import_row"]["frame_num"][0].asInt());
            QCOMPARE(got["discharge"].asInt(), want["expected_info"]["discharge"].asInt());
        }
        QCOMPARE(parse(cli({"items", "basic", "--favorite", "--json"}).out).size(), 3u);
        QCOMPARE(
            parse(cli({"items", "basic", "--level", "4", "--level", "3", "--json"}).out).size(),
            2u);
        QCOMPARE(parse(cli({"items", "basic", "--check", "--json"}).out).size(), 3u);
        QCOMPARE(parse(cli({"items", "--search", "已编辑", "--json"}).out).size(), 2u);
        QCOMPARE(parse(cli({"items", "--search", "O'Neil", "--json"}).out).size(), 1u);

        for (const Json::Value& want : m["items"]) {
            r = cli({"info", QString(HALVIX_SAMPLES_DIR "/basic/") + want["dir"].asCString(),
                     "--json"});
            QCOMPARE(r.code, 0);
            const Json::Value info = parse(r.out);
            const Json::Value& e = want["expected_info"];
            for (const char* key : {"data_name", "time", "app_name", "app_version", "device_type",
                                    "distance_text", "gasleak_currency"})
                QCOMPARE(info[key].asString(), e[key].asString());
            for (const char* key : {"app_type", "fs", "mic_gain", "valid_type", "favorite",
                                    "discharge", "freq_range_start", "freq_range_end", "sign_mode"})
                QCOMPARE(info[key].asInt(), e[key].asInt());
            for (const char* key : {"distance", "spl", "mic_sensitivity", "gasleak_rect"})
                QCOMPARE(info[key].asDouble(), e[key].asDouble());
            QCOMPARE(info["has_tail"].asBool(), e["has_tail"].asBool());
            QCOMPARE(info["frame_num"].asInt(), want["frame_num"][0].asInt());
            QCOMPARE(info["frame_spl"].size(), want["frame_spl"].size());
            for (Json::ArrayIndex i = 0; i < info["frame_spl"].size(); ++i)
                QVERIFY(std::fabs(info["frame_spl"][i].asDouble() -
                                  want["frame_spl"][i].asDouble()) < 1e-4);
        }
    }

    void refusals_and_usage_errors() {
        QCOMPARE(cli({"import", HALVIX_SAMPLES_DIR "/basic"}).code, 0);
        run_result r = cli({"import", HALVIX_SAMPLES_DIR "/basic"});
        QCOMPARE(r.code, 3);
        QVERIFY(r.err.contains("same as the existing dataset name"));
        r = cli({"import", "//server/share/set"});
        QCOMPARE(r.code, 3);
        QVERIFY(r.err.contains("Only local directories are supported for data import!"));
        QDir(work.path()).mkpath("empty/plain");
        r = cli({"import", "empty"});
        QCOMPARE(r.code, 1);
        QVERIFY(r.out.find("No data available for import!") != std::string::npos);
        QCOMPARE(cli({"import"}).code, 2);
        QCOMPARE(cli({"items", "no such set"}).code, 1);
        QCOMPARE(cli({"items", "basic", "--level", "5"}).code, 2);
        QCOMPARE(cli({"items", "basic", "--level", "1", "--normal"}).code, 2);
        QCOMPARE(cli({"info", "missing_dir"}).code, 1);
        QCOMPARE(cli({"sample"}).code, 2);
        QCOMPARE(cli({"sample", "x", "--writer", "other"}).code, 2);
        QCOMPARE(cli({"datasets", "--bogus"}).code, 2);
    }

    void generated_sets_of_each_writer() {
        const char* writers[] = {"orn", "sable", "vuvoraro"};
        const char* names[] = {"TarvoOrnApp", "TarvoSableApp", "vuvoraro"};
        for (int w = 0; w < 3; ++w) {
            const QString dir = QString("gen_%1").arg(writers[w]);
            QCOMPARE(cli({"sample", dir, "--writer", writers[w], "--items", "4", "--frames", "3",
                          "--seed", "7"})
                         .code,
                     0);
            QCOMPARE(cli({"import", dir}).code, 0);
            const Json::Value items = parse(cli({"items", dir, "--json"}).out);
            QCOMPARE(items.size(), 4u);
            QCOMPARE(items[0]["frame_num"].asInt(), 3);
            const Json::Value info =
                parse(cli({"info", items[0]["data_dir"].asCString(), "--json"}).out);
            QCOMPARE(info["app_name"].asString(), std::string(names[w]));
        }
    }
};

QTEST_GUILESS_MAIN(tst_cli_data)
#include "tst_cli_data.moc"
