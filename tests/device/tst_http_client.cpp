// The HTTP client against a scripted peer on 127.0.0.11: the exact request
// bytes, the replies of well- and ill-behaved peers, bodies to and from
// files, and the limits of the URL, the head and the header.

#include "device/http_client.h"
#include "fake_peer.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <random>

Q_DECLARE_METATYPE(peer_script)

namespace {
const char* const peer_address = "127.0.0.11";

std::string random_bytes(size_t n) {
    std::mt19937 rng(7);
    std::string s(n, '\0');
    for (char& c : s)
        c = char(rng() & 0xFF);
    return s;
}

QByteArray read_file(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class tst_http_client : public QObject {
    Q_OBJECT
    test_log log;
    QTemporaryDir tmp;

private slots:
    void get_and_post_send_exactly_their_heads() {
        fake_peer peer(peer_address);
        QVERIFY(peer.ok());
        peer.serve({json_reply("[]"), json_reply("{}")});
        http_reply r;
        QCOMPARE(http_request(peer.url("/data_list"), r, 5000), 0);
        QCOMPARE(r.body[2], '\0'); // always NUL-terminated
        QCOMPARE(r.body_text(), std::string("[]"));
        const std::string body = "{\"a\":1}";
        http_options o;
        o.method = "POST";
        o.content_type = "application/json";
        o.body = &body;
        QCOMPARE(http_exchange(peer.url("/time"), o, r), 0);
        peer.wait();
        const std::string head = " HTTP/1.1\r\nHost: " + peer.address() +
                                 "\r\nUser-Agent: tarvoserver\r\nAccept: */*\r\n";
        QCOMPARE(QByteArray::fromStdString(peer.requests().at(0)),
                 QByteArray::fromStdString("GET /data_list" + head + "\r\n"));
        QCOMPARE(QByteArray::fromStdString(peer.requests().at(1)),
                 QByteArray::fromStdString(
                     "POST /time" + head +
                     "Content-Length: 7\r\nContent-Type: application/json\r\n\r\n" + body));
    }

    void post_streams_a_file_with_progress() {
        const std::string bytes = random_bytes(3 * 1024 * 1024 + 17);
        const QString path = tmp.path() + "/upload.bin";
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes.data(), qint64(bytes.size()));
        f.close();
        fake_peer peer(peer_address);
        peer.serve(json_reply("{\"ok\":true}"));
        std::vector<int64_t> seen;
        http_options o;
        o.method = "POST";
        o.content_type = "application/octet-stream";
        o.body_file = path.toStdString();
        o.progress = [&seen](int64_t done, int64_t) { seen.push_back(done); };
        http_reply r;
        QCOMPARE(http_exchange(peer.url("/firmware"), o, r), 0);
        peer.wait();
        const std::string req = peer.requests().at(0);
        QVERIFY(req.find("Content-Length: " + std::to_string(bytes.size()) + "\r\n") !=
                std::string::npos);
        QVERIFY(req.substr(req.find("\r\n\r\n") + 4) == bytes);
        QVERIFY(seen.size() >= 4); // chunked, not in one piece
        QVERIFY(std::is_sorted(seen.begin(), seen.end()));
        QCOMPARE(seen.back(), int64_t(bytes.size()));
    }

    // Each peer yields the client's result, status and log line within the
    // time-outs, without a crash, a hang or an allocation of its announced size.
    void misbehaving_peers_data() {
        QTest::addColumn<peer_script>("script");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("status");
        QTest::addColumn<qint64>("length");
        QTest::addColumn<QByteArray>("body"); // null: no body kept
        QTest::addColumn<QString>("log");

        const auto row = [](const char* tag, peer_script script, int result, int status,
                            qint64 length, const char* body, const char* log) {
            QTest::newRow(tag) << script << result << status << length << QByteArray(body)
                               << QString(log);
        };
        const std::string h = "HTTP/1.1 200 OK\r\n", ok = h + "Content-Length: 2\r\n\r\n[]";
        row("well-behaved", {send_bytes(ok)}, 0, 200, 2, "[]", "");
        row("closes at once", {}, 0, 0, 0, nullptr, "recv head errno:");
        row("lower-case content-length", {send_bytes(h + "content-length: 2\r\n\r\n[]")}, 0, 200, 0,
            nullptr, "");
        row("404", {send_bytes("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found")}, 0,
            404, 9, "not found", "");
        row("body shorter than announced", {send_bytes(h + "Content-Length: 10\r\n\r\n[1,2")},
            ECONNRESET, 200, 10, "[1,2", "httpRequestParserbody recv body errno:");
        row("10000-byte header", {send_bytes(h + "X-Pad: " + std::string(10000, 'a') + "\r\n\r\n")},
            EMSGSIZE, 0, 0, nullptr, "recv head exceeds 1024 bytes");
        row("Content-Length -1", {send_bytes(h + "Content-Length: -1\r\n\r\n")}, EFBIG, 200, 0,
            nullptr, "out of range");
        row("Content-Length 2^40", {send_bytes(h + "Content-Length: 1099511627776\r\n\r\n")}, EFBIG,
            200, 0, nullptr, "out of range");
        row("one byte every 100 ms", {drip_bytes(ok, 100)}, 0, 200, 2, "[]", "");
        row("chunked body",
            {send_bytes(h + "Transfer-Encoding: chunked\r\n\r\n2\r\n[]\r\n0\r\n\r\n")}, 0, 200, 0,
            nullptr, "");
        row("header cut off", {send_bytes(h + "Content-Len")}, 0, 200, 0, nullptr,
            "recv head errno:");
        row("silent past the time-out", {pause_ms(1500)}, 0, 0, 0, nullptr, "recv head errno:");
    }

    void misbehaving_peers() {
        QFETCH(peer_script, script);
        QFETCH(int, result);
        QFETCH(int, status);
        QFETCH(qint64, length);
        QFETCH(QByteArray, body);
        QFETCH(QString, log);
        fake_peer peer(peer_address);
        peer.serve(script);
        this->log.mark();
        http_reply r;
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(http_request(peer.url("/data_list"), r, 300), result);
        // Bounded by the time-outs, except for a peer that keeps answering.
        if (QByteArray(QTest::currentDataTag()) != "one byte every 100 ms")
            QVERIFY2(clock.elapsed() < 1200, qPrintable(QString::number(clock.elapsed())));
        peer.wait();
        QCOMPARE(r.status_code, status);
        QCOMPARE(qint64(r.content_length), length);
        if (body.isNull()) {
            QVERIFY(!r.has_body());
        } else {
            QVERIFY(r.has_body());
            QCOMPARE(r.body.size(), size_t(length) + 1);
            QVERIFY(QByteArray(r.body.data(), int(r.body.size())).startsWith(body));
        }
        if (!log.isEmpty())
            QVERIFY2(this->log.text().contains(log), qPrintable(this->log.text()));
        http_reply_release(r);
        QCOMPARE(r.header_capacity, 0);
        QVERIFY(!r.has_body());
    }

    // How a URL splits, and the requests refused before any socket is
    // opened: nothing listens on port 1, so a connect answers ECONNREFUSED.
    void urls_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<int>("parsed");
        QTest::addColumn<QString>("parts"); // host and port for Host, port, path
        QTest::addColumn<int>("request");   // http_request's result; -1: not sent
        QTest::newRow("address and port") << "http://192.168.1.10:45600/data_list" << 0
                                          << "192.168.1.10:45600 45600 /data_list" << -1;
        QTest::newRow("name without port keeps the name for Host")
            << "http://camera.invalid/status" << 0 << "camera.invalid 80 /status" << -1;
        QTest::newRow("colon in the path")
            << "http://1.2.3.4:8080/a:b" << 0 << "1.2.3.4:8080 8080 /a:b" << -1;
        QTest::newRow("no path") << "http://1.2.3.4:8080" << 0 << "1.2.3.4:8080 8080 /" << -1;
        QTest::newRow("no scheme") << "127.0.0.11:1/data_list" << 1 << "" << 1;
        QTest::newRow("host of 64 characters") << "http://" + QString(64, 'a') + ":80/x"
                                               << int(ENAMETOOLONG) << "" << int(ENAMETOOLONG);
        QTest::newRow("head past 256 bytes")
            << "http://127.0.0.11:1/" + QString(300, 'p') << 0
            << "127.0.0.11:1 1 /" + QString(300, 'p') << int(E2BIG);
        QTest::newRow("nothing listening") << "http://127.0.0.11:1/data_list" << 0
                                           << "127.0.0.11:1 1 /data_list" << int(ECONNREFUSED);
    }

