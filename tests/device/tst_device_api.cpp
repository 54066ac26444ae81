// The camera API against a scripted peer on 127.0.0.12 (data list results
// and log lines, manifests with names that may not become paths, status
// records), the name and address checks, the search ranges and the list of
// known devices.

#include "core/app_globals.h"
#include "device/device_api.h"
#include "device/device_search.h"
#include "fake_peer.h"
#include "platform/text.h"

#include <QDir>
#include <QtTest>

Q_DECLARE_METATYPE(peer_script)

namespace {
const char* const peer_address = "127.0.0.12";

QStringList q(const std::vector<std::string>& v) {
    QStringList out;
    for (const auto& s : v)
        out << QString::fromStdString(s);
    return out;
}
} // namespace

class tst_device_api : public QObject {
    Q_OBJECT
    test_log log;
    QTemporaryDir home;

private slots:
    void initTestCase() {
        set_app_data_location(home.path().toStdWString());
        QDir(home.path()).mkpath("config");
    }

    void data_list_data() {
        QTest::addColumn<peer_script>("script"); // empty: nothing listens
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("log");
        const auto row = [](const char* tag, const peer_script& script, int result,
                            const QStringList& names, const QString& log) {
            QTest::newRow(tag) << script << result << names << log;
        };
        row("empty array", json_reply("[]"), 0, {}, "");
        row("null", json_reply("null"), 0, {}, "");
        row("reversed", json_reply("[\"first\",\"second\",\"third\"]"), 0,
            {"third", "second", "first"}, "");
        row("object", json_reply("{}"), 2, {}, "orn_read_data_list body not array");
        row("404", json_reply("{}", 404), 1, {}, "orn_read_data_list status_code:404");
        row("not JSON", json_reply("[\"a\","), 2, {}, "orn_read_data_list status_code:200 ");
        row("no body", {send_bytes("HTTP/1.1 200 OK\r\n\r\n")}, 2, {},
            "orn_read_data_list status_code:200 no body");
        row("closes at once", {send_bytes("")}, 1, {}, "err:0 status_code:0");
        row("nothing listens", {}, ECONNREFUSED, {},
            QString("orn_read_data_list %1:1 err:%2 status_code:0")
                .arg(peer_address)
                .arg(ECONNREFUSED));
        // Names that would leave the data directory or that no data set may
        // carry are refused; other entries are no names at all.
        row("unsafe names and non-strings",
            json_reply("[\"a/b\",\"..\",\"x..y\",\"ok 一\",5,null,\"c:d\",\"\",\"tab\\tname\"]"), 0,
            {"ok 一"}, "orn_read_data_list refused name a/b");
    }

    void data_list() {
        QFETCH(peer_script, script);
        QFETCH(int, result);
        QFETCH(QStringList, names);
        QFETCH(QString, log);
        fake_peer peer(peer_address);
        if (!script.empty())
            peer.serve(script);
        this->log.mark();
        std::vector<std::string> list;
        const std::string address =
            script.empty() ? std::string(peer_address) + ":1" : peer.address();
        QCOMPARE(orn_read_data_list(address, list), result);
        peer.wait();
        QCOMPARE(q(list), names);
        if (!script.empty())
            QVERIFY(peer.requests().at(0).rfind("GET /data_list HTTP/1.1\r\n", 0) == 0);
        if (!log.isEmpty())
            QVERIFY2(this->log.text().contains(log), qPrintable(this->log.text()));
    }

