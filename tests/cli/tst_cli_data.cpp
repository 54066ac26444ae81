// halvix-cli as a user runs it: sample, import, datasets, items and info,
// their JSON and their exit codes, on a private data folder.

#include "cli_run.h"

#include <cmath>
#include <map>

class tst_cli_data : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> home; // a fresh data folder for each case

    cli_result cli(const QStringList& args) { return run_cli(home->path(), args); }
    Json::Value json(const QStringList& args) {
        return parse_json(cli(QStringList(args) << "--json").out);
    }

private slots:
    void init() { home = std::make_unique<QTemporaryDir>(); }

    void independent_samples_through_the_cli() {
        const Json::Value m = load_manifest();
        const cli_result r = cli({"import", HALVIX_SAMPLES_DIR "/basic"});
        QVERIFY(r.code == 0 && r.out.contains("Local data import completed!"));

        const Json::Value sets = json({"datasets"});
        QVERIFY(sets.size() == 1 && sets[0]["items"].isInt()); // numbers stay numbers
        QCOMPARE(std::make_tuple(sets[0]["name"].asString(), sets[0]["items"].asInt(),
                                 sets[0]["app_name"].asString()),
                 std::make_tuple(std::string("basic"), m["data_items"].asInt(),
                                 std::string("TarvoOrnApp")));

        // By id as by name; the level shown comes from the item's note (the
        // rows themselves are compared with the import).
        std::map<std::string, int> level;
        for (const Json::Value& got : json({"items", sets[0]["id"].asCString()}))
            level[got["dir_name"].asString()] = got["discharge"].asInt();
        QCOMPARE(int(level.size()), m["data_items"].asInt());
        for (const Json::Value& want : m["items"])
            QCOMPARE(level[want["dir"].asString()], want["expected_info"]["discharge"].asInt());
        QCOMPARE(json({"items", "basic", "--favorite"}).size(), 3u);
        QCOMPARE(json({"items", "basic", "--level", "4", "--level", "3"}).size(), 2u);
        QCOMPARE(json({"items", "basic", "--check"}).size(), 3u);
        QCOMPARE(json({"items", "--search", "已编辑"}).size(), 2u);
        QCOMPARE(json({"items", "--search", "O'Neil"}).size(), 1u);

        // The item's own fields are the reader's (tested with it); info adds
        // the frames it walks.
        for (const Json::Value& want : m["items"]) {
            const Json::Value info =
                json({"info", QString(HALVIX_SAMPLES_DIR "/basic/") + want["dir"].asCString()});
            QCOMPARE(info["frame_num"].asInt(), want["frame_num"][0].asInt());
            QCOMPARE(info["frame_spl"].size(), want["frame_spl"].size());
            for (Json::ArrayIndex i = 0; i < info["frame_spl"].size(); ++i)
                QVERIFY(std::fabs(info["frame_spl"][i].asDouble() -
                                  want["frame_spl"][i].asDouble()) < 1e-4);
        }
    }

    void refusals_and_usage_errors() {
        QCOMPARE(cli({"import", HALVIX_SAMPLES_DIR "/basic"}).code, 0);
        cli_result r = cli({"import", HALVIX_SAMPLES_DIR "/basic"});
        QVERIFY(r.code == 3 && r.err.contains("same as the existing dataset name"));
        r = cli({"import", "//server/share/set"});
        QVERIFY(r.code == 3 &&
                r.err.contains("Only local directories are supported for data import!"));
        QDir(home->path()).mkpath("empty/plain");
        r = cli({"import", "empty"});
        QVERIFY(r.code == 1 && r.out.contains("No data available for import!"));
        for (const QStringList& args : {QStringList{"import"},
                                        {"items", "basic", "--level", "5"},
                                        {"items", "basic", "--level", "1", "--normal"},
                                        {"sample"},
                                        {"sample", "x", "--writer", "other"},
                                        {"datasets", "--bogus"}})
            QVERIFY2(cli(args).code == 2, qPrintable(args.join(' ')));
        QCOMPARE(cli({"items", "no such set"}).code, 1);
        QCOMPARE(cli({"info", "missing_dir"}).code, 1);
    }

    void generated_sets_of_each_writer() {
        const std::map<QString, std::string> writers{
            {"orn", "TarvoOrnApp"}, {"sable", "TarvoSableApp"}, {"vuvoraro", "vuvoraro"}};
        for (const auto& [writer, app_name] : writers) {
            QCOMPARE(
                cli({"sample", writer, "--writer", writer, "--items", "4", "--frames", "3"}).code,
                0);
            QCOMPARE(cli({"import", writer}).code, 0);
            const Json::Value items = json({"items", writer});
            QCOMPARE(items.size(), 4u);
            QCOMPARE(items[0]["frame_num"].asInt(), 3);
            QCOMPARE(json({"info", items[0]["data_dir"].asCString()})["app_name"].asString(),
                     app_name);
        }
    }
};

QTEST_GUILESS_MAIN(tst_cli_data)
#include "tst_cli_data.moc"