    void urls() {
        QFETCH(QString, url);
        QFETCH(int, parsed);
        QFETCH(QString, parts);
        QFETCH(int, request);
        http_url_parts p;
        QCOMPARE(http_parse_url(url.toStdString(), p), parsed);
        if (parsed == 0)
            QCOMPARE(
                QString::fromStdString(p.host_port + " " + std::to_string(p.port) + " " + p.path),
                parts);
        if (request < 0)
            return;
        http_reply r;
        r.content_length = 5; // left from an earlier reply
        r.header_capacity = 7;
        QCOMPARE(http_request(url.toStdString(), r, 500), request);
        QCOMPARE(r.status_code, 0);
        if (request == ECONNREFUSED)
            QCOMPARE(QPair(qint64(r.content_length), r.header_capacity), QPair(qint64(0), 0));
    }

    void body_to_file_data() {
        QTest::addColumn<int>("max_body");
        QTest::addColumn<bool>("abort");
        QTest::addColumn<int>("result");
        QTest::newRow("whole file") << 4 << false << 0;
        QTest::newRow("aborted between chunks") << 4 << true << int(ECANCELED);
        QTest::newRow("longer than the manifest said") << 1 << false << int(EFBIG);
    }

    void body_to_file() {
        QFETCH(int, max_body);
        QFETCH(bool, abort);
        QFETCH(int, result);
        const std::string bytes = random_bytes(3 * 1024 * 1024);
        fake_peer peer(peer_address);
        peer.serve({send_bytes("HTTP/1.1 200 OK\r\nContent-Length: " +
                               std::to_string(bytes.size()) + "\r\n\r\n"),
                    send_bytes(bytes)});
        const QString dest = tmp.path() + "/download.bin";
        QFile::remove(dest);
        int64_t last = 0;
        http_options o;
        o.max_body = int64_t(max_body) << 20;
        o.body_to_file = dest.toStdString();
        o.progress = [&last](int64_t done, int64_t) { last = done; };
        o.aborted = [&last, abort]() { return abort && last > 0; };
        http_reply r;
        QCOMPARE(http_exchange(peer.url("/data/s/d/Data.dat"), o, r), result);
        peer.wait();
        QVERIFY(!r.has_body()); // never held in memory
        if (result == 0) {
            QCOMPARE(last, int64_t(bytes.size()));
            QVERIFY(read_file(dest) == QByteArray::fromStdString(bytes));
        } else {
            QVERIFY2(!QFile::exists(dest), "a failed download leaves no file");
        }
    }
};

QTEST_GUILESS_MAIN(tst_http_client)
#include "tst_http_client.moc"