    void manifest_refuses_items_whose_names_cannot_be_paths() {
        fake_peer peer(peer_address);
        peer.serve(json_reply(
            R"({"name":"s","title":"巡检","items":[
              {"dir":"good","files":[{"name":"Data.dat","size":10},{"name":"note.json","size":0}]},
              {"dir":"../evil","files":[{"name":"Data.dat","size":1}]},
              {"dir":"bad file","files":[{"name":"../../x","size":1}]},
              {"dir":"negative","files":[{"name":"Data.dat","size":-4}]},
              {"dir":"no files"}]})"));
        device_data_set set;
        QCOMPARE(device_read_data_set(peer.address(), "s", set), 0);
        peer.wait();
        QVERIFY(peer.requests().at(0).rfind("GET /data_list/s HTTP/1.1", 0) == 0);
        QCOMPARE(QString::fromStdString(set.title + " " + set.items.at(0).dir),
                 QString("巡检 good"));
        QCOMPARE(QVector<qint64>({qint64(set.items.size()), set.refused, set.total_bytes}),
                 QVector<qint64>({1, 4, 10}));
    }

    // Sizes that no file has: a double beyond int64_t (its conversion is
    // undefined), or sums that pass INT64_MAX, are refused, not wrapped.
    void manifest_sizes_past_any_disk_are_refused_data() {
        QTest::addColumn<QString>("size");
        QTest::addColumn<qint64>("total"); // -1: the file is refused
        const QString limit = QString::number(max_device_file_size);
        for (const QString& size :
             {QString("1e300"), QString("-1e300"), QString::number(max_device_file_size + 1),
              QString("9223372036854775807")})
            QTest::newRow(qPrintable(size)) << size << qint64(-1);
        QTest::newRow("at the limit, fractional") << limit + ".5" << qint64(max_device_file_size);
    }
    void manifest_sizes_past_any_disk_are_refused() {
        QFETCH(QString, size);
        QFETCH(qint64, total);
        device_data_set set;
        const QString body =
            QString(R"({"items":[{"dir":"d","files":[{"name":"a","size":%1}]}]})").arg(size);
        QCOMPARE(parse_data_set(body.toStdString(), "s", set), 0);
        const bool kept = total >= 0;
        QCOMPARE(QVector<qint64>({qint64(set.items.size()), set.refused, set.total_bytes}),
                 QVector<qint64>({kept, !kept, kept ? total : 0}));
    }

    // A firmware answer whose "ok" is no truth value is a refusal (jsoncpp
    // throws when such a value is read as bool).
    void firmware_answer_without_a_truth_value_is_refused_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<int>("result");
        QTest::newRow("true") << R"({"ok":true,"version":"V2"})" << 0;
        QTest::newRow("text") << R"({"ok":"yes","version":"V2"})" << 2;
        QTest::newRow("object") << R"({"ok":{},"version":"V2"})" << 2;
        QTest::newRow("array") << R"([1])" << 2;
    }
    void firmware_answer_without_a_truth_value_is_refused() {
        QFETCH(QString, body);
        QFETCH(int, result);
        const QString path = home.path() + "/fw.bin";
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("firmware") == 8);
        f.close();
        fake_peer peer(peer_address);
        peer.serve(json_reply(body.toStdString()));
        std::string version;
        int status = 0;
        QCOMPARE(device_upload_firmware(peer.address(), path.toStdString(), nullptr, nullptr,
                                        &version, &status),
                 result);
        peer.wait();
        QCOMPARE(status, 200);
        QCOMPARE(version, std::string(result == 0 ? "V2" : ""));
    }

    void download_of_a_shorter_file_than_announced_leaves_nothing() {
        fake_peer peer(peer_address);
        peer.serve(json_reply("abc"));
        const QString dest = home.path() + "/short.bin";
        device_file_entry f{"Data.dat", 5};
        QCOMPARE(device_download_file(peer.address(), "集", "d", f, dest.toStdString(), nullptr,
                                      nullptr),
                 int(EPROTO));
        peer.wait();
        QVERIFY(!QFile::exists(dest));
        // Names travel percent-encoded as UTF-8.
        QVERIFY(peer.requests().at(0).rfind("GET /data/%E9%9B%86/d/Data.dat HTTP/1.1", 0) == 0);
    }

    void status_record() {
        device_status_info s;
        s.disk_total = 99;
        s.battery = 5;
        // A poll zeroes what the answer does not carry and marks its time.
        fake_peer peer(peer_address);
        peer.serve(json_reply(R"({"version":"V9","sn":"X1"})"));
        std::string sn;
        QCOMPARE(device_read_status(peer.address(), s, &sn), 0);
        QCOMPARE(sn + " " + s.version + " " + s.ip, "X1 V9 " + peer.address());
        QCOMPARE(QVector<double>({double(s.disk_total), s.battery}), QVector<double>({0, 0}));
        QVERIFY(s.poll_time > 0);
        peer.serve(json_reply("{}", 503));
        QCOMPARE(device_read_status(peer.address(), s, nullptr), 1);
        QCOMPARE(s.status_code, 503);
    }

    // Names from the camera that may become paths.
    void device_names() {
        for (const std::string& ok :
             std::vector<std::string>{"20240318_090000", "巡检 一号", std::string(255, 'a')})
            QVERIFY2(is_safe_device_name(ok), ok.c_str());
        for (const std::string& bad :
             std::vector<std::string>{"", "a/b", "..", "a..b", "a\nb", std::string(256, 'a')})
            QVERIFY2(!is_safe_device_name(bad), bad.c_str());
    }

    void percent_encoding() {
        QCOMPARE(percent_encode("aZ09-._~ /%"), std::string("aZ09-._~%20%2F%25"));
        std::string back;
        const std::string name = "巡检 一号/..";
        QVERIFY(percent_decode(percent_encode(name), back));
        QCOMPARE(back, name);
        QVERIFY(!percent_decode("%4", back));
        QVERIFY(!percent_decode("%zz", back));
        // A decoded name that is not UTF-8 (here an overlong "/") is no name.
        QVERIFY(percent_decode("%C0%AF", back));
        QVERIFY(!is_safe_device_name(back));
    }

    void device_addresses() {
        // Address, its base URL; none when refused.
        const std::pair<const char*, const char*> cases[] = {
            {"192.168.1.20", "http://192.168.1.20:45600"},
            {"127.0.0.2:8080", "http://127.0.0.2:8080"},
            {"127.0.0.2:0", nullptr},
            {"127.0.0.2:65536", nullptr},
            {"camera.local", nullptr}};
        for (const auto& [address, url] : cases) {
            QCOMPARE(is_device_address(address), url != nullptr);
            if (url)
                QCOMPARE(device_base_url(address), std::string(url));
        }
    }

    void search_ranges_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("addresses");
        QTest::newRow("a /30 without network and broadcast")
            << "10.0.0.4/30" << true << QStringList{"10.0.0.5", "10.0.0.6"};
        QTest::newRow("single addresses and a span, each once")
            << "10.0.0.9, 10.0.0.8-10.0.0.10;10.0.0.9" << true
            << QStringList{"10.0.0.9", "10.0.0.8", "10.0.0.10"};
        QTest::newRow("host bits of a network are ignored")
            << "10.1.2.77/31" << true << QStringList{"10.1.2.76", "10.1.2.77"};
        QTest::newRow("prefix beyond 32") << "10.0.0.0/33" << false << QStringList();
        QTest::newRow("backwards span") << "10.0.0.9-10.0.0.1" << false << QStringList();
        QTest::newRow("not an address") << "camera" << false << QStringList();
    }

    void search_ranges() {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(QStringList, addresses);
        std::vector<ipv4_range> ranges;
        QCOMPARE(parse_search_ranges(text.toStdString(), ranges), ok);
        if (ok)
            QCOMPARE(q(range_addresses(ranges, 100)), addresses);
    }

    void loopback_and_default_ranges() {
        const std::vector<std::string> a = range_addresses(search_ranges_for("127.0.0.0/24"), 4096);
        QCOMPARE(a.size(), size_t(254));
        QCOMPARE(a.front(), std::string("127.0.0.1"));
        QCOMPARE(range_addresses(search_ranges_for("10.0.0.0/8"), 4096).size(), size_t(4096));
        // The defaults stay within a /24 each, the loopback network's too.
        for (const ipv4_range& r : default_search_ranges())
            QVERIFY(r.last >= r.first && r.last - r.first <= 255);
        // An invalid setting falls back to the defaults instead of probing nothing.
        QCOMPARE(search_ranges_for("bogus").size(), default_search_ranges().size());
    }

    void known_devices_round_trip_and_merge() {
        const auto text = [](const std::vector<search_device_info>& v) {
            QStringList out;
            for (const search_device_info& d : v)
                out << QString("%1 %2 %3").arg(d.ip.c_str(), d.name.c_str()).arg(d.tag);
            return out.join(", ");
        };
        std::vector<search_device_info> list;
        search_device_info a{"127.0.0.2", "SN-A", 10};
        QVERIFY(merge_devices(list, {a, {"127.0.0.3:8080", "", 0}}));
        QVERIFY(!merge_devices(list, {a}));
        QVERIFY(merge_devices(list, {{"127.0.0.2", "SN-A2", 20}}));
        QCOMPARE(text(list), QString("127.0.0.2 SN-A2 20, 127.0.0.3:8080  0"));
        QCOMPARE(write_known_devices(list), 0);
        std::vector<search_device_info> back;
        QCOMPARE(read_known_devices(back), 0);
        QCOMPARE(text(back), text(list));

        // Entries that are no device are skipped; a broken file is an error.
        const auto put = [](const char* bytes) {
            QFile f(QString::fromStdWString(devices_file_path()));
            return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) > 0;
        };
        QVERIFY(put(R"({"devices":[{"ip":"not an address"},{"ip":"127.0.0.4"},5]})"));
        back.clear();
        QCOMPARE(read_known_devices(back), 0);
        QCOMPARE(back.size(), size_t(1));
        QVERIFY(put("["));
        QCOMPARE(read_known_devices(back), 2);
    }
};

QTEST_GUILESS_MAIN(tst_device_api)
#include "tst_device_api.moc"
