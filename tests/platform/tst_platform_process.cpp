// Child processes: a crash leaves a log line and a dump file and ends with
// the signal; a lock left by a killed process is taken over.

#include "platform/instance_lock.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

class tst_platform_process : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void crash_leaves_dump_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("code");
        QTest::newRow("null pointer") << "segv" << int(SIGSEGV) << "b";
        QTest::newRow("stack overflow") << "overflow" << int(SIGSEGV) << "b";
        QTest::newRow("stack overflow on a worker thread")
            << "thread-overflow" << int(SIGSEGV) << "b";
        QTest::newRow("abort") << "abort" << int(SIGABRT) << "6";
    }
    void crash_leaves_dump() {
        QFETCH(QString, mode);
        QFETCH(int, signal);
        QFETCH(QString, code);
        QTemporaryDir dir;
        QProcess child;
        // The sanitizer build's own handler must leave the crash to ours.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") +
                                       ":handle_segv=0:handle_sigbus=0:allow_user_segv_handler=1");
        child.setProcessEnvironment(env);
        // No core file on machines that keep them: the dump is what is checked.
        child.start("/bin/sh",
                    {"-c", "ulimit -c 0; exec \"$0\" \"$@\"", CRASH_HELPER_PATH, dir.path(), mode});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        QCOMPARE(child.exitCode(), signal);

        QFile log(dir.path() + "/log/Halvix.txt");
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = log.readAll().split('\n');
        QVERIFY(lines.size() >= 3);
        QVERIFY(lines[0].endsWith("] helper ready\r"));
        const QByteArray crash_line = lines[1];
        QVERIFY2(QRegularExpression(
                     "^\\[\\d{6} \\d{6}\\.\\d{3}\\] UnhandledExcepFilter code:" + code + "\r$")
                     .match(QString::fromLatin1(crash_line))
                     .hasMatch(),
                 crash_line.constData());

        const QStringList dumps = QDir(dir.path() + "/log").entryList({"*.dmp"}, QDir::Files);
        QCOMPARE(dumps.size(), 1);
        QVERIFY2(QRegularExpression("^\\d{8}_\\d{6}_\\d{3}\\.dmp$").match(dumps[0]).hasMatch(),
                 qPrintable(dumps[0]));
        QFile dump(dir.path() + "/log/" + dumps[0]);
        QVERIFY(dump.open(QIODevice::ReadOnly));
        const QByteArray text = dump.readAll();
        QVERIFY2(text.startsWith("signal: " + QByteArray::number(signal) + " "), text.constData());
        QVERIFY(
            QRegularExpression("\nthread: [1-9]\\d*\n").match(QString::fromUtf8(text)).hasMatch());
        const int bt = text.indexOf("backtrace:\n");
        QVERIFY(bt > 0);
        // At least a few frames, one of them inside the helper itself.
        QVERIFY(text.mid(bt).count('\n') >= 4);
        QVERIFY2(text.mid(bt).contains("platform_crash_helper"), text.constData());
    }

    void stale_lock_is_taken_over() {
        QTemporaryDir dir;
        QProcess holder;
        holder.start(CRASH_HELPER_PATH, {dir.path(), "lock"});
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("locked"));

        platform::instance_lock while_running;
        QVERIFY(!while_running.acquire(dir.path().toStdWString(), L"Halvix"));

        holder.kill(); // SIGKILL: the lock file stays behind
        QVERIFY(holder.waitForFinished());
        QVERIFY(QFile::exists(dir.path() + "/Halvix.lock"));
        platform::instance_lock after_crash;
        QVERIFY(after_crash.acquire(dir.path().toStdWString(), L"Halvix"));
        QVERIFY(after_crash.held());
    }
};

QTEST_GUILESS_MAIN(tst_platform_process)
#include "tst_platform_process.moc"
