// The camera simulator as the camera API sees it, on 127.0.0.13 to
// 127.0.0.15: its answers to good and bad requests (its files byte for byte
// are compared by the import from it), firmware uploads, removal, a search
// of 127.0.0.0/24 that finds two of them, and the real executable's log and
// clean stop.

#include "device/device_api.h"
#include "device/device_search.h"
#include "device/http_client.h"
#include "tools/devicesim/device_sim.h"

#include <QtTest>

namespace {

void write_file(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray firmware(const char* magic, const char* version, int size) {
    const QByteArray head = QByteArray(magic, 8) + QByteArray(version).leftJustified(16, '\0');
    return (head + QByteArray(size, 'f')).left(size);
}

} // namespace

class tst_device_sim : public QObject {
    Q_OBJECT
    QTemporaryDir root;
    std::unique_ptr<device_sim> sim;

    device_sim_options options(const char* bind) {
        device_sim_options o;
        o.root = root.path().toStdString();
        o.bind = bind;
        o.port = 0;
        o.sn = std::string("SN-") + bind;
        return o;
    }

private slots:
    void initTestCase() {
        write_file(root.path() + "/other/item/Data.dat", "x");
        sim = std::make_unique<device_sim>(options("127.0.0.13"));
        QCOMPARE(sim->start(), 0);
    }

    void answers_data() {
        QTest::addColumn<QString>("request"); // method and path
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        auto row = [](const char* name, const char* request, int status, QByteArray body = {}) {
            QTest::newRow(name) << QString(request) << body << status;
        };
        row("data list", "GET /data_list", 200);
        row("unknown data set", "GET /data_list/none", 404);
        row("data set outside the root", "GET /data_list/..", 404);
        row("encoded parent in a file path", "GET /data/%2E%2E/other/Data.dat", 404);
        row("encoded slash in a name", "GET /data/other%2Fitem/Data.dat/x", 404);
        row("unknown file", "GET /data/other/item/none", 404);
        row("unknown request", "GET /reboot", 404);
        row("removal without names", "POST /data_remove", 400, "{\"x\":1}");
        row("removal of nonsense", "POST /data_remove", 400, "[");
        row("bad time", "POST /time", 400, "{\"time\":\"noon\"}");
    }

    void answers() {
        QFETCH(QString, request);
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        const std::string b = body.toStdString();
        http_options o;
        o.method = request.section(' ', 0, 0).toStdString();
        const std::string path = request.section(' ', 1).toStdString();
        if (!body.isEmpty()) {
            o.body = &b;
            o.content_type = "application/json";
        }
        http_reply r;
        QCOMPARE(http_exchange(device_base_url(sim->address()) + path, o, r), 0);
        QCOMPARE(r.status_code, status);
        QVERIFY(r.has_body()); // every reply carries its length
    }

    void firmware_uploads_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<qint64>("space"); // -1: unbounded
        QTest::addColumn<int>("status");
        const QByteArray good = firmware("HVXFW001", "V2.3.4", 300000);
        auto row = [](const char* tag, const QByteArray& file, int status, qint64 limit = 1 << 20,
                      qint64 space = -1) {
            QTest::newRow(tag) << file << limit << space << status;
        };
        row("accepted", good, 200);
        row("shorter than 64 bytes", good.left(63), 400);
        row("not a firmware file", firmware("MZ\x90\0\3\0\0\0", "V9", 1000), 400);
        row("too large", good, 413, 1000);
        row("no space", good, 507, 1 << 20, 1000);
    }

