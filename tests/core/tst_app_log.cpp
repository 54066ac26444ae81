// The log file: line format, length cut, rotation at open, failure to open
// and whole lines from many threads.

#include "core/app_log.h"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <string>
#include <thread>
#include <vector>

namespace {
QByteArray read_all(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Log lines without the "\r\n" ending; fails the caller when one is missing.
QList<QByteArray> split_lines(const QByteArray& text) {
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (auto& l : lines) {
        if (!l.endsWith('\r'))
            return {};
        l.chop(1);
    }
    return lines;
}

const int prefix_size = 20; // "[240129 142835.042] "
} // namespace

class tst_app_log : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString path;

private Q_SLOTS:
    void init() {
        path = dir.path() + "/" + QTest::currentTestFunction() + ".txt";
        QFile::remove(path);
        QFile::remove(path + ".bak");
    }
    void cleanup() { log_close(); }

    void line_format_and_append() {
        QCOMPARE(log_open(path.toStdWString()), 0); // creates the file
        app_log("first");
        log_close();
        QCOMPARE(log_open(path.toStdWString()), 0); // appends to it
        QVERIFY(log_enabled());
        const QDateTime before = QDateTime::currentDateTime();
        app_log("value:%d %s", 42, "text");
        log_close();
        QVERIFY(!log_enabled());
        app_log("after close");

        const QList<QByteArray> lines = split_lines(read_all(path));
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].endsWith("] first"));
        const auto m = QRegularExpression("^\\[(\\d{6} \\d{6}\\.\\d{3})\\] value:42 text$")
                           .match(QString::fromLatin1(lines[1]));
        QVERIFY(m.hasMatch());
        const QDateTime stamp = QDateTime::fromString("20" + m.captured(1), "yyyyMMdd HHmmss.zzz");
        QVERIFY(qAbs(stamp.msecsTo(before)) < 2000);
    }

    void long_message_is_cut() {
        QCOMPARE(log_open(path.toStdWString()), 0);
        const std::string exact(1023, 'a');
        const std::string over(1024, 'b');
        const std::string far_over(5000, 'c');
        app_log("%s", exact.c_str());
        app_log("%s", over.c_str());
        app_log("%s", far_over.c_str());
        app_log("%s", "");
        log_close();
        const QList<QByteArray> lines = split_lines(read_all(path));
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0].mid(prefix_size), QByteArray(exact.c_str()));
        QCOMPARE(lines[1].mid(prefix_size), QByteArray(1023, 'b'));
        QCOMPARE(lines[2].mid(prefix_size), QByteArray(1023, 'c'));
        QCOMPARE(lines[3].size(), prefix_size);
    }

    void rotation_at_the_limit_data() {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("rotates");
        QTest::newRow("exactly the limit") << qint64(app_log_size_limit) << false;
        QTest::newRow("one byte more") << qint64(app_log_size_limit + 1) << true;
    }
    void rotation_at_the_limit() {
        QFETCH(qint64, size);
        QFETCH(bool, rotates);
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("first line\r\n");
            QVERIFY(f.resize(size));
            QFile bak(path + ".bak");
            QVERIFY(bak.open(QIODevice::WriteOnly));
            bak.write("an older backup");
        }
        QCOMPARE(log_open(path.toStdWString()), 0);
        app_log("after open");
        // Another process of the program (the command line beside the
        // window) appends to the same log: neither may overwrite the other.
        {
            QFile other(path);
            QVERIFY(other.open(QIODevice::Append));
            other.write("other process\r\n");
        }
        app_log("after open");
        log_close();
        const QByteArray tail = read_all(path).right(2 * (prefix_size + 12) + 15);
        QCOMPARE(tail.mid(prefix_size, 12), QByteArray("after open\r\n"));
        QCOMPARE(tail.mid(prefix_size + 12, 15), QByteArray("other process\r\n"));
        QCOMPARE(tail.mid(2 * prefix_size + 27), QByteArray("after open\r\n"));
        const qint64 line = 2 * (prefix_size + QByteArray("after open\r\n").size()) + 15;
        if (rotates) {
            QCOMPARE(QFileInfo(path).size(), line);
            QCOMPARE(QFileInfo(path + ".bak").size(), size);
            QFile bak(path + ".bak");
            QVERIFY(bak.open(QIODevice::ReadOnly));
            QCOMPARE(bak.read(12), QByteArray("first line\r\n"));
        } else {
            QCOMPARE(QFileInfo(path).size(), size + line);
            QCOMPARE(read_all(path + ".bak"), QByteArray("an older backup"));
        }
    }

    void unopenable_log_turns_logging_off() {
        const QString bad = dir.path() + "/missing/dir/Halvix.txt";
        QVERIFY(log_open(bad.toStdWString()) != 0);
        QVERIFY(!log_enabled());
        QCOMPARE(log_fd(), -1);
        app_log("nowhere %d", 1);
        QVERIFY(!QFile::exists(bad));
        // Reopening elsewhere works again.
        QCOMPARE(log_open(path.toStdWString()), 0);
        QVERIFY(log_fd() >= 0);
    }

    void threads_write_whole_lines() {
        QCOMPARE(log_open(path.toStdWString()), 0);
        const int threads = 8;
        const int per_thread = 400;
        std::vector<std::thread> pool;
        for (int t = 0; t < threads; ++t) {
            pool.emplace_back([t] {
                // Lines of varying length so a torn write would show.
                for (int i = 0; i < per_thread; ++i) {
                    const std::string pad(static_cast<size_t>((i * 37 + t * 11) % 900), 'x');
                    app_log("t%d n%05d %s end", t, i, pad.c_str());
                }
            });
        }
        for (auto& th : pool)
            th.join();
        log_close();

        const QList<QByteArray> lines = split_lines(read_all(path));
        QCOMPARE(lines.size(), threads * per_thread);
        const QRegularExpression re("^\\[\\d{6} \\d{6}\\.\\d{3}\\] t(\\d) n(\\d{5}) (x*) end$");
        std::vector<int> next(threads, 0);
        for (const QByteArray& l : lines) {
            const auto m = re.match(QString::fromLatin1(l));
            QVERIFY2(m.hasMatch(), l.left(80).constData());
            const int t = m.captured(1).toInt();
            const int i = m.captured(2).toInt();
            QCOMPARE(i, next[static_cast<size_t>(t)]++);
            QCOMPARE(m.captured(3).size(), (i * 37 + t * 11) % 900);
        }
    }
};

QTEST_GUILESS_MAIN(tst_app_log)
#include "tst_app_log.moc"
