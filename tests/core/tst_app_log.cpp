// The log file: line format, length cut, rotation at open, failure to open
// and whole lines from many threads.

#include "core/app_log.h"

#include <QtTest>

#include <string>
#include <thread>
#include <vector>

namespace {
QByteArray read_all(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Log lines without the "\r\n" ending; none when one is missing.
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
        for (const std::string& m : {std::string(1023, 'a'), std::string(1024, 'b'),
                                     std::string(5000, 'c'), std::string()})
            app_log("%s", m.c_str());
        log_close();
        QList<QByteArray> messages;
        for (const QByteArray& l : split_lines(read_all(path)))
            messages << l.mid(prefix_size);
        QCOMPARE(messages, (QList<QByteArray>{QByteArray(1023, 'a'), QByteArray(1023, 'b'),
                                              QByteArray(1023, 'c'), QByteArray()}));
    }

    void rotation_at_the_limit_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("rotates");
        QTest::newRow("exactly the limit") << 100 << false;
        QTest::newRow("one byte more") << 101 << true;
    }
    void rotation_at_the_limit() {
        QFETCH(int, size);
        QFETCH(bool, rotates);
        const QByteArray old = QByteArray(size - 2, 'o') + "\r\n";
        for (const auto& f :
             {std::make_pair(path, old), std::make_pair(path + ".bak", QByteArray("older\r\n"))}) {
            QFile out(f.first);
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(f.second) == f.second.size());
        }
        QCOMPARE(log_open(path.toStdWString(), 100), 0);
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
        QList<QByteArray> lines = split_lines(read_all(path));
        for (QByteArray& l : lines)
            if (l.startsWith('['))
                l.remove(0, prefix_size);
        const QList<QByteArray> fresh = {"after open", "other process", "after open"};
        QCOMPARE(lines, rotates ? fresh : QList<QByteArray>{old.chopped(2)} + fresh);
        QCOMPARE(read_all(path + ".bak"), rotates ? old : QByteArray("older\r\n"));
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