    void firmware_uploads() {
        QFETCH(QByteArray, file);
        QFETCH(qint64, limit);
        QFETCH(qint64, space);
        QFETCH(int, status);
        const int result = status == 200 ? 0 : 1;
        const std::string version = result ? "V1.0.0" : "V2.3.4";
        device_sim_options o = options("127.0.0.14");
        o.firmware_limit = limit;
        o.disk_available = space;
        device_sim camera(o);
        QCOMPARE(camera.start(), 0);
        QTemporaryDir tmp;
        write_file(tmp.path() + "/fw.dat", file);
        double last = 0;
        std::string new_version;
        int http_status = 0;
        QCOMPARE(device_upload_firmware(
                     camera.address(), (tmp.path() + "/fw.dat").toStdString(),
                     [&last](double v) { last = v; }, nullptr, &new_version, &http_status),
                 result);
        // The whole file went out, also when it was refused.
        QCOMPARE(std::make_tuple(http_status, last, camera.version()),
                 std::make_tuple(status, 1.0, version));
        QVERIFY(result != 0 || new_version == version);
    }

    void removal_deletes_the_named_sets_only() {
        QTemporaryDir other;
        write_file(other.path() + "/a/i/Data.dat", "1");
        write_file(other.path() + "/b/i/Data.dat", "2");
        device_sim_options o = options("127.0.0.14");
        o.root = other.path().toStdString();
        device_sim camera(o);
        QCOMPARE(camera.start(), 0);
        int removed = -1;
        QCOMPARE(device_remove_data(camera.address(), {"a", "../b", "missing"}, &removed), 0);
        QCOMPARE(removed, 1);
        QCOMPARE(QDir(other.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"b"});
    }

    // Two cameras on the default port of their own loopback addresses; other
    // tests' cameras may be found too.
    void search_of_loopback_finds_two_simulators() {
        device_sim_options a = options("127.0.0.13");
        a.port = device_http_port;
        device_sim_options b = options("127.0.0.14");
        b.port = device_http_port;
        device_sim first(a), second(b);
        if (first.start() != 0 || second.start() != 0)
            QSKIP("port 45600 of 127.0.0.13/14 is taken on this machine");
        std::vector<std::string> addresses =
            range_addresses(search_ranges_for("127.0.0.0/24"), 4096);
        const std::vector<probe_result> results = probe_devices(addresses, probe_options());
        QCOMPARE(results.size(), size_t(254));
        QStringList found;
        for (const probe_result& r : results)
            if (r.result == 0 && (r.address == "127.0.0.13" || r.address == "127.0.0.14"))
                found << QString::fromStdString(r.address + " " + r.sn + " " + r.status.version);
        found.sort();
        QCOMPARE(found, (QStringList{"127.0.0.13 SN-127.0.0.13 V1.0.0",
                                     "127.0.0.14 SN-127.0.0.14 V1.0.0"}));
    }

    void executable_logs_requests_and_stops_on_sigterm() {
        QProcess p;
        // Port 0: the system picks a free one, which the first line names.
        p.start(HALVIX_DEVICE_SIM_PATH,
                {"--root", root.path(), "--bind", "127.0.0.15", "--port", "0", "--version", "V7"});
        QVERIFY(p.waitForStarted());
        QByteArray out;
        QTRY_VERIFY_WITH_TIMEOUT((out += p.readAllStandardOutput()).contains("serving"), 5000);
        const QRegularExpressionMatch port =
            QRegularExpression(" on 127\\.0\\.0\\.15:([1-9][0-9]*) ").match(QString(out));
        QVERIFY2(port.hasMatch(), out.constData());
        device_status_info s;
        QCOMPARE(device_read_status("127.0.0.15:" + port.captured(1).toStdString(), s, nullptr), 0);
        QCOMPARE(s.version, std::string("V7"));
        QTRY_VERIFY_WITH_TIMEOUT((out += p.readAllStandardOutput()).contains("GET /status 200"),
                                 5000);
        p.terminate();
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(std::make_pair(p.exitStatus(), p.exitCode()),
                 std::make_pair(QProcess::NormalExit, 0));
        QVERIFY(p.readAllStandardOutput().contains("stopped after"));

        p.start(HALVIX_DEVICE_SIM_PATH, {"--bind", "127.0.0.15"});
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitCode(), 2); // no --root
    }
};

QTEST_GUILESS_MAIN(tst_device_sim)
#include "tst_device_sim.moc"
